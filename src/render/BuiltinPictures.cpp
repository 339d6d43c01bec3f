// The three built-in pictures are drawn here in code, so the program needs no file for them.
#include "render/BuiltinPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace hopwerk {

namespace {

uint32_t Premultiplied(double r, double g, double b, double a) {
  a = std::clamp(a, 0.0, 1.0);
  if (a <= 0.0) return 0;
  auto c = [a](double v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 255.0) * a));
  };
  return (static_cast<uint32_t>(std::lround(a * 255.0)) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

PicturePtr NewPicture(int width, int height) {
  auto picture = std::make_shared<Picture>();
  picture->width = width;
  picture->height = height;
  picture->frames.resize(1);
  picture->frames[0].pixels.assign(static_cast<size_t>(width) * height, 0);
  return picture;
}

// --- Cursor: a white hand pointing right, outlined in dark grey --------------------------------

struct RoundedBox {
  int x0, y0, x1, y1, radius;  // inclusive pixel bounds
  bool Holds(int x, int y) const {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    const int cx = std::clamp(x, x0 + radius, x1 - radius);
    const int cy = std::clamp(y, y0 + radius, y1 - radius);
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius + radius;
  }
};

constexpr RoundedBox kCuff{1, 15, 7, 32, 1};
constexpr RoundedBox kBackOfHand{6, 13, 25, 33, 5};
constexpr RoundedBox kIndexFinger{16, 13, 38, 19, 3};
constexpr RoundedBox kThumb{11, 8, 24, 14, 3};
constexpr RoundedBox kCurledFingers[] = {
    {19, 19, 30, 24, 2}, {19, 24, 29, 29, 2}, {18, 29, 27, 33, 2}};

bool InHand(int x, int y) {
  if (kCuff.Holds(x, y) || kBackOfHand.Holds(x, y) || kIndexFinger.Holds(x, y) ||
      kThumb.Holds(x, y)) {
    return true;
  }
  for (const RoundedBox& f : kCurledFingers) {
    if (f.Holds(x, y)) return true;
  }
  return false;
}

// The creases that make the outline read as a hand: cuff seam, thumb, finger gaps.
bool OnCrease(int x, int y) {
  if (x == 7 && y >= 16 && y <= 31) return true;                // cuff seam
  if (y == 14 && x >= 14 && x <= 23) return true;               // under the thumb
  if (y == 19 && x >= 21 && x <= 29) return true;               // under the index finger
  if ((y == 24 || y == 29) && x >= 21 && x <= 28) return true;  // between curled fingers
  return false;
}

PicturePtr MakeCursor() {
  constexpr int kSize = 40;
  PicturePtr picture = NewPicture(kSize, kSize);
  std::vector<uint32_t>& px = picture->frames[0].pixels;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      uint32_t colour = 0;
      if (InHand(x, y)) {
        colour = OnCrease(x, y) ? Premultiplied(150, 150, 160, 1) : Premultiplied(255, 255, 255, 1);
      } else {
        bool touches = false;
        for (int dy = -1; dy <= 1 && !touches; ++dy) {
          for (int dx = -1; dx <= 1 && !touches; ++dx) touches = InHand(x + dx, y + dy);
        }
        // Dark grey rather than black: black would be masked away like in any loaded picture.
        if (touches) colour = Premultiplied(40, 40, 48, 1);
      }
      px[static_cast<size_t>(y) * kSize + x] = colour;
    }
  }
  return picture;
}

// --- Dot: 2 x 2 white --------------------------------------------------------------------------

PicturePtr MakeDot() {
  PicturePtr picture = NewPicture(2, 2);
  std::fill(picture->frames[0].pixels.begin(), picture->frames[0].pixels.end(), 0xFFFFFFFFu);
  return picture;
}

// --- Egg: a speckled cream egg, lit from the upper left, with soft edges ----------------------

constexpr int kEggWidth = 62;
constexpr int kEggHeight = 107;

// Half-width of the egg at height t (-1 top, 1 bottom), in pixels: wider below the middle.
double EggHalfWidth(double t) {
  if (t <= -1.0 || t >= 1.0) return 0.0;
  return 29.0 * std::sqrt(1.0 - t * t) * (1.0 + 0.18 * t) / 1.016;
}

constexpr double kEggCentreX = kEggWidth / 2.0;
constexpr double kEggCentreY = kEggHeight / 2.0;
constexpr double kEggHalfHeight = 52.5;

struct Speckle {
  double x, y, radius;
};
constexpr Speckle kSpeckles[] = {{22, 30, 1.4}, {38, 24, 1.1}, {30, 48, 1.6}, {44, 58, 1.2},
                                 {18, 66, 1.3}, {34, 74, 1.5}, {25, 88, 1.1}, {42, 86, 1.3},
                                 {14, 50, 1.0}, {47, 40, 1.0}, {31, 97, 1.2}, {37, 12, 0.9}};

PicturePtr MakeEgg() {
  PicturePtr picture = NewPicture(kEggWidth, kEggHeight);
  std::vector<uint32_t>& px = picture->frames[0].pixels;
  for (int y = 0; y < kEggHeight; ++y) {
    for (int x = 0; x < kEggWidth; ++x) {
      // Coverage from 4 x 4 samples gives the outline its soft edge.
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const double fx = x + (sx + 0.5) / 4.0, fy = y + (sy + 0.5) / 4.0;
          const double t = (fy - kEggCentreY) / kEggHalfHeight;
          if (std::fabs(fx - kEggCentreX) < EggHalfWidth(t)) ++inside;
        }
      }
      if (inside == 0) continue;
      const double cx = x + 0.5, cy = y + 0.5;
      const double t = (cy - kEggCentreY) / kEggHalfHeight;
      const double half = std::max(EggHalfWidth(t), 0.5);
      const double nx = std::clamp((cx - kEggCentreX) / half, -1.0, 1.0);
      const double ny = std::clamp(t, -1.0, 1.0);
      const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx * 0.85 - ny * ny * 0.4));
      // Diffuse light from the upper left plus a small highlight.
      const double light = std::clamp(0.55 + 0.45 * (0.58 * nz - 0.45 * nx - 0.35 * ny), 0.35, 1.0);
      const double hx = nx + 0.38, hy = ny + 0.45;
      const double highlight = 0.45 * std::exp(-(hx * hx + hy * hy) / 0.03);
      double r = 248 * light, g = 236 * light, b = 205 * light;
      for (const Speckle& s : kSpeckles) {
        const double dx = cx - s.x, dy = cy - s.y;
        if (dx * dx + dy * dy <= s.radius * s.radius) {
          r = 150 * light;
          g = 110 * light;
          b = 70 * light;
        }
      }
      r += (255 - r) * highlight;
      g += (255 - g) * highlight;
      b += (255 - b) * highlight;
      px[static_cast<size_t>(y) * kEggWidth + x] = Premultiplied(r, g, b, inside / 16.0);
    }
  }
  return picture;
}

}  // namespace

PicturePtr LoadBuiltinPicture(const std::string& name) {
  if (name == "IncBin/GFX/Cursor.png") return MakeCursor();
  if (name == "IncBin/GFX/Dot.png") return MakeDot();
  if (name == "IncBin/GFX/Egg.png") return MakeEgg();
  return nullptr;
}

}  // namespace hopwerk
