// What --try names: a map drawn in Tiled, a folder of a level's readable forms, or a level the
// game project already has.
#pragma once

#include <string>

namespace hopwerk {

enum class TryKind { Map, LevelFolder, ProjectLevel };

struct TryTarget {
  TryKind kind = TryKind::ProjectLevel;
  std::string path;   // Map and LevelFolder: absolute, normalised, no trailing "/"
  std::string level;  // the level's name: the map's stem, the folder's name, or as given
  std::string shown;  // how the trace names it: "Marsh.tmx", "Marsh/", "Marsh"
};

// A relative path is taken from workingFolder. What exists is a map file (.tmx, .tmj, .json)
// or a level folder; a bare name that names nothing on disk is a level of the project, to be
// looked up in its archive. False, with the problem, for anything else.
bool ParseTryTarget(const std::string& argument, const std::string& workingFolder,
                    TryTarget& target, std::string& problem);

// Whether a level may be called `name`: its entries' names ("NAME/Script/...") must fit the
// archive, and it must not reach into another level's entries.
bool LevelNameFits(const std::string& name);

}  // namespace hopwerk
