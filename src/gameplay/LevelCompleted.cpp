#include <string>

#include "gameplay/FrameSteps.h"

namespace hopwerk {

void ShowLevelCompleted(Engine& engine) {
  RunningLevel& run = engine.run;
  if (run.LevelCompleted != 1) return;
  Platform& p = engine.platform;
  const PDDType& pdd = engine.project.PDD;
  // Whatever colour the status screen ended on must not tint the message.
  p.SetDrawColor(255, 255, 255);
  if (const PicturePtr& picture = engine.pictures.LevelCompletedPic) {
    p.DrawPicture(*picture, static_cast<float>(pdd.DW / 2), static_cast<float>(pdd.DH / 2), 0);
  } else {
    const std::string text = "Level Completed";
    p.DrawTextAt(text, static_cast<float>(pdd.DW / 2 - p.MeasureTextWidth(text) / 2),
                 static_cast<float>(pdd.DH / 2 - p.FontHeight() / 2));
  }
  // Counted in frames, but only in frames the clock has moved on.
  const int32_t now = p.ClockMillis();
  if (now != run.CountdownClock) {
    if (run.CompletedCountdown > 0) --run.CompletedCountdown;
    run.CountdownClock = now;
  }
}

}  // namespace hopwerk
