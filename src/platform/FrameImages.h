// pixman's view of a picture frame, built on first draw and kept in the frame's cache so that
// drawing the same frame every frame costs no set-up.
#pragma once

#include <pixman.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Picture.h"

namespace hopwerk {

struct FrameImages {
  const uint32_t* data = nullptr;  // the pixels the images were built on
  int width = 0;
  int height = 0;
  pixman_image_t* image = nullptr;  // wraps the frame's own pixels, premultiplied
  // For the mask blend: the frame's un-premultiplied colour times the tint, opaque where the
  // pixel's alpha reaches maskThreshold and clear elsewhere, so a plain OVER writes without
  // blending. Kept for the last threshold and tint used.
  std::vector<uint32_t> maskPixels;
  pixman_image_t* maskImage = nullptr;
  int maskThreshold = -1;
  uint32_t maskTint = 0;

  FrameImages() = default;
  FrameImages(const FrameImages&) = delete;
  FrameImages& operator=(const FrameImages&) = delete;
  ~FrameImages();
};

// The frame's images, (re)built when missing or when the pixels moved. Null when the frame's
// pixel count does not match the picture's size or the picture is empty.
FrameImages* FrameImagesFor(const Picture& picture, const PictureFrame& frame);

// The mask-blend image of the frame for an alpha threshold (1..255) and a tint (0xRRGGBB).
pixman_image_t* MaskImageFor(FrameImages& images, int threshold, uint32_t tint);

// Writes, for each premultiplied pixel, its opaque un-premultiplied colour times the tint
// (0xRRGGBB) when its alpha is at least `threshold`, else 0. `src` and `dst` may be the same.
void ThresholdForMask(const uint32_t* src, uint32_t* dst, size_t count, int threshold,
                      uint32_t tint);

// The lowest 8-bit alpha that passes the mask blend's test "alpha >= 0.5" once scaled by the
// drawing alpha; 256 when nothing can pass.
int MaskThreshold(float drawAlpha);

}  // namespace hopwerk
