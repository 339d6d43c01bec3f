// Pixel-exact collision on the decoded pixels. A pixel is solid when the top bit of its alpha is
// set (alpha >= 128), so masked black never collides.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/Compositor.h"

namespace hopwerk {

namespace {

constexpr double kCoordLimit = 1 << 24;
constexpr double kMinScale = 1e-4;

bool Solid(uint32_t pixel) {
  return (pixel & 0x80000000u) != 0;
}

const uint32_t* FramePixels(const Picture& p, int frame) {
  if (p.width <= 0 || p.height <= 0) return nullptr;
  if (frame < 0 || frame >= static_cast<int>(p.frames.size())) return nullptr;
  const std::vector<uint32_t>& px = p.frames[static_cast<size_t>(frame)].pixels;
  if (px.size() != static_cast<size_t>(p.width) * static_cast<size_t>(p.height)) return nullptr;
  return px.data();
}

// Positions name the pixel that holds them, as when drawing.
long long Snap(float v) {
  return static_cast<long long>(
      std::floor(std::clamp(static_cast<double>(v), -kCoordLimit, kCoordLimit)));
}

// A frame placed on screen with its own rotation and scale, mapped back pixel by pixel.
struct Placed {
  const Picture* picture = nullptr;
  const uint32_t* pixels = nullptr;
  double px = 0, py = 0;                      // where the handle lands
  double i00 = 1, i01 = 0, i10 = 0, i11 = 1;  // screen offset -> picture offset
  double minX = 0, minY = 0, maxX = 0, maxY = 0;

  bool SolidAt(double sx, double sy) const {
    const double dx = sx - px, dy = sy - py;
    const double u = std::floor(picture->handleX + i00 * dx + i01 * dy);
    const double v = std::floor(picture->handleY + i10 * dx + i11 * dy);
    if (u < 0 || v < 0 || u >= picture->width || v >= picture->height) return false;
    return Solid(pixels[static_cast<size_t>(v) * picture->width + static_cast<size_t>(u)]);
  }
};

bool Place(const Picture& p, float x, float y, int frame, float rot, float sx, float sy,
           Placed& out) {
  out.pixels = FramePixels(p, frame);
  if (!out.pixels) return false;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(rot) || !std::isfinite(sx) ||
      !std::isfinite(sy)) {
    return false;
  }
  if (std::fabs(sx) < kMinScale || std::fabs(sy) < kMinScale) return false;
  out.picture = &p;
  out.px = static_cast<double>(Snap(x));
  out.py = static_cast<double>(Snap(y));
  const double theta = std::fmod(static_cast<double>(rot), 360.0) * std::numbers::pi / 180.0;
  const double c = std::cos(theta), s = std::sin(theta);
  const double m00 = c * sx, m01 = -s * sy, m10 = s * sx, m11 = c * sy;
  const double det = m00 * m11 - m01 * m10;
  out.i00 = m11 / det;
  out.i01 = -m01 / det;
  out.i10 = -m10 / det;
  out.i11 = m00 / det;
  out.minX = out.minY = 1e300;
  out.maxX = out.maxY = -1e300;
  for (int corner = 0; corner < 4; ++corner) {
    const double u = ((corner & 1) ? p.width : 0) - p.handleX;
    const double v = ((corner & 2) ? p.height : 0) - p.handleY;
    const double dx = out.px + m00 * u + m01 * v, dy = out.py + m10 * u + m11 * v;
    out.minX = std::min(out.minX, dx);
    out.maxX = std::max(out.maxX, dx);
    out.minY = std::min(out.minY, dy);
    out.maxY = std::max(out.maxY, dy);
  }
  return true;
}

}  // namespace

bool PicturesOverlap(const Picture& p1, float x1, float y1, int frame1, const Picture& p2, float x2,
                     float y2, int frame2) {
  const uint32_t* a = FramePixels(p1, frame1);
  const uint32_t* b = FramePixels(p2, frame2);
  if (!a || !b) return false;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
    return false;
  }
  const long long l1 = Snap(x1) - p1.handleX, t1 = Snap(y1) - p1.handleY;
  const long long l2 = Snap(x2) - p2.handleX, t2 = Snap(y2) - p2.handleY;
  const long long left = std::max(l1, l2), right = std::min(l1 + p1.width, l2 + p2.width);
  const long long top = std::max(t1, t2), bottom = std::min(t1 + p1.height, t2 + p2.height);
  if (left >= right || top >= bottom) return false;
  for (long long y = top; y < bottom; ++y) {
    const uint32_t* rowA = a + static_cast<size_t>(y - t1) * p1.width;
    const uint32_t* rowB = b + static_cast<size_t>(y - t2) * p2.width;
    for (long long x = left; x < right; ++x) {
      if (rowA[x - l1] & rowB[x - l2] & 0x80000000u) return true;
    }
  }
  return false;
}

bool PicturesOverlapTransformed(const Picture& p1, float x1, float y1, int frame1, float rot1,
                                float sx1, float sy1, const Picture& p2, float x2, float y2,
                                int frame2, float rot2, float sx2, float sy2) {
  auto plain = [](float rot, float sx, float sy) {
    return std::fmod(rot, 360.0f) == 0.0f && sx == 1.0f && sy == 1.0f;
  };
  if (plain(rot1, sx1, sy1) && plain(rot2, sx2, sy2)) {
    return PicturesOverlap(p1, x1, y1, frame1, p2, x2, y2, frame2);
  }
  Placed a, b;
  if (!Place(p1, x1, y1, frame1, rot1, sx1, sy1, a)) return false;
  if (!Place(p2, x2, y2, frame2, rot2, sx2, sy2, b)) return false;
  // Bounding boxes first; then every screen pixel both could cover, sampled at its centre the
  // way the compositor samples a transformed picture.
  const double left = std::floor(std::max({a.minX, b.minX, -kCoordLimit}));
  const double right = std::ceil(std::min({a.maxX, b.maxX, kCoordLimit}));
  const double top = std::floor(std::max({a.minY, b.minY, -kCoordLimit}));
  const double bottom = std::ceil(std::min({a.maxY, b.maxY, kCoordLimit}));
  if (left >= right || top >= bottom) return false;
  for (double y = top; y < bottom; ++y) {
    for (double x = left; x < right; ++x) {
      if (a.SolidAt(x + 0.5, y + 0.5) && b.SolidAt(x + 0.5, y + 0.5)) return true;
    }
  }
  return false;
}

}  // namespace hopwerk
