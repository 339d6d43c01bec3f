#include <algorithm>

#include "gameplay/FrameSteps.h"

namespace hopwerk {

void DrawEnergyBar(Engine& engine) {
  const RunningLevel& run = engine.run;
  const ObjectType* boss = run.BossObject;
  if (!boss) return;
  Platform& p = engine.platform;
  const float x = static_cast<float>(run.BossBarX);
  const float y = static_cast<float>(run.BossBarY);
  p.SetDrawColor(0, 0, 0);
  p.DrawFilledRect(x - 52, y - 12, 104, 24);
  // The share of hit points left. An actor without full hit points to compare with has no
  // share to show, and one healed above them or below zero must not run the bar out of its
  // frame or backwards.
  const int32_t full = boss->Actor ? boss->Actor->HP : 0;
  double f = full > 0 ? static_cast<double>(boss->HP) / full : 0.0;
  f = std::clamp(f, 0.0, 1.0);
  p.SetDrawColor(static_cast<int>(255 - f * 255), static_cast<int>(f * 255), 0);
  p.DrawFilledRect(x - 50, y - 10, static_cast<float>(f * 100), 20);
}

}  // namespace hopwerk
