// Finding the loose files that game data names (pictures, sounds, music). Projects are made on
// a system whose file names ignore letter case, so a name that differs from the file on disk
// only in case still finds it; and a name from the data never leads out of the folder it is
// looked up in.
#pragma once

#include <string>

#include "data/DataState.h"

namespace hopwerk {

struct Engine;

// What a patch's copy must be before it is preferred to the project's own file.
enum class PatchCopy {
  Exists,  // anything by that name (a file or a folder)
  File,    // a file
  Never,   // the patch is not looked into at all
};

// The path to load for the file `name` of the game data. With a patch chosen, its copy under
// PatchFolder + "/" + patchFolder + name comes first when it passes `rule`; otherwise the file
// is DataFolder + dataFolder + name. Either is matched without regard to letter case, part by
// part, when the exact path does not exist. A project file that exists nowhere gives the data
// folder's path as the data spells it (loading it then fails); a name that would leave its folder
// (NameStaysInFolder) gives "".
std::string ResolveProjectFile(Engine& engine, const std::string& patchFolder,
                               const std::string& dataFolder, const std::string& name,
                               PatchCopy rule);

}  // namespace hopwerk
