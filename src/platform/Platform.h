// The one boundary between the engine and the machine. Every operation the engine needs from
// the operating system goes through this interface, so a headless implementation can stand in
// for the real one in tests and in hopwerk-replay.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/ByteStream.h"
#include "platform/BoundKeys.h"
#include "render/Picture.h"

namespace hopwerk {

struct DisplayMode {
  int width = 0;
  int height = 0;
  int depth = 0;
  int hertz = 0;
};

struct Volume {
  std::string devicePath;  // the root folder to change to
  std::string name;        // shown in the patch browser
};

// How a finished frame reaches the screen. Drawing itself is identical for both.
enum class Backend { OpenGL, DirectX };

struct DialogRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// The small native window with radio choices that runs before any display exists.
struct ChoiceDialogSpec {
  std::string title;
  int clientWidth = 300;
  int clientHeight = 200;
  int screenX = 60;
  int screenY = 70;
  std::string label;
  DialogRect labelRect;
  std::vector<std::string> choices;
  std::vector<DialogRect> choiceRects;
  int selected = 0;  // index of the pre-selected choice
  std::string buttonText;
  DialogRect buttonRect;
};

struct ChoiceDialogResult {
  bool closed = false;  // the window was closed instead of confirmed
  int selected = 0;
};

struct Sound;
using SoundPtr = std::shared_ptr<Sound>;
using Channel = int;  // 0 or more: a playing channel; -1: none
constexpr Channel kNoChannel = -1;

// Thrown by EndProgram so that every way out unwinds to main (or to the replay runner), which
// turns it into the process exit status. Nothing else may catch it.
struct ProgramEnd {
  int status = 0;
  std::string reason = "exit";  // "exit", "frames" (replay limit), "input" (replay ran dry)
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Display ---
  virtual void SetBackend(Backend backend) = 0;
  // depth 0: a window; depth 32: full screen. Returns false if the mode cannot be had.
  virtual bool OpenDisplay(int width, int height, int depth, int hertz) = 0;
  virtual void CloseDisplay() = 0;
  virtual bool DisplayOpen() const = 0;
  virtual int DisplayWidth() const = 0;
  virtual int DisplayHeight() const = 0;
  virtual std::vector<DisplayMode> ListDisplayModes() = 0;
  virtual void HideMousePointer() = 0;
  virtual void SetWindowTitle(const std::string& title) = 0;
  virtual void ClearScreen() = 0;
  // sync 1: vertical retrace, -1: paced to 60 per second, 0: no wait. Also services events.
  virtual void PresentFrame(int sync) = 0;

  // --- Drawing state ---
  virtual void SetDrawColor(int r, int g, int b) = 0;
  virtual void SetDrawAlpha(float a) = 0;
  virtual void SetDrawBlend(int mode) = 0;
  virtual int CurrentDrawBlend() const = 0;
  virtual void SetDrawRotation(float degrees) = 0;
  virtual void SetDrawScale(float sx, float sy) = 0;
  virtual void SetClearColor(int r, int g, int b) = 0;
  virtual void SetDrawViewport(int x, int y, int w, int h) = 0;
  virtual void SetDrawOrigin(int x, int y) = 0;

  // --- Drawing ---
  virtual void DrawPicture(const Picture& picture, float x, float y, int frame) = 0;
  virtual void TilePicture(const Picture& picture, float x, float y, int frame) = 0;
  virtual void DrawFilledRect(float x, float y, float w, float h) = 0;
  virtual void DrawLineSegment(float x1, float y1, float x2, float y2) = 0;
  virtual void DrawOval(float x, float y, float w, float h) = 0;
  virtual void PlotPixel(float x, float y) = 0;
  virtual void DrawTextAt(const std::string& text, float x, float y) = 0;
  virtual int MeasureTextWidth(const std::string& text) const = 0;
  virtual int FontHeight() const = 0;

