// A level made from what --try names, in the form the maps archive stores it: a Tiled map
// imported, or a folder of readable forms compiled.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TiledImport.h"
#include "archive/Vxr.h"
#include "try/TryTarget.h"

namespace hopwerk {

struct TryLevel {
  bool ok = false;                          // no errors: entries (and pictures) are whole
  std::vector<VxrWriteEntry> entries;       // "LEVEL/General", "LEVEL/Script/Finish", ...
  std::unique_ptr<TiledPictures> pictures;  // a map's cut pictures; null for a folder
  // Every file the level was made from (a folder's sub-folders too): a change to any of them
  // changes the level. Empty after errors.
  std::vector<std::string> sources;
  std::vector<TiledMessage> messages;  // errors, warnings and notes, in the order found
};

// Builds the level of a Map or LevelFolder target. playerType names the actor definition of a
// player the map places without naming one.
TryLevel BuildTryLevel(const TryTarget& target, const std::string& playerType);

// Compiles one file of a level's folder, relative name and text, into its archive entry:
// readable forms (".hwt") through their entry format, anything else as it is. False with the
// reason when the text is not a valid form.
bool CompileLevelFile(const std::string& level, const std::string& relative,
                      const std::string& text, VxrWriteEntry& entry, std::string& problem);

// The actor definition the project's player uses: the first entry of its actors archive
// (ID aside) whose Control is 1; empty when the archive has none or cannot be read.
std::string ProjectPlayerType(const std::string& actorsArchive);

}  // namespace hopwerk
