// Laying the level out: the map moved as a whole into the world when its content reaches
// before 0, and its drawing layers numbered from the back, neighbouring tile layers merged when
// the map has more than the engine draws.
#include <algorithm>

#include "TiledImporter.h"
#include "level/LevelLimits.h"

namespace hopwerk {

void TiledImporter::MeasureMap() {
  contentWidth = int64_t{map.width} * map.tileWidth;
  contentHeight = int64_t{map.height} * map.tileHeight;
  for (const TiledLayer& layer : map.layers) {
    for (const TiledCell& cell : layer.cells) {
      contentWidth =
          std::max(contentWidth, (int64_t{cell.x} + 1) * map.tileWidth + RoundTiled(layer.offsetX));
      contentHeight = std::max(contentHeight,
                               (int64_t{cell.y} + 1) * map.tileHeight + RoundTiled(layer.offsetY));
    }
  }
}

void TiledImporter::Shift() {
  int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
  for (const DrawLayer& layer : layers) {
    for (const PlacedObject& o : layer.objects) {
      minX = std::min(minX, o.x);
      minY = std::min(minY, o.y);
      maxX = std::max(maxX, o.x);
      maxY = std::max(maxY, o.y);
    }
  }
  if (minX == INT64_MAX) return;
  shiftX = minX < 0 ? -minX : 0;
  shiftY = minY < 0 ? -minY : 0;
  if (shiftX || shiftY) {
    report.Note("moved everything " + std::to_string(shiftX) + " right and " +
                std::to_string(shiftY) + " down, so that the map's content, which reaches to " +
                std::to_string(minX) + ", " + std::to_string(minY) + ", starts at 0");
    for (DrawLayer& layer : layers) {
      for (PlacedObject& o : layer.objects) {
        o.x += shiftX;
        o.y += shiftY;
      }
    }
  }
  maxX += shiftX;
  maxY += shiftY;
  if (maxX > kTiledWorldSize || maxY > kTiledWorldSize) {
    report.Error("the map's content spans " + std::to_string(minX) + " to " +
                 std::to_string(maxX - shiftX) + " across and " + std::to_string(minY) + " to " +
                 std::to_string(maxY - shiftY) + " down; the world holds 0 to " +
                 std::to_string(kTiledWorldSize) + " on each axis");
  }
  contentWidth = std::max(contentWidth + shiftX, maxX + map.tileWidth);
  contentHeight = std::max(contentHeight + shiftY, maxY + map.tileHeight);
}

void TiledImporter::AssignLevels() {
  const size_t drawn = static_cast<size_t>(FindEntryField(objectsFormat, "Level")->high + 1);
  layers.erase(std::remove_if(layers.begin(), layers.end(),
                              [](const DrawLayer& l) { return l.objects.empty(); }),
               layers.end());
  // Neighbouring tile layers drawn one after the other in one drawing layer give the same
  // pixels: the later one's objects come later in the list, so they are drawn over.
  while (layers.size() > drawn) {
    size_t i = 0;
    while (i + 1 < layers.size() && !(layers[i].tiles && layers[i + 1].tiles)) ++i;
    if (i + 1 >= layers.size()) break;
    report.Note("merged the tile layers \"" + layers[i].name + "\" and \"" + layers[i + 1].name +
                "\" into one drawing layer; the engine draws " + std::to_string(drawn));
    DrawLayer& into = layers[i];
    for (PlacedObject& o : layers[i + 1].objects) into.objects.push_back(std::move(o));
    into.name += "\" and \"" + layers[i + 1].name;
    layers.erase(layers.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  }
  if (layers.size() > drawn) {
    report.Error("needs " + std::to_string(layers.size()) +
                 " drawing layers, even with neighbouring tile layers merged; the engine draws " +
                 std::to_string(drawn));
    return;
  }
  static const EntryValues defaults = {{"SkillEasy", NumberValue(1)},
                                       {"SkillMedium", NumberValue(1)},
                                       {"SkillHard", NumberValue(1)},
                                       {"SwitchActivate", NumberValue(1)}};
  for (size_t i = 0; i < layers.size(); ++i) {
    const int level = static_cast<int>(drawn - 1 - i);
    for (PlacedObject& o : layers[i].objects) {
      if (objectTexts.size() >= kMaxLevelObjects) {
        report.Error("the level would hold more than " + std::to_string(kMaxLevelObjects) +
                     " objects");
        return;
      }
      EntryValues v = std::move(o.values);
      v["X"] = NumberValue(o.x);
      v["Y"] = NumberValue(o.y);
      if (!v.count("Level")) v["Level"] = NumberValue(level);
      objectTexts.push_back(EntryElementText(objectsFormat, v, defaults));
    }
  }
  out.objects = objectTexts.size();
}

}  // namespace hopwerk