  // --- Pictures ---
  virtual PicturePtr LoadPicture(const std::string& path) = 0;
  virtual PicturePtr LoadPictureStrip(const std::string& path, int cellWidth, int cellHeight,
                                      int firstCell, int cellCount) = 0;
  virtual PicturePtr CreatePicture(int width, int height, int frames) = 0;
  virtual void GrabPicture(Picture& picture, int x, int y, int frame) = 0;
  virtual bool PicturesOverlap(const Picture& p1, float x1, float y1, int frame1, const Picture& p2,
                               float x2, float y2, int frame2) = 0;
  virtual bool PicturesOverlapTransformed(const Picture& p1, float x1, float y1, int frame1,
                                          float rot1, float sx1, float sy1, const Picture& p2,
                                          float x2, float y2, int frame2, float rot2, float sx2,
                                          float sy2) = 0;

  // --- Input (Windows virtual-key codes) ---
  virtual int KeyHits(int key) = 0;
  virtual bool IsKeyDown(int key) = 0;
  virtual void FlushKeys() = 0;
  virtual int WaitAnyKey() = 0;
  // A fatal error's wait: a key press ends the program with `status`, and so does every other
  // end of the wait (the window closed, a replay script with no press left), so an error can
  // never end as a success.
  [[noreturn]] virtual void WaitAnyKeyThenEnd(int status) = 0;
  virtual int NextTypedChar() = 0;
  // Where a gamepad's action buttons look up the keys they stand for, and F12 whether it is
  // free for screenshots, at each press. The engine sets it for its lifetime; an empty function
  // leaves those buttons pressing nothing.
  virtual void SetBoundKeysSource(BoundKeysSource source) = 0;
  // Whether the game window lost the keyboard focus since the last call, once per loss. A loss
  // the focus came back from before anyone asked is forgotten: the player is back already.
  virtual bool TakeFocusLoss() = 0;

  // --- Sound ---
  virtual SoundPtr LoadSoundFile(const std::string& path, bool loop) = 0;
  virtual Channel PlaySoundOn(const SoundPtr& sound) = 0;
  virtual void StopChannel(Channel channel) = 0;
  virtual bool ChannelPlaying(Channel channel) = 0;
  virtual void SetChannelVolume(Channel channel, float volume) = 0;

  // --- Time and chance ---
  virtual int32_t ClockMillis() = 0;
  virtual void SleepMillis(int ms) = 0;
  virtual int RandomInt(int min, int max) = 0;
  virtual std::string CurrentDate() = 0;  // "%d %b %Y", English month names
  virtual std::string CurrentTime() = 0;  // "%H:%M:%S"

  // --- Files and folders ("/" paths) ---
  virtual int FileKind(const std::string& path) = 0;  // 0 nothing, 1 file, 2 folder
  virtual std::vector<std::string> ListFolder(const std::string& path) = 0;
  virtual bool MakeFolder(const std::string& path, bool recursive) = 0;
  virtual std::string ProgramFolder() = 0;
  virtual std::string UserAppDataFolder() = 0;
  virtual std::string UserDocumentsFolder() = 0;
  virtual std::string WorkingFolder() = 0;
  virtual bool ChangeFolder(const std::string& path) = 0;
  virtual std::vector<Volume> ListVolumes() = 0;
  virtual std::unique_ptr<ByteStream> OpenReadFile(const std::string& path) = 0;
  // Writes go to a temporary file in the same folder that replaces `path` on Close, so a
  // crash never leaves a half-written file behind.
  virtual std::unique_ptr<ByteStream> OpenWriteFile(const std::string& path) = 0;

  // --- Messages ---
  virtual void ShowNotice(const std::string& text, bool serious) = 0;
  virtual void TraceLine(const std::string& text) = 0;
  virtual ChoiceDialogResult RunChoiceDialog(const ChoiceDialogSpec& spec) = 0;
  // Lets the replay runner report console lines; the real platform ignores it.
  virtual void NoteConsoleLine(const std::string& text) { (void)text; }

  // --- Ending ---
  [[noreturn]] virtual void EndProgram(int status) = 0;
};

// Ends the program through the platform. The compiler cannot see through a virtual call that it
// never returns, so this wrapper says so for callers that are themselves [[noreturn]].
[[noreturn]] inline void EndProgramNow(Platform& platform, int status) {
  platform.EndProgram(status);
  std::abort();
}

}  // namespace hopwerk
