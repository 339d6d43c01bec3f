#include "frontend/OutlinedText.h"

namespace hopwerk {

void DrawOutlinedText(Platform& p, const std::string& text, int x, int y, TextColour colour) {
  p.SetDrawColor(0, 0, 0);
  for (int dx = -2; dx <= 2; ++dx) {
    for (int dy = -1; dy <= 2; ++dy) {
      p.DrawTextAt(text, static_cast<float>(x + dx), static_cast<float>(y + dy));
    }
  }
  p.SetDrawColor(colour.r, colour.g, colour.b);
  p.DrawTextAt(text, static_cast<float>(x), static_cast<float>(y));
  p.SetDrawColor(255, 255, 255);
}

}  // namespace hopwerk
