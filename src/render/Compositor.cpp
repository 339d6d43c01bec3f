#include "render/Compositor.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "render/FontGlyphs.h"
#include "render/FrameImages.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

struct ImageUnref {
  void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using ImageHandle = std::unique_ptr<pixman_image_t, ImageUnref>;

// Positions this far out can never touch a framebuffer; clamping keeps the integer maths sane.
constexpr double kCoordLimit = 1 << 24;
// Below this a scale draws nothing: the inverse mapping would not fit pixman's fixed point.
constexpr double kMinScale = 1e-4;

int Clamp255(int v) {
  return std::clamp(v, 0, 255);
}

// Drawing positions name the pixel that holds them.
int Snap(double v) {
  return static_cast<int>(std::floor(std::clamp(v, -kCoordLimit, kCoordLimit)));
}

uint16_t To16(double v) {
  return static_cast<uint16_t>(std::lround(std::clamp(v, 0.0, 1.0) * 65535.0));
}

ImageHandle Solid(double r, double g, double b, double a, bool componentAlpha = false) {
  const pixman_color_t c{To16(r), To16(g), To16(b), To16(a)};
  ImageHandle image(pixman_image_create_solid_fill(&c));
  if (image && componentAlpha) pixman_image_set_component_alpha(image.get(), 1);
  return image;
}

// Sets a source image's repeat and component-alpha flags for one call and puts them back, since
// frame images are shared by every draw of their frame.
class ImageFlags {
 public:
  // Only flags actually set are put back: any change makes pixman work out the image's
  // properties again at the next composite.
  ImageFlags(pixman_image_t* image, bool repeat, bool componentAlpha)
      : image_(image), repeat_(repeat), componentAlpha_(componentAlpha) {
    if (!image_) return;
    if (repeat_) pixman_image_set_repeat(image_, PIXMAN_REPEAT_NORMAL);
    if (componentAlpha_) pixman_image_set_component_alpha(image_, 1);
  }
  ~ImageFlags() {
    if (!image_) return;
    if (repeat_) pixman_image_set_repeat(image_, PIXMAN_REPEAT_NONE);
    if (componentAlpha_) pixman_image_set_component_alpha(image_, 0);
  }
  ImageFlags(const ImageFlags&) = delete;
  ImageFlags& operator=(const ImageFlags&) = delete;

 private:
  pixman_image_t* image_;
  bool repeat_;
  bool componentAlpha_;
};

std::vector<uint8_t> GlyphMask() {
  const int w = kFontGlyphCount * kFontCellWidth;
  std::vector<uint8_t> bits(static_cast<size_t>(w) * kFontHeight, 0);
  for (int g = 0; g < kFontGlyphCount; ++g) {
    const char* art = kFontGlyphArt[g];
    for (int row = 0; row < kFontGlyphRows && row < kFontHeight; ++row) {
      for (int col = 0; col < kFontGlyphColumns && col < kFontCellWidth; ++col) {
        if (art[row * kFontGlyphColumns + col] == '#') {
          bits[static_cast<size_t>(row) * w + g * kFontCellWidth + col] = 255;
        }
      }
    }
  }
  return bits;
}

}  // namespace

struct Compositor::Impl {
  pixman_image_t* framebuffer = nullptr;
  // The same pixels seen as a8r8g8b8, for additive blends only: adding leaves each colour
  // channel independent of the alpha byte, so the result is the same pixel for pixel, and
  // pixman has fast paths for adding into a8r8g8b8 that it lacks for x8r8g8b8.
  pixman_image_t* addTarget = nullptr;
  // Applied clip, compared with the state before every operation so that a viewport changed
  // through State() still clips.
  int clipX = 0, clipY = 0, clipW = -1, clipH = -1;
  // All glyphs side by side as an 8-bit mask: text is one small composite per character.
  std::vector<uint8_t> glyphBits;
  pixman_image_t* glyphs = nullptr;
  // Scratch for tinted draws, reused so drawing does not allocate each time.
  std::vector<uint32_t> scratch;
  // The turned, scaled or mirrored frame of the draw in progress, and pixman's view of it; both
  // kept while the size stays the same, since a sprite facing left is drawn every frame.
  std::vector<uint32_t> transformed;
  pixman_image_t* transformedImage = nullptr;
  int transformedW = 0, transformedH = 0;
  // Boxes of the shape in progress (lines, ovals).
  std::vector<pixman_box32_t> boxes;

  // A cleared bw x bh image over `transformed`.
  pixman_image_t* TransformTarget(int bw, int bh) {
    const size_t count = static_cast<size_t>(bw) * static_cast<size_t>(bh);
    if (!transformedImage || bw != transformedW || bh != transformedH) {
      if (transformedImage) pixman_image_unref(transformedImage);
      transformedImage = nullptr;
      transformed.resize(count);
      transformedImage =
          pixman_image_create_bits(PIXMAN_a8r8g8b8, bw, bh, transformed.data(), bw * 4);
      if (!transformedImage) return nullptr;
      transformedW = bw;
      transformedH = bh;
    }
    std::fill(transformed.begin(), transformed.begin() + static_cast<ptrdiff_t>(count), 0u);
    return transformedImage;
  }

