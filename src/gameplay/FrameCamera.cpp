#include <algorithm>

#include "gameplay/FrameSteps.h"

namespace hopwerk {

namespace {

int StepToward(int from, int to) {
  return from < to ? from + 1 : (from > to ? from - 1 : from);
}

}  // namespace

void UpdateCamera(Engine& engine) {
  RunningLevel& run = engine.run;
  const ProjectSettings& project = engine.project;
  ClearFrameLists(run);
  const ObjectType* player = engine.level.Player;
  if (!player) return;

  // The view centred on the player, kept inside the world.
  int64_t tx = static_cast<int64_t>(player->X) - project.ScreenWidth / 2;
  int64_t ty = static_cast<int64_t>(player->Y) - project.ScreenHeight / 2;
  tx = std::min<int64_t>(std::max<int64_t>(tx, 0), kWorldSize - project.ScreenWidth);
  ty = std::min<int64_t>(std::max<int64_t>(ty, 0), kWorldSize - project.ScreenHeight);
  // A screen wider than the world leaves the upper bound below 0; that bound wins, as it is
  // applied last.
  const int targetX = static_cast<int>(tx);
  const int targetY = static_cast<int>(ty);

  // A dying player leaves the view where it is.
  if (player->OType != kDying && run.PanTargetX < 0 && run.PanTargetY < 0 &&
      run.PanReturning == 0) {
    run.CameraX = targetX;
    run.CameraY = targetY;
  }
  // Coming back from a pan: the target glides home, the camera trails it by a step.
  if (run.PanReturning == 1) {
    run.PanTargetX = StepToward(run.PanTargetX, targetX);
    run.PanTargetY = StepToward(run.PanTargetY, targetY);
    if (run.PanTargetX == targetX && run.PanTargetY == targetY) {
      run.PanReturning = 0;
      run.PanTargetX = -1;
      run.PanTargetY = -1;
    }
  }
  if (run.PanTargetX >= 0 || run.PanTargetY >= 0) {
    run.CameraX = StepToward(run.CameraX, run.PanTargetX);
    run.CameraY = StepToward(run.CameraY, run.PanTargetY);
  }
}

}  // namespace hopwerk
