// pixman's view of a picture frame, built on first draw and kept in the frame's cache so that
// drawing the same frame every frame costs no set-up.
#pragma once

#include <pixman.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/Picture.h"

namespace hopwerk {

// One orientation of a frame: the frame itself, or a mirror of it made once and kept, so that
// a sprite facing left every frame costs what one facing right does.
struct FrameView {
  std::vector<uint32_t> pixels;    // a mirror's own pixels; empty for the frame itself
  const uint32_t* data = nullptr;  // the premultiplied pixels `image` wraps
  pixman_image_t* image = nullptr;
  // For the mask blend: the view's un-premultiplied colour times the tint, opaque where the
  // pixel's alpha reaches maskThreshold and clear elsewhere, so a plain OVER writes without
  // blending. Kept for the last threshold and tint used.
  std::vector<uint32_t> maskPixels;
  pixman_image_t* maskImage = nullptr;
  int maskThreshold = -1;
  uint32_t maskTint = 0;
  // Every pixel of the mask image is opaque: drawing it is a copy.
  bool maskOpaque = false;

  FrameView() = default;
  FrameView(const FrameView&) = delete;
  FrameView& operator=(const FrameView&) = delete;
  ~FrameView();
};

// Mirror flags of a view.
constexpr int kMirrorX = 1;  // left and right swapped
constexpr int kMirrorY = 2;  // upside down

struct FrameImages {
  const uint32_t* data = nullptr;  // the frame's pixels the views were built from
  int width = 0;
  int height = 0;
  FrameView views[4];  // by mirror flags; [0] wraps the frame's own pixels

  pixman_image_t* Image() const { return views[0].image; }
};

// The frame's images, (re)built when missing or when the pixels moved. Null when the frame's
// pixel count does not match the picture's size or the picture is empty.
FrameImages* FrameImagesFor(const Picture& picture, const PictureFrame& frame);

// The frame seen through `mirror` (kMirrorX | kMirrorY), made on first use; null if it cannot be.
FrameView* MirroredView(FrameImages& images, int mirror);

// The mask-blend image of a view for an alpha threshold (1..255) and a tint (0xRRGGBB).
pixman_image_t* MaskImageFor(FrameImages& images, FrameView& view, int threshold, uint32_t tint);

// Writes, for each premultiplied pixel, its opaque un-premultiplied colour times the tint
// (0xRRGGBB) when its alpha is at least `threshold`, else 0. `src` and `dst` may be the same.
// Returns whether every pixel came out opaque.
bool ThresholdForMask(const uint32_t* src, uint32_t* dst, size_t count, int threshold,
                      uint32_t tint);

// The lowest 8-bit alpha that passes the mask blend's test "alpha >= 0.5" once scaled by the
// drawing alpha; 256 when nothing can pass.
int MaskThreshold(float drawAlpha);

}  // namespace hopwerk