  // Points both framebuffer images at `pixels` (width x height words), unclipped.
  void Wrap(uint32_t* pixels, int width, int height) {
    Unwrap();
    if (width <= 0 || height <= 0) return;
    framebuffer = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, pixels, width * 4);
    addTarget = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, pixels, width * 4);
  }
  // The same, for a buffer of the same size swapped in between a draw's clip and its
  // composite: the clip in force carries over.
  void Rewrap(uint32_t* pixels, int width, int height) {
    const int x = clipX, y = clipY, w = clipW, h = clipH;
    Wrap(pixels, width, height);
    SetClip(x, y, w, h, width, height);
  }
  void Unwrap() {
    if (framebuffer) pixman_image_unref(framebuffer);
    if (addTarget) pixman_image_unref(addTarget);
    framebuffer = addTarget = nullptr;
    clipW = clipH = -1;
  }
  // A viewport over the whole framebuffer sets no clip region at all, sparing pixman the
  // region work on every composite.
  void SetClip(int x, int y, int w, int h, int width, int height) {
    if (!framebuffer || !addTarget || w < 0 || h < 0) return;
    if (x == 0 && y == 0 && w == width && h == height) {
      pixman_image_set_clip_region32(framebuffer, nullptr);
      pixman_image_set_clip_region32(addTarget, nullptr);
    } else {
      pixman_region32_t region;
      pixman_region32_init_rect(&region, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
      pixman_image_set_clip_region32(framebuffer, &region);
      pixman_image_set_clip_region32(addTarget, &region);
      pixman_region32_fini(&region);
    }
    clipX = x;
    clipY = y;
    clipW = w;
    clipH = h;
  }

  // Clips every later draw to the viewport `s`, which it puts in `view`; false when nothing can
  // be drawn.
  bool Clip(const DrawState& s, int width, int height, pixman_box32_t& view);

  Impl() {
    // Drawn from the font's art once per process: tools and tests make many compositors.
    static const std::vector<uint8_t> kGlyphBits = GlyphMask();
    glyphBits = kGlyphBits;
    const int w = kFontGlyphCount * kFontCellWidth;
    glyphs = pixman_image_create_bits(PIXMAN_a8, w, kFontHeight,
                                      reinterpret_cast<uint32_t*>(glyphBits.data()), w);
  }
  ~Impl() {
    Unwrap();
    if (glyphs) pixman_image_unref(glyphs);
    if (transformedImage) pixman_image_unref(transformedImage);
  }
};

Compositor::Compositor() : impl_(new Impl) {}

Compositor::~Compositor() {
  delete impl_;
}

void Compositor::Resize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  impl_->Unwrap();
  // The presented frame outlives the surface it was drawn on.
  if (presentedFrame_ == PresentedFrame::InPixels) {
    presented_ = std::move(pixels_);
    presentedFrame_ = PresentedFrame::Kept;
  }
  clearPending_ = false;
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0xFF000000u);
  impl_->Wrap(pixels_.data(), width_, height_);
  state_.viewX = state_.viewY = 0;
  state_.viewW = width_;
  state_.viewH = height_;
  state_.originX = state_.originY = 0;
}

void Compositor::SetDrawColor(int r, int g, int b) {
  state_.r = Clamp255(r);
  state_.g = Clamp255(g);
  state_.b = Clamp255(b);
}

void Compositor::SetDrawAlpha(float a) {
  state_.alpha = std::isnan(a) ? 0.0f : std::clamp(a, 0.0f, 1.0f);
}

void Compositor::SetDrawScale(float sx, float sy) {
  state_.scaleX = sx;
  state_.scaleY = sy;
}

void Compositor::SetClearColor(int r, int g, int b) {
  state_.clearR = Clamp255(r);
  state_.clearG = Clamp255(g);
  state_.clearB = Clamp255(b);
}

void Compositor::SetDrawViewport(int x, int y, int w, int h) {
  const int x0 = std::clamp(x, 0, width_), y0 = std::clamp(y, 0, height_);
  const long long x1 = std::clamp<long long>(static_cast<long long>(x) + std::max(0, w), 0, width_);
  const long long y1 =
      std::clamp<long long>(static_cast<long long>(y) + std::max(0, h), 0, height_);
  state_.viewX = x0;
  state_.viewY = y0;
  state_.viewW = std::max(0, static_cast<int>(x1) - x0);
  state_.viewH = std::max(0, static_cast<int>(y1) - y0);
}

void Compositor::SetDrawOrigin(int x, int y) {
  // Like drawing positions, an origin beyond the coordinate limit shows nothing anyway.
  const int limit = static_cast<int>(kCoordLimit);
  state_.originX = std::clamp(x, -limit, limit);
  state_.originY = std::clamp(y, -limit, limit);
}

