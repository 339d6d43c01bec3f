// The platform without a machine: the same compositor, no window, no sound device, a virtual
// clock, scripted input and no real sleeping. hopwerk-replay and the unit tests run on it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/PlatformCommon.h"

namespace hopwerk {

// FocusLost / FocusGained: the game window loses the keyboard focus to another window and gets it
// back, as when the player switches away. Copy: a file is saved over another, as an editor saves
// (a temporary file beside the target renamed over it), so a run can change what the game reads.
struct ReplayEvent {
  enum class Kind { Down, Up, Type, FocusLost, FocusGained, Copy };
  int64_t frame = 0;  // takes effect once this many frames have been presented
  Kind kind = Kind::Down;
  int key = 0;       // Down / Up
  std::string text;  // Type; Copy: the file copied
  // Copy: the file written. Its initialiser lets brace lists that end before it go unwarned.
  std::string target = {};
};

// Parses the replay input format; on a bad line returns false with `error` naming the line.
// Copy events name files in `baseFolder` (the input file's folder) or below it, relative to it
// or absolute; without a baseFolder there are none.
bool ParseReplayScript(const std::string& text, std::vector<ReplayEvent>& events,
                       std::string& error, const std::string& baseFolder = "");
// Key names of the replay format ("ESC", "A", "F1", "LSHIFT", or a decimal code of two or three
// digits; a lone digit is the digit key); -1 if unknown.
int ReplayKeyCode(const std::string& name);

struct HeadlessOptions {
  std::string programFolder;  // the project folder; ends in "/"
  std::string homeFolder;     // Documents/ and AppData/ live under it
  std::string workingFolder;  // initial working folder; empty: programFolder
  std::vector<ReplayEvent> events;
  int64_t frameLimit = -1;          // stop after this many presented frames; -1: never
  std::string driverAnswer = "DX";  // "GL", "DX" or "close"
  uint32_t seed = 1;
  std::vector<DisplayMode> modes;        // full-screen modes offered, in order
  std::map<int64_t, std::string> shots;  // frame number -> PNG file
  int64_t pictureBudgetBytes = kPictureBudgetBytes;
  // Every output line (trace, console|, notice|, sound|); default: stdout, flushed per line.
  std::function<void(const std::string&)> output;
};

class HeadlessPlatform : public PlatformCommon {
 public:
  explicit HeadlessPlatform(HeadlessOptions options);
  ~HeadlessPlatform() override;

  bool OpenDisplay(int width, int height, int depth, int hertz) override;
  void CloseDisplay() override;
  std::vector<DisplayMode> ListDisplayModes() override { return options_.modes; }
  void HideMousePointer() override {}
  void SetWindowTitle(const std::string& title) override { windowTitle_ = title; }
  void PresentFrame(int sync) override;

  int KeyHits(int key) override;
  bool IsKeyDown(int key) override;
  void FlushKeys() override;
  int WaitAnyKey() override;
  [[noreturn]] void WaitAnyKeyThenEnd(int status) override;
  int NextTypedChar() override;

  SoundPtr LoadSoundFile(const std::string& path, bool loop) override;
  Channel PlaySoundOn(const SoundPtr& sound) override;
  void StopChannel(Channel channel) override;
  bool ChannelPlaying(Channel channel) override;
  void SetChannelVolume(Channel channel, float volume) override;

  int32_t ClockMillis() override;
  void SleepMillis(int ms) override;

  std::string ProgramFolder() override { return options_.programFolder; }
  // The machine's own mounts would make replays differ between machines: one root volume.
  std::vector<Volume> ListVolumes() override;
  std::string UserAppDataFolder() override;
  std::string UserDocumentsFolder() override;

  void ShowNotice(const std::string& text, bool serious) override;
  void TraceLine(const std::string& text) override;
  ChoiceDialogResult RunChoiceDialog(const ChoiceDialogSpec& spec) override;
  void NoteConsoleLine(const std::string& text) override;

  [[noreturn]] void EndProgram(int status) override;

  // For the runner and tests.
  int64_t PresentedFrames() const { return frames_; }
  // The last presented frame (x8r8g8b8), empty before the first.
  const std::vector<uint32_t>& LastFrame() const { return compositor_.PresentedPixels(); }
  int LastFrameWidth() const { return compositor_.PresentedWidth(); }
  int LastFrameHeight() const { return compositor_.PresentedHeight(); }
  const std::string& WindowTitle() const { return windowTitle_; }
  void Emit(const std::string& line);

 protected:
  std::tm LocalNow() override;
  std::string UserPicturesFolder() override;

 private:
  void ApplyEventsUpTo(int64_t frame);
  // The next key press, the clock jumping to it; `dry` ends the run when the script has none.
  int WaitForPress(const ProgramEnd& dry);
  void PressKey(int key);
  void CopyFile(const ReplayEvent& event);
  int64_t NowMillis() const;  // the virtual clock, unwrapped
  void WriteShot(int64_t frame);

  HeadlessOptions options_;
  int64_t frames_ = 0;
  int64_t sleptMillis_ = 0;
  size_t nextEvent_ = 0;
  int keyHits_[256] = {};
  bool keyDown_[256] = {};
  std::vector<int> typed_;
  size_t typedRead_ = 0;
  std::vector<int64_t> channelEnds_;  // virtual end time of each channel's sound, or -1 loop
  std::string programAbsolute_;       // the program folder, absolute and normalised
};

}  // namespace hopwerk
