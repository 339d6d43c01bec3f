// Where a frame of the display size lands in a window of any size: at the largest whole-number
// scale that fits, or shrunk to fit a window smaller than the frame; aspect kept, centred, the
// rest black.
#pragma once

namespace hopwerk {

struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
};

ScreenRect LetterboxRect(int frameWidth, int frameHeight, int windowWidth, int windowHeight);
// True when the frame is shown at a whole-number scale, where sharp pixels look best.
bool IsWholeScale(int frameWidth, int frameHeight, const ScreenRect& shown);

}  // namespace hopwerk
