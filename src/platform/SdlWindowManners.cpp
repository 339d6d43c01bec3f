// How the game window behaves on a desktop: Alt+Enter between window and full screen (the
// choice kept with the player's settings), pacing re-tuned when the window lands on another
// display, and sound muted while another window has the focus.
#include <SDL.h>

#include "platform/SdlPlatform.h"

namespace hopwerk {

namespace {

const char* const kFullScreen = "FullScreen";
const char* const kWindow = "Window";

}  // namespace

void SdlPlatform::HandleWindowEvent(const SDL_Event& event) {
  switch (event.window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      needsRedraw_ = true;
      break;
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
      TuneToDisplay();
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      NoteFocusLost();
      SetMuted(true);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      NoteFocusGained();
      SetMuted(false);
      break;
    default:
      break;
  }
}

int SdlPlatform::WindowRefreshRate() {
  if (window_ == nullptr) return 0;
  SDL_DisplayMode mode;
  // A full screen of its own mode runs at that mode's rate; otherwise the desktop's.
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN &&
      SDL_GetWindowDisplayMode(window_, &mode) == 0) {
    return mode.refresh_rate;
  }
  const int index = SDL_GetWindowDisplayIndex(window_);
  return SDL_GetDesktopDisplayMode(index < 0 ? 0 : index, &mode) == 0 ? mode.refresh_rate : 0;
}

void SdlPlatform::TuneToDisplay() {
  if (renderer_ == nullptr) return;
  const bool retrace = WindowRefreshRate() == rate_;
  // A renderer made for another rate had no vsync; a 60 Hz display can still lend it one.
  if (retrace && !vsyncAvailable_ && SDL_RenderSetVSync(renderer_, 1) == 0) {
    vsyncAvailable_ = true;
    vsyncOn_ = true;
  }
  const bool pacedByRetrace = retrace && vsyncAvailable_;
  if (pacedByRetrace != pacer_.vsync) {
    // A new schedule from the next frame on; the game neither jumps ahead nor waits.
    pacer_ =
        MakeFramePacer(static_cast<int64_t>(SDL_GetPerformanceFrequency()), rate_, pacedByRetrace);
  }
}

void SdlPlatform::ToggleFullScreen() {
  if (window_ == nullptr) return;
  const bool fullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  // Full screen at the desktop's own resolution: no mode switch for the monitor to sync to, and
  // the picture is letterboxed at its proportions like a resized window.
  if (SDL_SetWindowFullscreen(window_, fullScreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    return;
  }
  RememberWindowMode(!fullScreen);
  TuneToDisplay();
  needsRedraw_ = true;
}

std::string SdlPlatform::RememberedWindowMode() {
  auto file = OpenReadFile(UserAppDataFolder() + "/QVD_Hopwerk/WindowMode");
  if (!file) return "";
  std::string line = file->ReadLine();
  file->Close();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line == kFullScreen || line == kWindow ? line : "";
}

void SdlPlatform::RememberWindowMode(bool fullScreen) {
  const std::string folder = UserAppDataFolder() + "/QVD_Hopwerk";
  MakeFolder(folder, true);
  auto file = OpenWriteFile(folder + "/WindowMode");
  if (!file) return;
  file->WriteLine(fullScreen ? kFullScreen : kWindow);
  file->Close();
}

}  // namespace hopwerk
