// Measures the real window platform's pace: frames presented a second in a real window of the X
// server in $DISPLAY, after a second for the pacer to settle on the display. Exit status 0 when
// every measured second-long stretch keeps 60 +- 0.5 frames a second.
#include <SDL.h>

#include <cstdio>

#include "platform/SdlPlatform.h"

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 4;
  hopwerk::SdlPlatform platform("./");
  if (!platform.OpenDisplay(640, 480, 0, 60)) {
    std::printf("FAIL: no window: %s\n", SDL_GetError());
    return 1;
  }
  const auto frame = [&platform] {
    platform.ClearScreen();
    platform.DrawFilledRect(10, 10, 100, 100);
    platform.PresentFrame(-1);
  };
  for (int i = 0; i < 60; ++i) frame();
  const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
  const Uint64 start = SDL_GetPerformanceCounter();
  for (int i = 0; i < 60 * seconds; ++i) frame();
  const double elapsed = static_cast<double>(SDL_GetPerformanceCounter() - start) / frequency;
  const double rate = 60.0 * seconds / elapsed;
  std::printf("%d frames in %.3f s: %.2f frames a second\n", 60 * seconds, elapsed, rate);
  return rate > 59.5 && rate < 60.5 ? 0 : 1;
}
