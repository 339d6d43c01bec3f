#include "render/FrameImages.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace hopwerk {

FrameView::~FrameView() {
  if (image) pixman_image_unref(image);
  if (maskImage) pixman_image_unref(maskImage);
}

FrameImages* FrameImagesFor(const Picture& picture, const PictureFrame& frame) {
  const int w = picture.width;
  const int h = picture.height;
  if (w <= 0 || h <= 0) return nullptr;
  if (frame.pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return nullptr;
  auto* cached = static_cast<FrameImages*>(frame.cache.state.get());
  if (cached && cached->data == frame.pixels.data() && cached->width == w && cached->height == h) {
    return cached;
  }
  auto images = std::make_shared<FrameImages>();
  images->data = frame.pixels.data();
  images->width = w;
  images->height = h;
  FrameView& own = images->views[0];
  own.data = frame.pixels.data();
  // pixman only reads a source image, so wrapping the const pixels is safe.
  own.image = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h,
                                       const_cast<uint32_t*>(frame.pixels.data()), w * 4);
  if (!own.image) return nullptr;
  frame.cache.state = images;
  return images.get();
}

FrameView* MirroredView(FrameImages& images, int mirror) {
  FrameView& view = images.views[mirror & 3];
  if (view.image) return &view;
  const size_t w = static_cast<size_t>(images.width), h = static_cast<size_t>(images.height);
  view.pixels.resize(w * h);
  for (size_t y = 0; y < h; ++y) {
    const uint32_t* src = images.data + ((mirror & kMirrorY) ? h - 1 - y : y) * w;
    uint32_t* dst = view.pixels.data() + y * w;
    if (mirror & kMirrorX) {
      std::reverse_copy(src, src + w, dst);
    } else {
      std::copy(src, src + w, dst);
    }
  }
  view.data = view.pixels.data();
  view.image = pixman_image_create_bits(PIXMAN_a8r8g8b8, images.width, images.height,
                                        view.pixels.data(), images.width * 4);
  return view.image ? &view : nullptr;
}

bool ThresholdForMask(const uint32_t* src, uint32_t* dst, size_t count, int threshold,
                      uint32_t tint) {
  const uint32_t tr = (tint >> 16) & 255, tg = (tint >> 8) & 255, tb = tint & 255;
  const bool white = (tint & 0xFFFFFFu) == 0xFFFFFFu;
  bool opaque = true;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = src[i];
    const uint32_t a = p >> 24;
    if (static_cast<int>(a) < threshold || a == 0) {
      dst[i] = 0;
      opaque = false;
      continue;
    }
    uint32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    if (a != 255) {
      auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
      r = un(r);
      g = un(g);
      b = un(b);
    }
    if (!white) {
      r = (r * tr + 127) / 255;
      g = (g * tg + 127) / 255;
      b = (b * tb + 127) / 255;
    }
    dst[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
  return opaque;
}

pixman_image_t* MaskImageFor(FrameImages& images, FrameView& view, int threshold, uint32_t tint) {
  tint &= 0xFFFFFFu;
  if (view.maskImage && view.maskThreshold == threshold && view.maskTint == tint) {
    return view.maskImage;
  }
  const size_t count = static_cast<size_t>(images.width) * static_cast<size_t>(images.height);
  view.maskPixels.resize(count);
  view.maskOpaque = ThresholdForMask(view.data, view.maskPixels.data(), count, threshold, tint);
  if (!view.maskImage) {
    view.maskImage = pixman_image_create_bits(PIXMAN_a8r8g8b8, images.width, images.height,
                                              view.maskPixels.data(), images.width * 4);
  }
  view.maskThreshold = threshold;
  view.maskTint = tint;
  return view.maskImage;
}

int MaskThreshold(float drawAlpha) {
  if (drawAlpha == 1.0f) return 128;  // nearly every draw
  if (!(drawAlpha > 0.0f)) return 256;
  // alpha / 255 * drawAlpha >= 0.5  <=>  alpha >= 127.5 / drawAlpha
  const double t = std::ceil(127.5 / static_cast<double>(drawAlpha));
  if (t > 255.0) return 256;
  return std::max(1, static_cast<int>(t));
}

}  // namespace hopwerk