// Most frames start with a clear and then cover the screen with a picture: the clear is only
// noted here, and done by the next draw that does not cover every pixel, or by a read.
void Compositor::ClearScreen() {
  if (pixels_.empty()) return;
  clearWord_ = 0xFF000000u | (static_cast<uint32_t>(Clamp255(state_.clearR)) << 16) |
               (static_cast<uint32_t>(Clamp255(state_.clearG)) << 8) |
               static_cast<uint32_t>(Clamp255(state_.clearB));
  clearPending_ = true;
}

void Compositor::PrepareWrite(bool overwritesAll) const {
  if (presentedFrame_ == PresentedFrame::InPixels) {
    if (clearPending_ || overwritesAll) {
      // Nothing of the presented frame is drawn on: it keeps its buffer, and drawing goes on
      // in the spare one.
      std::swap(pixels_, presented_);
      pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
      impl_->Rewrap(pixels_.data(), width_, height_);
    } else {
      presented_ = pixels_;
    }
    presentedFrame_ = PresentedFrame::Kept;
  }
  if (clearPending_) {
    clearPending_ = false;
    if (!overwritesAll) std::fill(pixels_.begin(), pixels_.end(), clearWord_);
  }
}

void Compositor::MarkPresented() {
  Settle();
  presentedFrame_ = PresentedFrame::InPixels;
  presentedWidth_ = width_;
  presentedHeight_ = height_;
}

const std::vector<uint32_t>& Compositor::PresentedPixels() const {
  static const std::vector<uint32_t> kNothing;
  switch (presentedFrame_) {
    case PresentedFrame::InPixels:
      // A clear put off since has not touched the pixels yet.
      return pixels_;
    case PresentedFrame::Kept:
      return presented_;
    default:
      return kNothing;
  }
}

// ---------------------------------------------------------------------------------------------
// Blending core

namespace {

struct Tint {
  double r, g, b, a;  // 0..1
  bool white;
};

Tint TintOf(const DrawState& s) {
  Tint t{Clamp255(s.r) / 255.0, Clamp255(s.g) / 255.0, Clamp255(s.b) / 255.0,
         std::isnan(s.alpha) ? 0.0 : std::clamp(static_cast<double>(s.alpha), 0.0, 1.0), false};
  t.white = s.r >= 255 && s.g >= 255 && s.b >= 255;
  return t;
}

uint32_t TintWord(const DrawState& s) {
  return (static_cast<uint32_t>(Clamp255(s.r)) << 16) |
         (static_cast<uint32_t>(Clamp255(s.g)) << 8) | static_cast<uint32_t>(Clamp255(s.b));
}

// The clip rectangle as a box, or false when nothing can be drawn.
bool ViewBox(const DrawState& s, int width, int height, pixman_box32_t& box) {
  box.x1 = std::clamp(s.viewX, 0, width);
  box.y1 = std::clamp(s.viewY, 0, height);
  box.x2 =
      static_cast<int>(std::clamp<long long>(static_cast<long long>(s.viewX) + s.viewW, 0, width));
  box.y2 =
      static_cast<int>(std::clamp<long long>(static_cast<long long>(s.viewY) + s.viewH, 0, height));
  return box.x2 > box.x1 && box.y2 > box.y1;
}

}  // namespace

// Everything below composites into the framebuffer through this clip.
bool Compositor::Impl::Clip(const DrawState& s, int width, int height, pixman_box32_t& box) {
  if (!framebuffer || !addTarget) return false;
  if (!ViewBox(s, width, height, box)) return false;
  const int w = box.x2 - box.x1, h = box.y2 - box.y1;
  if (box.x1 != clipX || box.y1 != clipY || w != clipW || h != clipH) {
    SetClip(box.x1, box.y1, w, h, width, height);
  }
  return true;
}

