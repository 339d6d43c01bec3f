// The one drawing implementation: a CPU compositor on pixman drawing into a framebuffer of the
// display size. Both the window and the headless platform draw through it, so what a test sees
// is, pixel for pixel, what a player sees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/PngReader.h"
#include "render/Picture.h"

struct pixman_box32;  // pixman's box (x1, y1, x2, y2)

namespace hopwerk {

// Blend modes by the numbers project data uses.
enum BlendMode : int { kBlendMask = 1, kBlendAlpha = 3, kBlendLight = 4, kBlendShade = 5 };

struct FrameImages;
struct FrameView;

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
  // x8r8g8b8, row-major, Width() * Height() words. Read them before the next draw: once a frame
  // is marked presented, drawing may go on in another buffer.
  const std::vector<uint32_t>& Pixels() const {
    Settle();
    return pixels_;
  }

  // The frame now drawn is the one on display: it stays readable through PresentedPixels()
  // while the next is drawn. Keeping it costs nothing when the next frame starts with a clear.
  void MarkPresented();
  // The last frame marked presented (x8r8g8b8, PresentedWidth() x PresentedHeight()); empty
  // before the first.
  const std::vector<uint32_t>& PresentedPixels() const;
  int PresentedWidth() const { return presentedWidth_; }
  int PresentedHeight() const { return presentedHeight_; }

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
  // Where the last presented frame lives: nowhere yet, still in pixels_ (nothing drawn since),
  // or in presented_.
  enum class PresentedFrame { None, InPixels, Kept };

  // Readies the pixels for a draw: keeps the presented frame if it is still in them, and does a
  // clear that was put off, unless the draw overwrites every pixel itself (`overwritesAll`).
  void PrepareWrite(bool overwritesAll) const;
  // Readies the pixels for reading: a clear put off is done now.
  void Settle() const {
    if (clearPending_) PrepareWrite(false);
  }
  // Draws one orientation of a frame with its top-left corner at (left, top), clipped to the
  // viewport `box` the draw has already worked out.
  void DrawView(FrameImages& images, FrameView& view, const pixman_box32& box, long long left,
                long long top, int maskThreshold);
  // Draws a frame turned or scaled about its handle, which sits at (px, py) on screen, clipped
  // to the viewport `view`.
  void DrawTransformed(const Picture& picture, FrameImages& images, const pixman_box32& view,
                       double px, double py, double rotation, double sx, double sy,
                       int maskThreshold);

  int width_ = 0;
  int height_ = 0;
  // Reading a frame may have to finish a clear that was put off, so the pixels and what is
  // kept of the presented frame change under const access; what a reader sees never does.
  mutable std::vector<uint32_t> pixels_;
  mutable std::vector<uint32_t> presented_;
  mutable PresentedFrame presentedFrame_ = PresentedFrame::None;
  int presentedWidth_ = 0;
  int presentedHeight_ = 0;
  // A clear asked for and not yet done: the next draw either does it or covers it.
  mutable bool clearPending_ = false;
  uint32_t clearWord_ = 0xFF000000u;
  DrawState state_;
  struct Impl;
  Impl* impl_ = nullptr;  // pixman images and caches
};

// Built-in fixed font: 8x16 cells, advance 8, glyphs for codes 32..127 only.
constexpr int kFontCellWidth = 8;
constexpr int kFontHeight = 16;
int MeasureTextWidth(const std::string& text);

// Pictures (PNG, decoded by codec/). Black (0,0,0) becomes fully transparent; everything else
// keeps its alpha. "incbin::IncBin/GFX/NAME" names the pictures compiled into the program. A
// picture whose pixels would take more than `maxBytes` is refused (a PNG from its header,
// before decoding; a strip counts its sheet too); no picture is larger than 16384 a side or
// kMaxPictureBytes.
PicturePtr LoadPictureFile(const std::string& path, int64_t maxBytes = kMaxPictureBytes);
PicturePtr LoadPictureStripFile(const std::string& path, int cellWidth, int cellHeight,
                                int firstCell, int cellCount, int64_t maxBytes = kMaxPictureBytes);
PicturePtr DecodePng(const uint8_t* data, size_t size, int64_t maxBytes = kMaxPictureBytes);
PicturePtr CreateBlankPicture(int width, int height, int frames,
                              int64_t maxBytes = kMaxPictureBytes);

// Pixel-exact collision from the decoded pixels: alpha >= 128 is solid.
bool PicturesOverlap(const Picture& p1, float x1, float y1, int frame1, const Picture& p2, float x2,
                     float y2, int frame2);
bool PicturesOverlapTransformed(const Picture& p1, float x1, float y1, int frame1, float rot1,
                                float sx1, float sy1, const Picture& p2, float x2, float y2,
                                int frame2, float rot2, float sx2, float sy2);

}  // namespace hopwerk
