#include "gameplay/ActivityArea.h"

namespace hopwerk {

WorldArea ActivityArea(const Engine& engine) {
  const RunningLevel& run = engine.run;
  const LevelState& level = engine.level;
  WorldArea area;
  area.left = static_cast<int64_t>(run.CameraX) - level.MinusX;
  area.top = static_cast<int64_t>(run.CameraY) - level.MinusY;
  area.right = static_cast<int64_t>(run.CameraX) + engine.project.ScreenWidth + level.PlusX;
  area.bottom = static_cast<int64_t>(run.CameraY) + engine.project.ScreenHeight + level.PlusY;
  return area;
}

WorldArea DrawingArea(const Engine& engine) {
  WorldArea area = ActivityArea(engine);
  area.right =
      static_cast<int64_t>(engine.run.CameraX) + engine.project.ScreenWidth + engine.level.PlusY;
  return area;
}

}  // namespace hopwerk