namespace {

// Where a blend composites: the framebuffer, and its a8r8g8b8 view for adding.
struct Targets {
  pixman_image_t* fb;
  pixman_image_t* add;
};

// The mask form of a picture for the mask blend: tinted colour, opaque or clear, and whether
// it is opaque everywhere.
struct MaskForm {
  pixman_image_t* image = nullptr;
  bool opaque = false;
};

// Whether a draw in this state writes every pixel it covers whatever was there before, so that
// a draw covering the whole screen makes a clear before it pointless.
bool DrawOverwrites(const DrawState& state, const MaskForm& mask) {
  switch (state.blend) {
    case kBlendMask:
      return mask.image && mask.opaque;
    case kBlendAlpha:
    case kBlendLight:
    case kBlendShade:
      return false;
    default:
      return true;
  }
}

// One picture composite in the current blend mode. `picture` is premultiplied; `mask` is its
// tinted mask-blend form (needed only in mask mode). (sx, sy) in the picture lands on (dx, dy).
void Blend(const Targets& target, const DrawState& state, pixman_image_t* picture,
           const MaskForm& mask, bool repeat, int sx, int sy, int dx, int dy, int w, int h,
           std::vector<uint32_t>& scratch) {
  pixman_image_t* fb = target.fb;
  auto comp = [&](pixman_op_t op, pixman_image_t* src, pixman_image_t* maskImage) {
    pixman_image_composite32(op, src, maskImage, op == PIXMAN_OP_ADD ? target.add : fb, sx, sy, sx,
                             sy, dx, dy, w, h);
  };
  if (state.blend == kBlendMask) {
    // The mask form already holds the tinted colour, opaque or clear: writing is a plain OVER,
    // and where every pixel is opaque, a copy. The most common draw, so it skips the rest.
    if (!mask.image) return;
    ImageFlags flags(mask.image, repeat, false);
    comp(mask.opaque ? PIXMAN_OP_SRC : PIXMAN_OP_OVER, mask.image, nullptr);
    return;
  }
  const Tint t = TintOf(state);
  // The untinted picture in `op`, faded by the drawing alpha where it is below 1.
  auto plain = [&](pixman_op_t op) {
    ImageHandle fade = t.a < 1.0 ? Solid(0, 0, 0, t.a) : nullptr;
    ImageFlags flags(picture, repeat, false);
    comp(op, picture, fade.get());
  };
  // The tint as source and the picture as a per-channel mask, added: dst + src * tint * alpha.
  auto addTinted = [&]() {
    ImageHandle tint = Solid(t.r * t.a, t.g * t.a, t.b * t.a, t.a);
    ImageFlags flags(picture, repeat, true);
    comp(PIXMAN_OP_ADD, tint.get(), picture);
  };
  switch (state.blend) {
    case kBlendLight: {
      if (t.a <= 0.0) return;
      if (t.white) {
        plain(PIXMAN_OP_ADD);
      } else {
        addTinted();
      }
      return;
    }
    case kBlendAlpha: {
      if (t.a <= 0.0) return;
      if (t.white) {
        plain(PIXMAN_OP_OVER);
      } else {
        // dst * (1 - srcAlpha * alpha), then + src * tint * alpha: OVER with a coloured source.
        {
          ImageHandle fade = Solid(0, 0, 0, t.a);
          ImageFlags flags(picture, repeat, false);
          comp(PIXMAN_OP_OUT_REVERSE, picture, fade.get());
        }
        addTinted();
      }
      return;
    }
    case kBlendShade: {
      if (t.a <= 0.0) return;
      if (t.white) {
        plain(PIXMAN_OP_MULTIPLY);
      } else {
        scratch.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        ImageHandle tinted(pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, scratch.data(), w * 4));
        ImageHandle tint = Solid(t.r * t.a, t.g * t.a, t.b * t.a, t.a);
        {
          ImageFlags flags(picture, repeat, true);
          pixman_image_composite32(PIXMAN_OP_SRC, tint.get(), picture, tinted.get(), 0, 0, sx, sy,
                                   0, 0, w, h);
        }
        pixman_image_composite32(PIXMAN_OP_MULTIPLY, tinted.get(), nullptr, fb, 0, 0, 0, 0, dx, dy,
                                 w, h);
      }
      return;
    }
    default: {
      // Solid: the source overwrites, whatever its alpha; the drawing alpha plays no part.
      if (t.white) {
        ImageFlags flags(picture, repeat, false);
        comp(PIXMAN_OP_SRC, picture, nullptr);
      } else {
        ImageHandle tint = Solid(t.r, t.g, t.b, 1.0);
        ImageFlags flags(picture, repeat, true);
        comp(PIXMAN_OP_SRC, tint.get(), picture);
      }
      return;
    }
  }
}

}  // namespace

void Compositor::DrawView(FrameImages& images, FrameView& view, const pixman_box32_t& box,
                          long long left, long long top, int maskThreshold) {
  const long long w = images.width, h = images.height;
  if (left >= box.x2 || top >= box.y2 || left + w <= box.x1 || top + h <= box.y1) return;
  MaskForm mask;
  if (state_.blend == kBlendMask) {
    mask.image = MaskImageFor(images, view, maskThreshold, TintWord(state_));
    mask.opaque = view.maskOpaque;
    if (!mask.image) return;
  }
  const bool coversScreen = box.x1 == 0 && box.y1 == 0 && box.x2 == width_ && box.y2 == height_ &&
                            left <= 0 && top <= 0 && left + w >= width_ && top + h >= height_;
  PrepareWrite(coversScreen && DrawOverwrites(state_, mask));
  // The picture overlaps the viewport, so both corners are within int range.
  Blend({impl_->framebuffer, impl_->addTarget}, state_, view.image, mask, false, 0, 0,
        static_cast<int>(left), static_cast<int>(top), images.width, images.height, impl_->scratch);
}

