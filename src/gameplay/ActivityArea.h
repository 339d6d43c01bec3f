// The stretch of the world around the screen where things stay active. Level margins are
// project data and may be as large as an int32 holds, so the edges are 64-bit.
#pragma once

#include <cstdint>

#include "engine/Engine.h"

namespace hopwerk {

struct WorldArea {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;
};

// The screen widened by PlusX, PlusY, MinusX and MinusY: movement and bullets stay inside it.
WorldArea ActivityArea(const Engine& engine);

// The area in which the frame draws and activates objects. Its right edge is widened by PlusY,
// not PlusX: levels were tuned against that, so it stays.
WorldArea DrawingArea(const Engine& engine);

// Milliseconds between two clock readings; the clock wraps, so the difference is taken wide.
inline int64_t MillisBetween(int32_t a, int32_t b) {
  const int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
  return d < 0 ? -d : d;
}

}  // namespace hopwerk
