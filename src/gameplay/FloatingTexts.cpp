#include <cstdint>

#include "gameplay/FrameSteps.h"

namespace hopwerk {

void DrawFloatingTexts(Engine& engine) {
  Platform& p = engine.platform;
  engine.run.FloatingTexts.Walk([&](FT& text) {
    p.SetDrawColor(0, 0, 0);
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        p.DrawTextAt(text.Txt, static_cast<float>(static_cast<int64_t>(text.X) + dx),
                     static_cast<float>(static_cast<int64_t>(text.Y) + dy));
      }
    }
    const int r = p.RandomInt(0, 255);
    const int g = p.RandomInt(0, 255);
    const int b = p.RandomInt(0, 255);
    p.SetDrawColor(r, g, b);
    p.DrawTextAt(text.Txt, static_cast<float>(text.X), static_cast<float>(text.Y));
    text.Y -= 1;
    text.Deactivate -= 1;
    return text.Deactivate < 1;
  });
}

}  // namespace hopwerk
