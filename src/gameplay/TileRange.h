// Which copies of a repeated picture lie over a span, so that tiled objects cost what is near
// the span and not what the level's data says their length is.
#pragma once

#include <algorithm>
#include <cstdint>

namespace hopwerk {

inline int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Copies [first, last] of a row or column of `count` copies of `size` pixels starting at
// `origin` lie over the span [from, to); first > last when none does.
struct TileRange {
  int64_t first;
  int64_t last;
};

inline TileRange TilesOver(int64_t origin, int64_t size, int64_t count, int64_t from, int64_t to) {
  if (size <= 0 || count <= 0 || to <= from) return {0, -1};
  return {std::max<int64_t>(0, FloorDiv(from - origin, size)),
          std::min<int64_t>(count - 1, FloorDiv(to - 1 - origin, size))};
}

}  // namespace hopwerk
