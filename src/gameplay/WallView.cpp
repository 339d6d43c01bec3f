#include "gameplay/FrameSteps.h"
#include "gameplay/IsBlocked.h"

namespace hopwerk {

namespace {

constexpr int kKeyLeftControl = 162;
constexpr int kKeyLeftAlt = 164;
constexpr int kKeyB = 66;

}  // namespace

void DrawWallView(Engine& engine) {
  Platform& p = engine.platform;
  if (!p.IsKeyDown(kKeyLeftControl) || !p.IsKeyDown(kKeyLeftAlt) || !p.IsKeyDown(kKeyB)) return;
  const ObjectType* player = engine.level.Player;
  if (!player) return;
  const RunningLevel& run = engine.run;
  const PDDType& pdd = engine.project.PDD;
  p.SetDrawColor(255, 0, 255);
  // One wall test per pixel; blocked pixels next to each other go out as one run.
  for (int64_t y = 0; y <= pdd.DH; ++y) {
    int64_t runStart = -1;
    for (int64_t x = 0; x <= pdd.DW + 1; ++x) {
      const bool blocked =
          x <= pdd.DW && IsBlocked(engine, player->Pic.get(), x + run.CameraX, y + run.CameraY);
      if (blocked && runStart < 0) runStart = x;
      if (!blocked && runStart >= 0) {
        p.DrawFilledRect(static_cast<float>(runStart), static_cast<float>(y),
                         static_cast<float>(x - runStart), 1);
        runStart = -1;
      }
    }
  }
}

}  // namespace hopwerk
