#include "gameplay/FrameSteps.h"
#include "shell/GlowEffect.h"

namespace hopwerk {

void DrawLevelBackground(Engine& engine) {
  Platform& p = engine.platform;
  const LevelState& level = engine.level;
  const PlayerSettings& settings = engine.settings;
  const RunningLevel& run = engine.run;
  p.SetDrawColor(level.ClsR, level.ClsG, level.ClsB);
  p.DrawFilledRect(0, 0, static_cast<float>(engine.project.ScreenWidth),
                   static_cast<float>(engine.project.ScreenHeight));
  p.SetDrawColor(255, 255, 255);
  if (!level.BackgroundPicName.empty() && level.BackgroundPic) {
    // The picture scrolls at a fraction of the world's speed. A divisor below 1 has no
    // fraction to give: such a background stays put.
    const int divisor = level.BackgroundDivisor;
    const int64_t x = divisor >= 1 ? -static_cast<int64_t>(run.CameraX) / divisor : 0;
    const int64_t y = divisor >= 1 ? -static_cast<int64_t>(run.CameraY) / divisor : 0;
    p.TilePicture(*level.BackgroundPic, static_cast<float>(x), static_cast<float>(y), 0);
  }
  // The effect clears the screen first, so it takes the place of colour and picture.
  if (level.BackgroundEffect != 0) DrawGlowEffect(engine, settings.Performance);
}

}  // namespace hopwerk
