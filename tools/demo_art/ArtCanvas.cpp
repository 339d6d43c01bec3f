#include "ArtCanvas.h"

#include <algorithm>
#include <cmath>

#include "codec/PngWriter.h"

namespace hopwerk {

namespace {

int Clamp255(float v) {
  return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
  return {Clamp255(static_cast<float>(a.r) + (static_cast<float>(b.r - a.r)) * t),
          Clamp255(static_cast<float>(a.g) + (static_cast<float>(b.g - a.g)) * t),
          Clamp255(static_cast<float>(a.b) + (static_cast<float>(b.b - a.b)) * t)};
}

Rgb Lighter(Rgb c, float t) {
  return Mix(c, {255, 255, 240}, t);
}

Rgb Darker(Rgb c, float t) {
  return Mix(c, {16, 12, 24}, t);
}

void Layer::Set(int x, int y, Rgb c) {
  if (!Inside(x, y)) return;
  pixels[static_cast<size_t>(y) * width + x] = 0xff000000u | (static_cast<uint32_t>(c.r) << 16) |
                                               (static_cast<uint32_t>(c.g) << 8) |
                                               static_cast<uint32_t>(c.b);
}

uint32_t ArtRandom::Next() {
  // xorshift32: tiny, fast and the same everywhere.
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

float ArtRandom::Unit() {
  return static_cast<float>(Next() >> 8) / static_cast<float>(1u << 24);
}

int ArtRandom::Range(int low, int high) {
  return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1));
}

Canvas::Canvas(int width, int height) {
  comp_.Resize(width, height);
  comp_.SetDrawBlend(kBlendAlpha);
}

namespace {

void Use(Compositor& comp, Rgb c, float alpha) {
  comp.SetDrawColor(c.r, c.g, c.b);
  comp.SetDrawAlpha(alpha);
  comp.SetDrawBlend(kBlendAlpha);
}

}  // namespace

void Canvas::Rect(float x, float y, float w, float h, Rgb c, float alpha) {
  Use(comp_, c, alpha);
  comp_.DrawFilledRect(x, y, w, h);
}

void Canvas::Oval(float x, float y, float w, float h, Rgb c, float alpha) {
  Use(comp_, c, alpha);
  comp_.DrawOval(x, y, w, h);
}

void Canvas::Disc(float cx, float cy, float rx, float ry, Rgb c, float alpha) {
  Oval(cx - rx, cy - ry, 2 * rx, 2 * ry, c, alpha);
}

void Canvas::Line(float x1, float y1, float x2, float y2, Rgb c, float alpha) {
  Use(comp_, c, alpha);
  comp_.DrawLineSegment(x1, y1, x2, y2);
}

void Canvas::Stroke(float x1, float y1, float x2, float y2, float radius, Rgb c, float alpha) {
  // Translucent strokes would darken where the discs overlap, so they are built opaque in a
  // layer first; opaque ones go straight onto the canvas.
  const float length = std::hypot(x2 - x1, y2 - y1);
  const int steps =
      std::max(1, static_cast<int>(std::ceil(length / std::max(0.5f, radius * 0.4f))));
  if (alpha >= 1.0f) {
    for (int i = 0; i <= steps; ++i) {
      const float t = static_cast<float>(i) / static_cast<float>(steps);
      Disc(x1 + (x2 - x1) * t, y1 + (y2 - y1) * t, radius, radius, c);
    }
    return;
  }
  Canvas scratch(Width(), Height());
  scratch.Stroke(x1, y1, x2, y2, radius, c, 1.0f);
  Layer layer = scratch.Grab();
  const uint32_t a = static_cast<uint32_t>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f + 0.5f);
  for (uint32_t& p : layer.pixels) {
    if (p == 0) continue;
    const uint32_t r = ((p >> 16) & 255) * a / 255, g = ((p >> 8) & 255) * a / 255,
                   b = (p & 255) * a / 255;
    p = (a << 24) | (r << 16) | (g << 8) | b;
  }
  Paste(layer, 0, 0);
}

void Canvas::Pixel(int x, int y, Rgb c, float alpha) {
  Rect(static_cast<float>(x), static_cast<float>(y), 1, 1, c, alpha);
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom, float alpha) {
  for (int row = 0; row < h; ++row) {
    const float t = h > 1 ? static_cast<float>(row) / static_cast<float>(h - 1) : 0.0f;
    Rect(static_cast<float>(x), static_cast<float>(y + row), static_cast<float>(w), 1,
         Mix(top, bottom, t), alpha);
  }
}

void Canvas::RoundRect(float x, float y, float w, float h, float radius, Rgb c, float alpha) {
  // Row by row, so a translucent panel is covered exactly once.
  for (int row = 0; row < static_cast<int>(h); ++row) {
    const float cy = static_cast<float>(row) + 0.5f;
    float inset = 0;
    const float d = cy < radius ? radius - cy : (cy > h - radius ? cy - (h - radius) : 0.0f);
    if (d > 0) inset = radius - std::sqrt(std::max(0.0f, radius * radius - d * d));
    inset = std::round(inset);
    Rect(x + inset, y + static_cast<float>(row), w - 2 * inset, 1, c, alpha);
  }
}

void Canvas::Text(const std::string& text, float x, float y, Rgb c) {
  Use(comp_, c, 1.0f);
  comp_.SetDrawBlend(kBlendMask);
  comp_.DrawTextAt(text, x, y);
  comp_.SetDrawBlend(kBlendAlpha);
}

void Canvas::Paste(const Layer& layer, int x, int y) {
  PicturePtr picture = CreateBlankPicture(layer.width, layer.height, 1);
  if (!picture) return;
  picture->frames[0].pixels = layer.pixels;
  Use(comp_, {255, 255, 255}, 1.0f);
  comp_.DrawPicture(*picture, static_cast<float>(x), static_cast<float>(y), 0);
}

Layer Canvas::Grab() const {
  Layer layer(Width(), Height());
  const auto& px = comp_.Pixels();
  for (size_t i = 0; i < px.size(); ++i) {
    const uint32_t rgb = px[i] & 0x00ffffffu;
    layer.pixels[i] = rgb == 0 ? 0 : (0xff000000u | rgb);
  }
  return layer;
}

bool Canvas::Save(const std::string& path, bool opaque) const {
  std::vector<uint32_t> px = comp_.Pixels();
  for (uint32_t& p : px) {
    p &= 0x00ffffffu;
    if (opaque && p == 0) p = 0x00010101u;
  }
  return WritePng(path, px.data(), Width(), Height());
}

}  // namespace hopwerk
