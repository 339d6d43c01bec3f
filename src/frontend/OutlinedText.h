// Text that stays readable over the glow effect: a black rim, then the text in its colour.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace hopwerk {

struct TextColour {
  int r = 255;
  int g = 255;
  int b = 255;
};

// Leaves the drawing colour white, which the screens that use it draw on with.
void DrawOutlinedText(Platform& p, const std::string& text, int x, int y, TextColour colour);

}  // namespace hopwerk
