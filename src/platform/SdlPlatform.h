// The real platform: SDL2 owns the window, input, presentation and the choice dialog,
// SDL2_mixer plays the sounds, and every frame is drawn by the shared compositor.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FramePacer.h"
#include "platform/PlatformCommon.h"
#include "platform/SdlGamepads.h"
#include "platform/SoundChannels.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace hopwerk {

// The colour depth the engine asks for when it wants a mode of this SDL pixel format: 24-bit
// colour kept in 32-bit pixels (SDL's RGB888) is what a "32-bit" request means.
int DepthOfPixelFormat(uint32_t sdlPixelFormat);

// The folder of the running executable, ending in "/" ("./" when the system does not say).
std::string ExecutableFolder();

class SdlPlatform : public PlatformCommon {
 public:
  // `programFolder` is the game project to play (see ChooseProjectFolder).
  explicit SdlPlatform(std::string programFolder, uint32_t seed = 1);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  bool OpenDisplay(int width, int height, int depth, int hertz) override;
  void CloseDisplay() override;
  std::vector<DisplayMode> ListDisplayModes() override;
  void HideMousePointer() override;
  void SetWindowTitle(const std::string& title) override;
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

  std::string ProgramFolder() override;
  std::string UserAppDataFolder() override;
  std::string UserDocumentsFolder() override;

  void ShowNotice(const std::string& text, bool serious) override;
  void TraceLine(const std::string& text) override;
  ChoiceDialogResult RunChoiceDialog(const ChoiceDialogSpec& spec) override;

  [[noreturn]] void EndProgram(int status) override;

 protected:
  std::tm LocalNow() override;
  std::string UserPicturesFolder() override;

 private:
  bool StartVideo();
  bool CreateRenderer(bool vsync);
  void DestroyDisplay();
  // Shows the frame just drawn; ShowTexture shows the last one again (the window was uncovered
  // or resized).
  void ShowFrame();
  void ShowTexture();
  // Services the window system; returns false when the player closed the game window.
  bool PumpEvents();
  // The next key press; a closed window ends the program with `closedStatus`.
  int WaitForPress(int closedStatus);
  void HandleKeyEvent(const SDL_Event& event);
  void QueueTyped(int c);
  void SetRendererVsync(bool on);
  void HandleWindowEvent(const SDL_Event& event);
  // The refresh rate of the display the window is on now (0: unknown).
  int WindowRefreshRate();
  // Paces by the retrace only where the display runs at the game's rate, re-read whenever the
  // window moves to another display or changes between window and full screen.
  void TuneToDisplay();
  void ToggleFullScreen();
  // The player's last Alt+Enter choice, kept with their settings: "FullScreen", "Window" or ""
  // (none: the game's own choice stands).
  std::string RememberedWindowMode();
  void RememberWindowMode(bool fullScreen);
  void SetMuted(bool muted);
  bool StartAudio();
  void StopAudio();

  std::string programFolder_;
  bool videoStarted_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  FramePacer pacer_;
  int rate_ = 60;                // the frames a second the game asked for
  bool vsyncAvailable_ = false;  // the renderer was made with vsync (a 60 Hz display)
  bool vsyncOn_ = false;         // vsync currently set on the renderer
  bool needsRedraw_ = false;     // the window system lost what the window showed

  // Keys in virtual-key codes. Held keys are counted per scancode so that two physical keys
  // with one code (both Enter keys) do not release each other.
  int keyHits_[256] = {};
  int keyHeld_[256] = {};
  std::vector<bool> scancodeDown_;
  std::vector<int> typed_;
  size_t typedRead_ = 0;
  SdlGamepads pads_;

  bool audioTried_ = false;
  bool audioOpen_ = false;
  bool muted_ = false;  // while the window is in the background
  int mixerChannels_ = 0;
  ChannelTable channels_;
};

}  // namespace hopwerk
