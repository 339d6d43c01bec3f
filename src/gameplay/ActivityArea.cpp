#include "gameplay/ActivityArea.h"

#include <algorithm>
#include <limits>

namespace hopwerk {

WorldArea ActivityArea(const Engine& engine) {
  const PlayState& play = engine.play;
  const LevelState& level = engine.level;
  WorldArea area;
  area.left = static_cast<int64_t>(play.CameraX) - level.MinusX;
  area.top = static_cast<int64_t>(play.CameraY) - level.MinusY;
  area.right = static_cast<int64_t>(play.CameraX) + engine.project.ScreenWidth + level.PlusX;
  area.bottom = static_cast<int64_t>(play.CameraY) + engine.project.ScreenHeight + level.PlusY;
  return area;
}

WorldArea DrawingArea(const Engine& engine) {
  WorldArea area = ActivityArea(engine);
  area.right =
      static_cast<int64_t>(engine.play.CameraX) + engine.project.ScreenWidth + engine.level.PlusY;
  return area;
}

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace hopwerk
