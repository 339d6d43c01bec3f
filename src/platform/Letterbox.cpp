#include "platform/Letterbox.h"

#include <algorithm>
#include <cstdint>

namespace hopwerk {

ScreenRect LetterboxRect(int frameWidth, int frameHeight, int windowWidth, int windowHeight) {
  if (frameWidth <= 0 || frameHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return {};
  // Compare frameWidth / frameHeight with windowWidth / windowHeight without rounding.
  const int64_t lhs = static_cast<int64_t>(windowWidth) * frameHeight;
  const int64_t rhs = static_cast<int64_t>(windowHeight) * frameWidth;
  ScreenRect r;
  // A whole-number scale wherever the frame fits at least once: every game pixel the same
  // size, sharp, at the price of a slightly wider border.
  const int wholeScale = std::min(windowWidth / frameWidth, windowHeight / frameHeight);
  if (wholeScale >= 1) {
    r.w = frameWidth * wholeScale;
    r.h = frameHeight * wholeScale;
  } else if (lhs > rhs) {  // window wider than the frame: bars left and right
    r.h = windowHeight;
    r.w = static_cast<int>(rhs / frameHeight);
  } else {  // bars top and bottom (or none)
    r.w = windowWidth;
    r.h = static_cast<int>(lhs / frameWidth);
  }
  if (r.w < 1) r.w = 1;
  if (r.h < 1) r.h = 1;
  r.x = (windowWidth - r.w) / 2;
  r.y = (windowHeight - r.h) / 2;
  return r;
}

bool IsWholeScale(int frameWidth, int frameHeight, const ScreenRect& shown) {
  if (frameWidth <= 0 || frameHeight <= 0) return false;
  return shown.w % frameWidth == 0 && shown.h % frameHeight == 0 &&
         shown.w / frameWidth == shown.h / frameHeight;
}

}  // namespace hopwerk