void Compositor::DrawPicture(const Picture& picture, float x, float y, int frame) {
  if (frame < 0 || frame >= static_cast<int>(picture.frames.size())) return;
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  pixman_box32_t view;
  if (!impl_->Clip(state_, width_, height_, view)) return;
  FrameImages* images = FrameImagesFor(picture, picture.frames[static_cast<size_t>(frame)]);
  if (!images) return;
  const int maskThreshold = state_.blend == kBlendMask ? MaskThreshold(state_.alpha) : 0;
  if (maskThreshold > 255) return;

  const double px = static_cast<double>(Snap(x)) + state_.originX;
  const double py = static_cast<double>(Snap(y)) + state_.originY;
  // Most draws are unturned: no need to reduce the angle.
  const double rotation =
      state_.rotation == 0.0f ? 0.0 : std::fmod(static_cast<double>(state_.rotation), 360.0);
  const double sx = state_.scaleX, sy = state_.scaleY;
  if (!std::isfinite(rotation) || !std::isfinite(sx) || !std::isfinite(sy)) return;

  if (rotation == 0.0 && std::fabs(sx) == 1.0 && std::fabs(sy) == 1.0) {
    // Unturned and unscaled, perhaps mirrored about the handle: every screen pixel takes one
    // picture pixel, so the mirrored frame, made once, is drawn like any other.
    const int mirror = (sx < 0 ? kMirrorX : 0) | (sy < 0 ? kMirrorY : 0);
    FrameView* oriented = MirroredView(*images, mirror);
    if (!oriented) return;
    const long long ix = static_cast<long long>(px), iy = static_cast<long long>(py);
    const long long left =
        (mirror & kMirrorX) ? ix + picture.handleX - picture.width : ix - picture.handleX;
    const long long top =
        (mirror & kMirrorY) ? iy + picture.handleY - picture.height : iy - picture.handleY;
    DrawView(*images, *oriented, view, left, top, maskThreshold);
    return;
  }
  DrawTransformed(picture, *images, view, px, py, rotation, sx, sy, maskThreshold);
}

