#include <algorithm>

#include "gameplay/FrameSteps.h"

namespace hopwerk {

namespace {

int StepToward(int from, int to) {
  return from < to ? from + 1 : (from > to ? from - 1 : from);
}

}  // namespace

void UpdateCamera(Engine& engine) {
  PlayState& play = engine.play;
  const ProjectSettings& project = engine.project;
  ClearFrameLists(play);
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
  if (player->OType != kDying && play.PanTargetX < 0 && play.PanTargetY < 0 &&
      play.PanReturning == 0) {
    play.CameraX = targetX;
    play.CameraY = targetY;
  }
  // Coming back from a pan: the target glides home, the camera trails it by a step.
  if (play.PanReturning == 1) {
    play.PanTargetX = StepToward(play.PanTargetX, targetX);
    play.PanTargetY = StepToward(play.PanTargetY, targetY);
    if (play.PanTargetX == targetX && play.PanTargetY == targetY) {
      play.PanReturning = 0;
      play.PanTargetX = -1;
      play.PanTargetY = -1;
    }
  }
  if (play.PanTargetX >= 0 || play.PanTargetY >= 0) {
    play.CameraX = StepToward(play.CameraX, play.PanTargetX);
    play.CameraY = StepToward(play.CameraY, play.PanTargetY);
  }
}

}  // namespace hopwerk
