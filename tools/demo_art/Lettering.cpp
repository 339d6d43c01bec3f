#include "Lettering.h"

#include <algorithm>

#include "render/Compositor.h"

namespace hopwerk {

namespace {

// The font's ink never leaves rows 3..13 of its 16-row cell (capitals to descenders).
constexpr int kInkTop = 3;
constexpr int kInkBottom = 13;

struct Mask {
  int width = 0, height = 0;
  std::vector<unsigned char> bits;
  Mask(int w, int h) : width(w), height(h), bits(static_cast<size_t>(w) * h, 0) {}
  bool Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    return bits[static_cast<size_t>(y) * width + x] != 0;
  }
  void Set(int x, int y, bool v) { bits[static_cast<size_t>(y) * width + x] = v ? 1 : 0; }
};

Mask FontMask(const std::string& text) {
  Compositor comp;
  const int width = MeasureTextWidth(text) + 2;
  comp.Resize(width, kFontHeight);
  comp.SetDrawColor(255, 255, 255);
  comp.DrawTextAt(text, 1, 0);
  Mask mask(width, kInkBottom - kInkTop + 1);
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = comp.Pixels()[static_cast<size_t>(y + kInkTop) * width + x];
      // Bold: every stroke one pixel wider to the right, which stays inside the 8-pixel cell.
      const uint32_t left =
          x > 0 ? comp.Pixels()[static_cast<size_t>(y + kInkTop) * width + x - 1] : 0;
      mask.Set(x, y, ((p | left) & 0xffffffu) != 0);
    }
  }
  return mask;
}

// Scale2x/Scale3x (the AdvMAME rules): like nearest-neighbour, but diagonal steps become
// smooth slopes instead of staircases of big blocks.
Mask Scale2(const Mask& m) {
  Mask out(m.width * 2, m.height * 2);
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x) {
      const bool b = m.Get(x, y - 1), d = m.Get(x - 1, y), e = m.Get(x, y), f = m.Get(x + 1, y),
                 h = m.Get(x, y + 1);
      bool e0 = e, e1 = e, e2 = e, e3 = e;
      if (b != h && d != f) {
        e0 = d == b ? d : e;
        e1 = b == f ? f : e;
        e2 = d == h ? d : e;
        e3 = h == f ? f : e;
      }
      out.Set(2 * x, 2 * y, e0);
      out.Set(2 * x + 1, 2 * y, e1);
      out.Set(2 * x, 2 * y + 1, e2);
      out.Set(2 * x + 1, 2 * y + 1, e3);
    }
  }
  return out;
}

Mask Scale3(const Mask& m) {
  Mask out(m.width * 3, m.height * 3);
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x) {
      const bool a = m.Get(x - 1, y - 1), b = m.Get(x, y - 1), c = m.Get(x + 1, y - 1),
                 d = m.Get(x - 1, y), e = m.Get(x, y), f = m.Get(x + 1, y), g = m.Get(x - 1, y + 1),
                 h = m.Get(x, y + 1), i = m.Get(x + 1, y + 1);
      bool o[9] = {e, e, e, e, e, e, e, e, e};
      if (b != h && d != f) {
        o[0] = d == b ? d : e;
        o[1] = (d == b && e != c) || (b == f && e != a) ? b : e;
        o[2] = b == f ? f : e;
        o[3] = (d == b && e != g) || (d == h && e != a) ? d : e;
        o[5] = (b == f && e != i) || (h == f && e != c) ? f : e;
        o[6] = d == h ? d : e;
        o[7] = (d == h && e != i) || (h == f && e != g) ? h : e;
        o[8] = h == f ? f : e;
      }
      for (int k = 0; k < 9; ++k) out.Set(3 * x + k % 3, 3 * y + k / 3, o[k]);
    }
  }
  return out;
}

}  // namespace

LetterStyle MenuLetters() {
  return LetterStyle{};
}

LetterStyle TintedLetters(Rgb top, Rgb bottom) {
  LetterStyle s;
  s.top = top;
  s.bottom = bottom;
  return s;
}

Layer RenderLettering(const std::string& text, const LetterStyle& style) {
  Mask mask = FontMask(text);
  int scale = 1;
  for (int k : style.scales) {
    mask = k == 3 ? Scale3(mask) : Scale2(mask);
    scale *= k;
  }
  // Crop the empty columns at both ends so the picture starts with its first letter.
  int first = mask.width, last = -1;
  for (int x = 0; x < mask.width; ++x) {
    for (int y = 0; y < mask.height; ++y) {
      if (mask.Get(x, y)) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  }
  if (last < first) return Layer(1, 1);
  const int r = style.outlineRadius;
  const int inkW = last - first + 1;
  Layer layer(inkW + 2 * r + style.shadowX, mask.height + 2 * r + style.shadowY);
  auto ink = [&](int lx, int ly) { return mask.Get(lx - r + first, ly - r); };
  auto near = [&](int lx, int ly) {
    for (int dy = -r; dy <= r; ++dy) {
      for (int dx = -r; dx <= r; ++dx) {
        if (dx * dx + dy * dy <= r * r + r / 2 && ink(lx + dx, ly + dy)) return true;
      }
    }
    return false;
  };
  const int bevel = std::max(1, scale / 2);
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) {
      if (ink(x, y)) {
        const float t = static_cast<float>(y - r) / static_cast<float>(mask.height - 1);
        Rgb c = Mix(style.top, style.bottom, std::clamp(t, 0.0f, 1.0f));
        if (!ink(x, y - bevel)) {
          c = Lighter(c, 0.55f);  // light catches the upper edges
        } else if (!ink(x, y + bevel) || !ink(x + bevel, y)) {
          c = Mix(c, style.outline, 0.3f);
        }
        layer.Set(x, y, c);
      } else if (near(x, y)) {
        layer.Set(x, y, style.outline);
      } else if (near(x - style.shadowX, y - style.shadowY)) {
        layer.Set(x, y, style.shadow);
      }
    }
  }
  return layer;
}

}  // namespace hopwerk