void Compositor::DrawTransformed(const Picture& picture, FrameImages& images,
                                 const pixman_box32_t& view, double px, double py, double rotation,
                                 double sx, double sy, int maskThreshold) {
  if (std::fabs(sx) < kMinScale || std::fabs(sy) < kMinScale) return;

  // Forward map: screen = P + M * (picture - handle), M = rotation * scale (y points down, so a
  // positive angle turns clockwise on screen).
  const double theta = rotation * std::numbers::pi / 180.0;
  const double c = std::cos(theta), s = std::sin(theta);
  const double m00 = c * sx, m01 = -s * sy, m10 = s * sx, m11 = c * sy;
  const double hx = picture.handleX, hy = picture.handleY;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (int corner = 0; corner < 4; ++corner) {
    const double u = ((corner & 1) ? picture.width : 0) - hx;
    const double v = ((corner & 2) ? picture.height : 0) - hy;
    const double dx = px + m00 * u + m01 * v, dy = py + m10 * u + m11 * v;
    minX = std::min(minX, dx);
    maxX = std::max(maxX, dx);
    minY = std::min(minY, dy);
    maxY = std::max(maxY, dy);
  }
  minX = std::clamp(minX, -kCoordLimit, kCoordLimit);
  maxX = std::clamp(maxX, -kCoordLimit, kCoordLimit);
  minY = std::clamp(minY, -kCoordLimit, kCoordLimit);
  maxY = std::clamp(maxY, -kCoordLimit, kCoordLimit);
  int bx, by, bx2, by2;
  if (rotation == 0.0) {
    // Unturned, a pixel belongs to the picture when its centre lies inside the scaled
    // rectangle, as the collision test counts it; the padded edge must not spill past that.
    bx = static_cast<int>(std::ceil(minX - 0.5));
    by = static_cast<int>(std::ceil(minY - 0.5));
    bx2 = static_cast<int>(std::ceil(maxX - 0.5));
    by2 = static_cast<int>(std::ceil(maxY - 0.5));
  } else {
    bx = static_cast<int>(std::floor(minX));
    by = static_cast<int>(std::floor(minY));
    bx2 = static_cast<int>(std::ceil(maxX));
    by2 = static_cast<int>(std::ceil(maxY));
  }
  bx = std::max(bx, view.x1);
  by = std::max(by, view.y1);
  bx2 = std::min(bx2, view.x2);
  by2 = std::min(by2, view.y2);
  if (bx2 <= bx || by2 <= by) return;
  const int bw = bx2 - bx, bh = by2 - by;

  // Inverse map, screen pixel centre -> picture, for pixman.
  const double det = m00 * m11 - m01 * m10;
  const double i00 = m11 / det, i01 = -m01 / det, i10 = -m10 / det, i11 = m00 / det;
  pixman_f_transform_t ft{};
  ft.m[0][0] = i00;
  ft.m[0][1] = i01;
  ft.m[0][2] = hx - (i00 * px + i01 * py);
  ft.m[1][0] = i10;
  ft.m[1][1] = i11;
  ft.m[1][2] = hy - (i10 * px + i11 * py);
  ft.m[2][2] = 1.0;
  pixman_transform_t transform;
  if (!pixman_transform_from_pixman_f_transform(&transform, &ft)) return;

  pixman_image_t* temp = impl_->TransformTarget(bw, bh);
  if (!temp) return;
  pixman_image_t* image = images.Image();
  pixman_image_set_transform(image, &transform);
  // Unturned, the drawn area is the picture's own rectangle: smoothing must not fade its edge
  // pixels into the transparent outside. Turned, that soft edge is the anti-aliasing.
  if (rotation == 0.0) pixman_image_set_repeat(image, PIXMAN_REPEAT_PAD);
  pixman_image_set_filter(image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  pixman_image_composite32(PIXMAN_OP_SRC, image, nullptr, temp, bx, by, 0, 0, 0, 0, bw, bh);
  pixman_image_set_transform(image, nullptr);
  pixman_image_set_repeat(image, PIXMAN_REPEAT_NONE);
  pixman_image_set_filter(image, PIXMAN_FILTER_NEAREST, nullptr, 0);

  MaskForm mask;
  if (state_.blend == kBlendMask) {
    const size_t count = static_cast<size_t>(bw) * static_cast<size_t>(bh);
    mask.opaque = ThresholdForMask(impl_->transformed.data(), impl_->transformed.data(), count,
                                   maskThreshold, TintWord(state_));
    mask.image = temp;
  }
  PrepareWrite(false);
  Blend({impl_->framebuffer, impl_->addTarget}, state_, temp, mask, false, 0, 0, bx, by, bw, bh,
        impl_->scratch);
}

void Compositor::TilePicture(const Picture& picture, float x, float y, int frame) {
  if (frame < 0 || frame >= static_cast<int>(picture.frames.size())) return;
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  pixman_box32_t view;
  if (!impl_->Clip(state_, width_, height_, view)) return;
  FrameImages* images = FrameImagesFor(picture, picture.frames[static_cast<size_t>(frame)]);
  if (!images) return;
  const int maskThreshold = state_.blend == kBlendMask ? MaskThreshold(state_.alpha) : 0;
  if (maskThreshold > 255) return;
  // Top-left of the copy whose handle is at (x, y) + origin; every other copy is a whole number
  // of frame sizes away, so the viewport's corner falls at this offset inside a copy.
  const long long ax = static_cast<long long>(Snap(x)) + state_.originX - picture.handleX;
  const long long ay = static_cast<long long>(Snap(y)) + state_.originY - picture.handleY;
  const long long w = picture.width, h = picture.height;
  const int ox = static_cast<int>(((view.x1 - ax) % w + w) % w);
  const int oy = static_cast<int>(((view.y1 - ay) % h + h) % h);
  MaskForm mask;
  if (state_.blend == kBlendMask) {
    mask.image = MaskImageFor(*images, images->views[0], maskThreshold, TintWord(state_));
    mask.opaque = images->views[0].maskOpaque;
    if (!mask.image) return;
  }
  // Copies fill the whole viewport: over the whole screen, they may stand in for a clear.
  const bool wholeScreen = view.x1 == 0 && view.y1 == 0 && view.x2 == width_ && view.y2 == height_;
  PrepareWrite(wholeScreen && DrawOverwrites(state_, mask));
  Blend({impl_->framebuffer, impl_->addTarget}, state_, images->Image(), mask, true, ox, oy,
        view.x1, view.y1, view.x2 - view.x1, view.y2 - view.y1, impl_->scratch);
}

// ---------------------------------------------------------------------------------------------
// Plain shapes: lists of boxes in framebuffer pixels, filled in the current colour and blend.

namespace {

// Shapes in the mask blend (when the drawing alpha lets them through) and in the solid one
// write their colour unblended.
bool FillOverwrites(const DrawState& state) {
  if (state.blend == kBlendMask) return MaskThreshold(static_cast<float>(TintOf(state).a)) <= 255;
  return state.blend != kBlendAlpha && state.blend != kBlendLight && state.blend != kBlendShade;
}

void FillBoxes(pixman_image_t* fb, std::vector<uint32_t>& pixels, int width, const DrawState& state,
               const pixman_box32_t& view, const pixman_box32_t* boxes, size_t boxCount) {
  if (!fb) return;
  const Tint t = TintOf(state);
  const bool opaqueWrite = FillOverwrites(state);
  if (state.blend == kBlendMask && !opaqueWrite) return;
  if (!opaqueWrite && t.a <= 0.0) return;
  const uint32_t colour = 0xFF000000u | (static_cast<uint32_t>(Clamp255(state.r)) << 16) |
                          (static_cast<uint32_t>(Clamp255(state.g)) << 8) |
                          static_cast<uint32_t>(Clamp255(state.b));
  ImageHandle source;
  pixman_op_t op = PIXMAN_OP_OVER;
  if (!opaqueWrite) {
    source = Solid(t.r * t.a, t.g * t.a, t.b * t.a, t.a);
    op = state.blend == kBlendLight   ? PIXMAN_OP_ADD
         : state.blend == kBlendShade ? PIXMAN_OP_MULTIPLY
                                      : PIXMAN_OP_OVER;
  }
  for (size_t i = 0; i < boxCount; ++i) {
    const pixman_box32_t& b = boxes[i];
    const int x1 = std::max(b.x1, view.x1), y1 = std::max(b.y1, view.y1);
    const int x2 = std::min(b.x2, view.x2), y2 = std::min(b.y2, view.y2);
    if (x2 <= x1 || y2 <= y1) continue;
    if (opaqueWrite) {
      for (int yy = y1; yy < y2; ++yy) {
        auto row = pixels.begin() + static_cast<ptrdiff_t>(yy) * width;
        std::fill(row + x1, row + x2, colour);
      }
    } else {
      pixman_image_composite32(op, source.get(), nullptr, fb, 0, 0, 0, 0, x1, y1, x2 - x1, y2 - y1);
    }
  }
}

// Pixel-centre coverage: the pixels whose centres lie in [a, b).
void SpanOf(double a, double b, long long& first, long long& end) {
  first = static_cast<long long>(std::ceil(std::clamp(a, -kCoordLimit, kCoordLimit) - 0.5));
  end = static_cast<long long>(std::ceil(std::clamp(b, -kCoordLimit, kCoordLimit) - 0.5));
}

}  // namespace

void Compositor::DrawFilledRect(float x, float y, float w, float h) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h)) return;
  pixman_box32_t view;
  // Shapes composite through the framebuffer's clip too, so it must follow the viewport.
  if (!impl_->Clip(state_, width_, height_, view)) return;
  double x0 = static_cast<double>(x) + state_.originX, y0 = static_cast<double>(y) + state_.originY;
  double x1 = x0 + w, y1 = y0 + h;
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  long long cx0, cx1, cy0, cy1;
  SpanOf(x0, x1, cx0, cx1);
  SpanOf(y0, y1, cy0, cy1);
  cx0 = std::max<long long>(cx0, view.x1);
  cy0 = std::max<long long>(cy0, view.y1);
  cx1 = std::min<long long>(cx1, view.x2);
  cy1 = std::min<long long>(cy1, view.y2);
  if (cx1 <= cx0 || cy1 <= cy0) return;
  const pixman_box32_t box{static_cast<int>(cx0), static_cast<int>(cy0), static_cast<int>(cx1),
                           static_cast<int>(cy1)};
  PrepareWrite(box.x1 == 0 && box.y1 == 0 && box.x2 == width_ && box.y2 == height_ &&
               FillOverwrites(state_));
  FillBoxes(impl_->framebuffer, pixels_, width_, state_, view, &box, 1);
}

