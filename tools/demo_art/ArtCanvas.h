// A drawing surface for the demo art: the engine's own compositor plus the few helpers that
// painting scenery needs (gradients, thick strokes, pasting prepared layers) and PNG output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/Compositor.h"

namespace hopwerk {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// Mixes a toward b by t (0..1).
Rgb Mix(Rgb a, Rgb b, float t);
Rgb Lighter(Rgb c, float t);
Rgb Darker(Rgb c, float t);

// A premultiplied a8r8g8b8 block of pixels (0 = empty) prepared outside the compositor, such as
// scaled lettering, pasted onto a canvas with Canvas::Paste.
struct Layer {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  Layer() = default;
  Layer(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  void Set(int x, int y, Rgb c);
};

// Deterministic pseudo-random numbers (the same art on every run and every machine).
struct ArtRandom {
  uint32_t state;
  explicit ArtRandom(uint32_t seed) : state(seed ? seed : 1u) {}
  uint32_t Next();
  float Unit();                  // 0..1
  int Range(int low, int high);  // both included
};

class Canvas {
 public:
  Canvas(int width, int height);
  int Width() const { return comp_.Width(); }
  int Height() const { return comp_.Height(); }
  Compositor& Comp() { return comp_; }

  void Rect(float x, float y, float w, float h, Rgb c, float alpha = 1.0f);
  void Oval(float x, float y, float w, float h, Rgb c, float alpha = 1.0f);
  // An oval centred on (cx, cy).
  void Disc(float cx, float cy, float rx, float ry, Rgb c, float alpha = 1.0f);
  void Line(float x1, float y1, float x2, float y2, Rgb c, float alpha = 1.0f);
  // A stroke of the given radius with round ends.
  void Stroke(float x1, float y1, float x2, float y2, float radius, Rgb c, float alpha = 1.0f);
  void Pixel(int x, int y, Rgb c, float alpha = 1.0f);
  void VerticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom, float alpha = 1.0f);
  void RoundRect(float x, float y, float w, float h, float radius, Rgb c, float alpha = 1.0f);
  void Text(const std::string& text, float x, float y, Rgb c);
  void Paste(const Layer& layer, int x, int y);
  Layer Grab() const;

  // Opaque pictures have every pure black pixel lifted to (1, 1, 1) so the engine does not make
  // holes in them; other pictures keep black as their transparent background.
  bool Save(const std::string& path, bool opaque) const;

 private:
  Compositor comp_;
};

}  // namespace hopwerk
