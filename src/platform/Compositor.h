// The one drawing implementation: a CPU compositor on pixman drawing into a framebuffer of the
// display size. Both the window and the headless platform draw through it, so what a test sees
// is, pixel for pixel, what a player sees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Picture.h"

namespace hopwerk {

// Blend modes by the numbers project data uses.
enum BlendMode : int { kBlendMask = 1, kBlendAlpha = 3, kBlendLight = 4, kBlendShade = 5 };

struct DrawState {
  int r = 255, g = 255, b = 255;
  float alpha = 1.0f;
  int blend = kBlendMask;
  float rotation = 0.0f;
  float scaleX = 1.0f, scaleY = 1.0f;
  int clearR = 0, clearG = 0, clearB = 0;
  int viewX = 0, viewY = 0, viewW = 0, viewH = 0;  // clip rectangle, in framebuffer pixels
  int originX = 0, originY = 0;                    // added to every drawing position
};

class Compositor {
 public:
  Compositor();
  ~Compositor();
  Compositor(const Compositor&) = delete;
  Compositor& operator=(const Compositor&) = delete;

  // (Re)creates the framebuffer, black, and resets viewport and origin to the whole surface.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // x8r8g8b8, row-major, Width() * Height() words.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

  DrawState& State() { return state_; }
  const DrawState& State() const { return state_; }
  void SetDrawColor(int r, int g, int b);  // clamps each component into 0..255
  void SetDrawAlpha(float a);
  void SetDrawBlend(int mode) { state_.blend = mode; }
  void SetDrawRotation(float degrees) { state_.rotation = degrees; }
  void SetDrawScale(float sx, float sy);
  void SetClearColor(int r, int g, int b);
  void SetDrawViewport(int x, int y, int w, int h);
  void SetDrawOrigin(int x, int y);

  void ClearScreen();  // the whole framebuffer, regardless of viewport
  void DrawPicture(const Picture& picture, float x, float y, int frame);
  void TilePicture(const Picture& picture, float x, float y, int frame);
  void DrawFilledRect(float x, float y, float w, float h);
  void DrawLineSegment(float x1, float y1, float x2, float y2);
  void DrawOval(float x, float y, float w, float h);
  void PlotPixel(float x, float y);
  void DrawTextAt(const std::string& text, float x, float y);
  void GrabPicture(Picture& picture, int x, int y, int frame) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
  DrawState state_;
  struct Impl;
  Impl* impl_ = nullptr;  // pixman images and caches
};

// Built-in fixed font: 8x16 cells, advance 8, glyphs for codes 32..127 only.
constexpr int kFontCellWidth = 8;
constexpr int kFontHeight = 16;
int MeasureTextWidth(const std::string& text);

// Pictures (libpng). Black (0,0,0) becomes fully transparent; everything else keeps its alpha.
// "incbin::IncBin/GFX/NAME" names the pictures compiled into the program. A picture whose
// pixels would take more than `maxBytes` is refused (a PNG from its header, before decoding;
// a strip counts its sheet too); no picture is larger than 16384 a side or kMaxPictureBytes.
constexpr int64_t kMaxPictureBytes = (int64_t{1} << 26) * 4;
PicturePtr LoadPictureFile(const std::string& path, int64_t maxBytes = kMaxPictureBytes);
PicturePtr LoadPictureStripFile(const std::string& path, int cellWidth, int cellHeight,
                                int firstCell, int cellCount, int64_t maxBytes = kMaxPictureBytes);
PicturePtr DecodePng(const uint8_t* data, size_t size, int64_t maxBytes = kMaxPictureBytes);
PicturePtr CreateBlankPicture(int width, int height, int frames,
                              int64_t maxBytes = kMaxPictureBytes);
// Writes x8r8g8b8 pixels as an RGB PNG (screenshots). Returns success.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);

// Pixel-exact collision from the decoded pixels: alpha >= 128 is solid.
bool PicturesOverlap(const Picture& p1, float x1, float y1, int frame1, const Picture& p2, float x2,
                     float y2, int frame2);
bool PicturesOverlapTransformed(const Picture& p1, float x1, float y1, int frame1, float rot1,
                                float sx1, float sy1, const Picture& p2, float x2, float y2,
                                int frame2, float rot2, float sx2, float sy2);

}  // namespace hopwerk
