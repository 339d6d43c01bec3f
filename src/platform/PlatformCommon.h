// What the window platform and the headless platform share: drawing through the compositor,
// pictures, files and folders, random numbers and date formatting. The two differ only in how
// frames reach a screen, where input comes from, sound, time and the native dialogs.
#pragma once

#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <utility>

#include "platform/Platform.h"
#include "render/Compositor.h"
#include "render/PictureBudget.h"

namespace hopwerk {

// Screen sizes come from project data: nothing real is larger than 8192 a side or 2^25
// pixels (128 MiB of framebuffer), and a lie must not cost gigabytes and seconds a frame.
constexpr int kMaxDisplaySide = 8192;
constexpr int64_t kMaxDisplayPixels = int64_t{1} << 25;
inline bool DisplaySizeAllowed(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxDisplaySide && height <= kMaxDisplaySide &&
         int64_t{width} * height <= kMaxDisplayPixels;
}

class PlatformCommon : public Platform {
 public:
  explicit PlatformCommon(uint32_t seed = 1, int64_t pictureBudgetBytes = kPictureBudgetBytes);

  // Display state common to both: the framebuffer is the display.
  bool DisplayOpen() const override { return displayOpen_; }
  int DisplayWidth() const override { return compositor_.Width(); }
  int DisplayHeight() const override { return compositor_.Height(); }
  void SetBackend(Backend backend) override { backend_ = backend; }
  void ClearScreen() override { compositor_.ClearScreen(); }

  void SetDrawColor(int r, int g, int b) override { compositor_.SetDrawColor(r, g, b); }
  void SetDrawAlpha(float a) override { compositor_.SetDrawAlpha(a); }
  void SetDrawBlend(int mode) override { compositor_.SetDrawBlend(mode); }
  int CurrentDrawBlend() const override { return compositor_.State().blend; }
  void SetDrawRotation(float degrees) override { compositor_.SetDrawRotation(degrees); }
  void SetDrawScale(float sx, float sy) override { compositor_.SetDrawScale(sx, sy); }
  void SetClearColor(int r, int g, int b) override { compositor_.SetClearColor(r, g, b); }
  void SetDrawViewport(int x, int y, int w, int h) override {
    compositor_.SetDrawViewport(x, y, w, h);
  }
  void SetDrawOrigin(int x, int y) override { compositor_.SetDrawOrigin(x, y); }

  void DrawPicture(const Picture& picture, float x, float y, int frame) override {
    compositor_.DrawPicture(picture, x, y, frame);
  }
  void TilePicture(const Picture& picture, float x, float y, int frame) override {
    compositor_.TilePicture(picture, x, y, frame);
  }
  void DrawFilledRect(float x, float y, float w, float h) override {
    compositor_.DrawFilledRect(x, y, w, h);
  }
  void DrawLineSegment(float x1, float y1, float x2, float y2) override {
    compositor_.DrawLineSegment(x1, y1, x2, y2);
  }
  void DrawOval(float x, float y, float w, float h) override { compositor_.DrawOval(x, y, w, h); }
  void PlotPixel(float x, float y) override { compositor_.PlotPixel(x, y); }
  void DrawTextAt(const std::string& text, float x, float y) override {
    compositor_.DrawTextAt(text, x, y);
  }
  int MeasureTextWidth(const std::string& text) const override {
    return hopwerk::MeasureTextWidth(text);
  }
  int FontHeight() const override { return kFontHeight; }

  PicturePtr LoadPicture(const std::string& path) override;
  PicturePtr LoadPictureStrip(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                              int cellCount) override;
  PicturePtr CreatePicture(int width, int height, int frames) override;
  void GrabPicture(Picture& picture, int x, int y, int frame) override {
    compositor_.GrabPicture(picture, x, y, frame);
  }
  bool PicturesOverlap(const Picture& p1, float x1, float y1, int frame1, const Picture& p2,
                       float x2, float y2, int frame2) override;
  bool PicturesOverlapTransformed(const Picture& p1, float x1, float y1, int frame1, float rot1,
                                  float sx1, float sy1, const Picture& p2, float x2, float y2,
                                  int frame2, float rot2, float sx2, float sy2) override;

  int RandomInt(int min, int max) override;
  std::string CurrentDate() override;  // from LocalNow()
  std::string CurrentTime() override;

  int FileKind(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& path) override;
  bool MakeFolder(const std::string& path, bool recursive) override;
  std::string WorkingFolder() override;
  bool ChangeFolder(const std::string& path) override;
  std::vector<Volume> ListVolumes() override;
  std::unique_ptr<ByteStream> OpenReadFile(const std::string& path) override;
  std::unique_ptr<ByteStream> OpenWriteFile(const std::string& path) override;

  void SetBoundKeysSource(BoundKeysSource source) override { boundKeys_ = std::move(source); }
  bool TakeFocusLoss() override;

  Compositor& GetCompositor() { return compositor_; }
  const PictureBudget& GetPictureBudget() const { return pictureBudget_; }

 protected:
  // The local wall-clock time the date and time operations report.
  virtual std::tm LocalNow() = 0;
  // "\" turned into "/", and a relative path taken against the virtual working folder when
  // there is one ("incbin::" names are left alone).
  std::string ResolvePath(const std::string& path) const;

  // Where screenshots go: the desktop's pictures folder, no trailing "/".
  virtual std::string UserPicturesFolder() = 0;
  // Every key press from the player passes here before the game sees it.
  void NoteKeyPressed(int key);
  // Writes the last shown frame at the game's own size under the pictures folder, in a folder
  // named after the game, and says where on the trace.
  void SaveScreenshot();
  void NoteFocusLost() { focusLost_ = true; }
  void NoteFocusGained() { focusLost_ = false; }

  Compositor compositor_;
  // Every picture this platform loads or creates counts here while it lives.
  PictureBudget pictureBudget_;
  Backend backend_ = Backend::DirectX;
  bool displayOpen_ = false;
  std::mt19937 rng_;
  std::string windowTitle_;
  BoundKeysSource boundKeys_;
  bool focusLost_ = false;
  // Empty: the process's own working folder (chdir). Otherwise a working folder kept by this
  // platform alone, for several headless engines in one process.
  std::string virtualWorkingFolder_;
};

// "%d %b %Y" and "%H:%M:%S" with English month names, whatever the locale.
std::string FormatDate(const std::tm& t);
std::string FormatTime(const std::tm& t);

}  // namespace hopwerk
