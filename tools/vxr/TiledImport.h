// A Tiled map turned into a level's readable sources: its General entry, its activity margins,
// its objects and its scripts in their .hwt forms, and the pictures it needs under Data/.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TiledMap.h"
#include "TiledPictures.h"

namespace hopwerk {

struct ImportedLevel {
  // Files of the level's folder, relative to it ("General.hwt", "Script/Finish.hwt"), in order.
  std::vector<std::pair<std::string, std::string>> files;
  std::unique_ptr<TiledPictures> pictures;
  size_t objects = 0;
};

// Maps the level named levelName. Scripts are read from NAME.hwt files beside the map. Anything
// the engine cannot express is a ToolError naming the map file, the layer or object and what.
ImportedLevel ImportTiledMap(const TiledMap& map, const std::string& levelName);

}  // namespace hopwerk