void Compositor::DrawOval(float x, float y, float w, float h) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h)) return;
  pixman_box32_t view;
  // Shapes composite through the framebuffer's clip too, so it must follow the viewport.
  if (!impl_->Clip(state_, width_, height_, view)) return;
  double x0 = static_cast<double>(x) + state_.originX, y0 = static_cast<double>(y) + state_.originY;
  double x1 = x0 + w, y1 = y0 + h;
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  const double rx = (x1 - x0) / 2, ry = (y1 - y0) / 2;
  if (rx <= 0 || ry <= 0) return;
  const double ex = x0 + rx, ey = y0 + ry;
  long long row0, row1;
  SpanOf(y0, y1, row0, row1);
  row0 = std::max<long long>(row0, view.y1);
  row1 = std::min<long long>(row1, view.y2);
  std::vector<pixman_box32_t>& rows = impl_->boxes;
  rows.clear();
  for (long long row = row0; row < row1; ++row) {
    const double dy = (static_cast<double>(row) + 0.5 - ey) / ry;
    if (dy * dy > 1.0) continue;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    long long c0, c1;
    SpanOf(ex - half, ex + half, c0, c1);
    // Keep the span symmetric about the centre: include a pixel whose centre is on the edge.
    c1 = std::max(c1, static_cast<long long>(std::floor(ex + half - 0.5)) + 1);
    c0 = std::max<long long>(c0, view.x1);
    c1 = std::min<long long>(c1, view.x2);
    if (c1 <= c0) continue;
    rows.push_back({static_cast<int>(c0), static_cast<int>(row), static_cast<int>(c1),
                    static_cast<int>(row) + 1});
  }
  PrepareWrite(false);
  FillBoxes(impl_->framebuffer, pixels_, width_, state_, view, rows.data(), rows.size());
}

void Compositor::DrawLineSegment(float x1, float y1, float x2, float y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  pixman_box32_t view;
  // Shapes composite through the framebuffer's clip too, so it must follow the viewport.
  if (!impl_->Clip(state_, width_, height_, view)) return;
  // Bresenham between the two end pixels, both included. Far-off ends are pulled in so that an
  // absurd line cannot take forever; no visible line is that long.
  constexpr double kLineLimit = 1 << 20;
  auto end = [&](float v, int origin) {
    return static_cast<long long>(
               std::floor(std::clamp(static_cast<double>(v), -kLineLimit, kLineLimit))) +
           origin;
  };
  long long ax = end(x1, state_.originX), ay = end(y1, state_.originY);
  const long long bx = end(x2, state_.originX), by = end(y2, state_.originY);
  const long long dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
  const int stepX = ax < bx ? 1 : -1, stepY = ay < by ? 1 : -1;
  long long err = dx + dy;
  std::vector<pixman_box32_t>& boxes = impl_->boxes;
  boxes.clear();
  auto plot = [&](long long px, long long py) {
    if (px < view.x1 || px >= view.x2 || py < view.y1 || py >= view.y2) return;
    // Consecutive pixels of one row become one box.
    if (!boxes.empty() && boxes.back().y1 == py && boxes.back().x2 == px) {
      ++boxes.back().x2;
    } else if (!boxes.empty() && boxes.back().y1 == py && boxes.back().x1 == px + 1) {
      --boxes.back().x1;
    } else {
      boxes.push_back({static_cast<int>(px), static_cast<int>(py), static_cast<int>(px) + 1,
                       static_cast<int>(py) + 1});
    }
  };
  for (;;) {
    plot(ax, ay);
    if (ax == bx && ay == by) break;
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      ax += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      ay += stepY;
    }
  }
  PrepareWrite(false);
  FillBoxes(impl_->framebuffer, pixels_, width_, state_, view, boxes.data(), boxes.size());
}

