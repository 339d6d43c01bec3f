// A decoded picture: one or more frames of the same size, kept in the compositor's own pixel
// format so drawing never converts, and collision tests read the same pixels that are drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace hopwerk {

// Drawing caches the compositor builds from a frame's pixels on first use (pixman images and
// the like). A copied frame starts without one, so two frames never share a cache; code that
// changes a frame's pixels in place calls Reset() so the next draw rebuilds it.
struct FrameCache {
  std::shared_ptr<void> state;

  FrameCache() = default;
  FrameCache(const FrameCache&) {}
  FrameCache& operator=(const FrameCache&) {
    state.reset();
    return *this;
  }
  FrameCache(FrameCache&&) noexcept = default;
  FrameCache& operator=(FrameCache&&) noexcept = default;
  void Reset() { state.reset(); }
};

// What one frame costs at least, whatever its pixels: its own record, the pixel block's
// allocation and the drawing cache. Budgets count a frame as no less, so a strip of millions of
// one-pixel cells cannot pass for a few megabytes.
constexpr int64_t kMinFrameBytes = 256;

struct PictureFrame {
  // Premultiplied a8r8g8b8, row-major, width * height words (pixman's PIXMAN_a8r8g8b8).
  std::vector<uint32_t> pixels;
  mutable FrameCache cache;
};

struct Picture {
  int width = 0;  // of one frame
  int height = 0;
  int handleX = 0;  // subtracted from the drawing position
  int handleY = 0;
  std::vector<PictureFrame> frames;
};

using PicturePtr = std::shared_ptr<Picture>;

inline int PictureWidth(const Picture& p) {
  return p.width;
}
inline int PictureHeight(const Picture& p) {
  return p.height;
}
inline void SetPictureHandle(Picture& p, int x, int y) {
  p.handleX = x;
  p.handleY = y;
}
inline void CentrePictureHandle(Picture& p) {
  SetPictureHandle(p, p.width / 2, p.height / 2);
}

}  // namespace hopwerk
