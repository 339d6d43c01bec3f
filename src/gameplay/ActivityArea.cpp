#include "gameplay/ActivityArea.h"

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

}  // namespace hopwerk