void Compositor::PlotPixel(float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  pixman_box32_t view;
  // Shapes composite through the framebuffer's clip too, so it must follow the viewport.
  if (!impl_->Clip(state_, width_, height_, view)) return;
  const long long px = static_cast<long long>(Snap(x)) + state_.originX;
  const long long py = static_cast<long long>(Snap(y)) + state_.originY;
  if (px < view.x1 || px >= view.x2 || py < view.y1 || py >= view.y2) return;
  const pixman_box32_t box{static_cast<int>(px), static_cast<int>(py), static_cast<int>(px) + 1,
                           static_cast<int>(py) + 1};
  PrepareWrite(false);
  FillBoxes(impl_->framebuffer, pixels_, width_, state_, view, &box, 1);
}

// ---------------------------------------------------------------------------------------------
// Text

int MeasureTextWidth(const std::string& text) {
  int64_t width = 0;
  for (char c : text) {
    if (HasFontGlyph(static_cast<unsigned char>(c))) width += kFontCellWidth;
  }
  return SatInt32(width);
}

void Compositor::DrawTextAt(const std::string& text, float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y) || !impl_->glyphs) return;
  pixman_box32_t view;
  if (!impl_->Clip(state_, width_, height_, view)) return;
  const Tint t = TintOf(state_);
  ImageHandle source;
  pixman_op_t op = PIXMAN_OP_OVER;
  switch (state_.blend) {
    case kBlendAlpha:
    case kBlendLight:
    case kBlendShade:
      if (t.a <= 0.0) return;
      source = Solid(t.r * t.a, t.g * t.a, t.b * t.a, t.a);
      op = state_.blend == kBlendLight   ? PIXMAN_OP_ADD
           : state_.blend == kBlendShade ? PIXMAN_OP_MULTIPLY
                                         : PIXMAN_OP_OVER;
      break;
    case kBlendMask:
      if (MaskThreshold(static_cast<float>(t.a)) > 255) return;
      [[fallthrough]];
    default:
      // Glyph pixels are fully on or off, so OVER with an opaque colour writes unblended.
      source = Solid(t.r, t.g, t.b, 1.0);
      break;
  }
  long long penX = static_cast<long long>(Snap(x)) + state_.originX;
  const long long penY = static_cast<long long>(Snap(y)) + state_.originY;
  if (penY <= -kFontHeight || penY >= height_) return;
  PrepareWrite(false);
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (!HasFontGlyph(c)) continue;
    if (penX > -kFontCellWidth && penX < width_ && c != ' ') {
      pixman_image_composite32(op, source.get(), impl_->glyphs, impl_->framebuffer, 0, 0,
                               (c - kFontFirstCode) * kFontCellWidth, 0, static_cast<int>(penX),
                               static_cast<int>(penY), kFontCellWidth, kFontHeight);
    }
    penX += kFontCellWidth;
  }
}

// ---------------------------------------------------------------------------------------------

void Compositor::GrabPicture(Picture& picture, int x, int y, int frame) const {
  if (frame < 0 || frame >= static_cast<int>(picture.frames.size())) return;
  if (picture.width <= 0 || picture.height <= 0) return;
  Settle();
  PictureFrame& target = picture.frames[static_cast<size_t>(frame)];
  target.pixels.assign(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height), 0);
  target.cache.Reset();
  // The grab is in drawing coordinates, like everything else drawn through the origin. The
  // screen has no transparency: every grabbed pixel is opaque, black included.
  const long long left = static_cast<long long>(x) + state_.originX;
  const long long top = static_cast<long long>(y) + state_.originY;
  for (int row = 0; row < picture.height; ++row) {
    const long long fy = top + row;
    if (fy < 0 || fy >= height_) continue;
    const long long c0 = std::max<long long>(0, -left);
    const long long c1 = std::min<long long>(picture.width, width_ - left);
    for (long long col = c0; col < c1; ++col) {
      target.pixels[static_cast<size_t>(row) * picture.width + static_cast<size_t>(col)] =
          pixels_[static_cast<size_t>(fy) * width_ + static_cast<size_t>(left + col)] | 0xFF000000u;
    }
  }
}

}  // namespace hopwerk
