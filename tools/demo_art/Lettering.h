// Big outlined lettering grown from the built-in 8x16 font: emboldened, enlarged with an
// edge-smoothing pixel scaler, filled with a bevelled gradient, outlined and shadowed.
#pragma once

#include <string>
#include <vector>

#include "ArtCanvas.h"

namespace hopwerk {

struct LetterStyle {
  Rgb top{255, 238, 120};    // fill at the top of a letter
  Rgb bottom{246, 146, 44};  // fill at the bottom
  Rgb outline{74, 36, 22};
  Rgb shadow{44, 22, 16};
  std::vector<int> scales{3};  // successive enlargements, each 2 or 3
  int outlineRadius = 3;
  int shadowX = 2, shadowY = 3;
};

// Menu lettering: yellow to orange on a brown outline.
LetterStyle MenuLetters();
// The same look with another fill (episode and skill names, headers).
LetterStyle TintedLetters(Rgb top, Rgb bottom);

// The lettering on an empty background, cropped to the font's ascender-to-descender band so
// every line of one style has the same height and baseline.
Layer RenderLettering(const std::string& text, const LetterStyle& style);

}  // namespace hopwerk
