#include "platform/SdlPlatform.h"

#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/KeyCodes.h"
#include "platform/KeyMap.h"
#include "platform/Letterbox.h"
#include "platform/XdgFolders.h"

namespace hopwerk {

namespace {

constexpr int kDefaultHertz = 60;
// Typing nobody reads (no text field on screen) must not pile up without end.
constexpr size_t kTypedQueueLimit = 256;
// user-dirs.dirs is a few lines; anything bigger is not one.
constexpr std::streamsize kUserDirsLimit = 64 * 1024;

const char* RendererNameFor(Backend backend) {
  if (backend == Backend::OpenGL) return "opengl";
#ifdef _WIN32
  return "direct3d";
#else
  // Without Direct3D the software renderer is the dependable choice the dialog promises.
  return "software";
#endif
}

int RenderDriverIndex(const char* name) {
  const int count = SDL_GetNumRenderDrivers();
  for (int i = 0; i < count; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name != nullptr &&
        SDL_strcmp(info.name, name) == 0) {
      return i;
    }
  }
  return -1;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return pw->pw_dir;
  }
  return "/";
}

std::string ReadSmallTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  std::string text(static_cast<size_t>(kUserDirsLimit), '\0');
  in.read(text.data(), kUserDirsLimit);
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

}  // namespace

int DepthOfPixelFormat(uint32_t sdlPixelFormat) {
  const int bits = static_cast<int>(SDL_BITSPERPIXEL(sdlPixelFormat));
  if (bits == 24 && SDL_BYTESPERPIXEL(sdlPixelFormat) == 4) return 32;
  return bits;
}

SdlPlatform::SdlPlatform(std::string programFolder, uint32_t seed)
    : PlatformCommon(seed),
      programFolder_(std::move(programFolder)),
      scancodeDown_(SDL_NUM_SCANCODES, false) {
  SDL_Init(SDL_INIT_TIMER);
  pacer_ =
      MakeFramePacer(static_cast<int64_t>(SDL_GetPerformanceFrequency()), kDefaultHertz, false);
}

SdlPlatform::~SdlPlatform() {
  DestroyDisplay();
  StopAudio();
  pads_.Stop();
  SDL_Quit();
}

bool SdlPlatform::StartVideo() {
  if (videoStarted_) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  videoStarted_ = true;
  // Pads come with the window that receives their events; a missing subsystem leaves the
  // keyboard working as before.
  pads_.Start(UserAppDataFolder() + "/QVD_Hopwerk/gamecontrollerdb.txt");
  return true;
}

// --- Display ---

bool SdlPlatform::OpenDisplay(int width, int height, int depth, int hertz) {
  if (!DisplaySizeAllowed(width, height)) return false;
  if (!StartVideo()) return false;
  DestroyDisplay();
  displayOpen_ = false;
  rate_ = hertz > 0 ? hertz : kDefaultHertz;
  // The player's own Alt+Enter choice outweighs the game's.
  const std::string remembered = RememberedWindowMode();
  const bool fullScreenDesktop = depth == 0 && remembered == "FullScreen";
  if (depth != 0 && remembered == "Window") depth = 0;

  Uint32 flags = SDL_WINDOW_HIDDEN;
  SDL_DisplayMode mode{};
  bool found = false;
  if (depth == 0) {
    flags |= SDL_WINDOW_RESIZABLE;
    if (fullScreenDesktop) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  } else {
    // An exact mode of the list; the refresh rate only decides between equal sizes, since
    // the game paces itself whatever the monitor runs at.
    flags |= SDL_WINDOW_FULLSCREEN;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
      if (m.w != width || m.h != height || DepthOfPixelFormat(m.format) != depth) continue;
      if (!found || (mode.refresh_rate != rate_ && m.refresh_rate == rate_)) {
        mode = m;
        found = true;
      }
    }
    if (!found) return false;
  }

  window_ = SDL_CreateWindow(windowTitle_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width, height, flags);
  if (window_ == nullptr) return false;
  if (found && SDL_SetWindowDisplayMode(window_, &mode) != 0) {
    DestroyDisplay();
    return false;
  }

  // The retrace paces the game only where it runs at the game's own rate.
  if (!CreateRenderer(WindowRefreshRate() == rate_)) {
    DestroyDisplay();
    return false;
  }
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                               width, height);
  if (texture_ == nullptr) {
    DestroyDisplay();
    return false;
  }
  compositor_.Resize(width, height);
  pacer_ =
      MakeFramePacer(static_cast<int64_t>(SDL_GetPerformanceFrequency()), rate_, vsyncAvailable_);
  displayOpen_ = true;
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_StartTextInput();
  // Nothing in the game is worked with the mouse; SDL hides it over our window only.
  SDL_ShowCursor(SDL_DISABLE);
  ShowFrame();  // black, instead of whatever the window system leaves in a new window
  return true;
}

bool SdlPlatform::CreateRenderer(bool vsync) {
  const char* name = RendererNameFor(backend_);
  const Uint32 flags = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, name);
  const int index = RenderDriverIndex(name);
  if (index >= 0) renderer_ = SDL_CreateRenderer(window_, index, flags);
  if (renderer_ == nullptr) {
    // The chosen way to the screen is not available here: any renderer shows the same frame.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "");
    renderer_ = SDL_CreateRenderer(window_, -1, flags);
  }
  if (renderer_ == nullptr) return false;
  SDL_RendererInfo info;
  vsyncAvailable_ =
      SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  vsyncOn_ = vsyncAvailable_;
  return true;
}

void SdlPlatform::DestroyDisplay() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  vsyncAvailable_ = false;
  vsyncOn_ = false;
}

void SdlPlatform::CloseDisplay() {
  DestroyDisplay();
  displayOpen_ = false;
  if (videoStarted_) SDL_ShowCursor(SDL_ENABLE);
}

std::vector<DisplayMode> SdlPlatform::ListDisplayModes() {
  std::vector<DisplayMode> modes;
  if (!StartVideo()) return modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
    modes.push_back({m.w, m.h, DepthOfPixelFormat(m.format), m.refresh_rate});
  }
  return modes;
}

void SdlPlatform::HideMousePointer() {
  if (videoStarted_) SDL_ShowCursor(SDL_DISABLE);
}

void SdlPlatform::SetWindowTitle(const std::string& title) {
  windowTitle_ = title;
  if (window_ != nullptr) SDL_SetWindowTitle(window_, windowTitle_.c_str());
}

void SdlPlatform::SetRendererVsync(bool on) {
  if (renderer_ == nullptr || on == vsyncOn_) return;
  if (SDL_RenderSetVSync(renderer_, on ? 1 : 0) == 0) vsyncOn_ = on;
}

void SdlPlatform::ShowFrame() {
  if (renderer_ == nullptr || texture_ == nullptr) return;
  // Kept readable for a screenshot while the next frame is drawn.
  compositor_.MarkPresented();
  const int w = compositor_.PresentedWidth();
  const int h = compositor_.PresentedHeight();
  const std::vector<uint32_t>& pixels = compositor_.PresentedPixels();
  if (w > 0 && h > 0 && pixels.size() >= static_cast<size_t>(w) * static_cast<size_t>(h)) {
    SDL_UpdateTexture(texture_, nullptr, pixels.data(), w * 4);
  }
  ShowTexture();
}

void SdlPlatform::ShowTexture() {
  if (renderer_ == nullptr || texture_ == nullptr) return;
  const int w = compositor_.PresentedWidth();
  const int h = compositor_.PresentedHeight();
  int outW = 0;
  int outH = 0;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  const ScreenRect shown = LetterboxRect(w, h, outW, outH);
  // Whole-number scales keep pixels sharp; others are smoothed rather than unevenly doubled.
  SDL_SetTextureScaleMode(texture_,
                          IsWholeScale(w, h, shown) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect dst{shown.x, shown.y, shown.w, shown.h};
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

void SdlPlatform::PresentFrame(int sync) {
  if (sync == 0) {
    SetRendererVsync(false);
    ShowFrame();
    FramePacerReset(pacer_);
  } else {
    SetRendererVsync(vsyncAvailable_ && pacer_.vsync);
    const int64_t frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    const int64_t wait = FramePacerWait(pacer_, static_cast<int64_t>(SDL_GetPerformanceCounter()));
    const int64_t waitMillis = wait * 1000 / frequency;
    if (waitMillis > 0) SDL_Delay(static_cast<Uint32>(waitMillis));
    ShowFrame();
    FramePacerPresented(pacer_, static_cast<int64_t>(SDL_GetPerformanceCounter()));
  }
  if (!PumpEvents()) EndProgram(0);
}

// --- Events and keys ---

bool SdlPlatform::PumpEvents() {
  if (!videoStarted_) return true;
  bool open = true;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    switch (event.type) {
      case SDL_QUIT:
        open = false;
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) open = false;
        HandleWindowEvent(event);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        HandleKeyEvent(event);
        break;
      case SDL_TEXTINPUT:
        for (const int c : Utf8ToLatin1(event.text.text)) QueueTyped(c);
        break;
      default:
        pads_.HandleEvent(event, boundKeys_);
        break;
    }
  }
  for (const int key : pads_.Keys().TakePresses()) {
    if (keyHits_[key] < INT_MAX) ++keyHits_[key];
    if (key == kKeyEnter) QueueTyped(kKeyEnter);
  }
  return open;
}

void SdlPlatform::QueueTyped(int c) {
  if (typedRead_ > 0 && typedRead_ >= typed_.size()) {
    typed_.clear();
    typedRead_ = 0;
  }
  if (typed_.size() - typedRead_ < kTypedQueueLimit) typed_.push_back(c);
}

void SdlPlatform::HandleKeyEvent(const SDL_Event& event) {
  const int scancode = static_cast<int>(event.key.keysym.scancode);
  const int key = WindowsKeyFromScancode(scancode);
  if (key == 0) return;
  const auto index = static_cast<size_t>(scancode);
  if (event.type == SDL_KEYDOWN && key == kKeyEnter && (event.key.keysym.mod & KMOD_ALT) != 0) {
    // The desktop's own shortcut: the game never sees this Enter, or a menu would take it.
    if (event.key.repeat == 0) ToggleFullScreen();
    return;
  }
  if (event.type == SDL_KEYDOWN) {
    if (!scancodeDown_[index]) {
      // Also after FlushKeys while the key is still held: its repeats show it is down.
      scancodeDown_[index] = true;
      ++keyHeld_[key];
    }
    if (event.key.repeat == 0) {
      if (keyHits_[key] < INT_MAX) ++keyHits_[key];
      if (key == kKeyEnter) QueueTyped(kKeyEnter);
      NoteKeyPressed(key);
    }
    // Backspace repeats while held, as the letters typed beside it do.
    if (key == kKeyBackspace) QueueTyped(kKeyBackspace);
  } else if (scancodeDown_[index]) {
    scancodeDown_[index] = false;
    if (keyHeld_[key] > 0) --keyHeld_[key];
  }
}

int SdlPlatform::KeyHits(int key) {
  if (key < 1 || key > 255) return 0;
  const int hits = keyHits_[key];
  keyHits_[key] = 0;
  return hits;
}

bool SdlPlatform::IsKeyDown(int key) {
  return key >= 1 && key <= 255 && (keyHeld_[key] > 0 || pads_.Keys().IsDown(key));
}

void SdlPlatform::FlushKeys() {
  std::fill(std::begin(keyHits_), std::end(keyHits_), 0);
  std::fill(std::begin(keyHeld_), std::end(keyHeld_), 0);
  std::fill(scancodeDown_.begin(), scancodeDown_.end(), false);
  // A pad's held buttons stay held: unlike a keyboard it sends no repeats that would show them
  // down again.
  pads_.Keys().DropPresses();
  // Typing done before a flush belongs to the screen that was left.
  typed_.clear();
  typedRead_ = 0;
}

int SdlPlatform::WaitAnyKey() {
  return WaitForPress(0);
}

void SdlPlatform::WaitAnyKeyThenEnd(int status) {
  WaitForPress(status);
  EndProgramNow(*this, status);
}

int SdlPlatform::WaitForPress(int closedStatus) {
  while (true) {
    if (!PumpEvents()) EndProgram(closedStatus);
    // A press not yet read answers at once (lowest key code first) and is used up.
    for (int key = 1; key <= 255; ++key) {
      if (keyHits_[key] > 0) {
        --keyHits_[key];
        return key;
      }
    }
    if (needsRedraw_) {
      needsRedraw_ = false;
      ShowTexture();
    }
    if (!videoStarted_) {
      SDL_Delay(10);
    } else {
      SDL_WaitEventTimeout(nullptr, 20);
    }
  }
}

int SdlPlatform::NextTypedChar() {
  if (typedRead_ >= typed_.size()) {
    typed_.clear();
    typedRead_ = 0;
    return 0;
  }
  return typed_[typedRead_++];
}

// --- Time ---

int32_t SdlPlatform::ClockMillis() {
  return static_cast<int32_t>(SDL_GetTicks());
}

void SdlPlatform::SleepMillis(int ms) {
  if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

std::tm SdlPlatform::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

// --- Folders ---

std::string ExecutableFolder() {
  std::string folder;
  if (char* base = SDL_GetBasePath(); base != nullptr) {
    folder = base;
    SDL_free(base);
  } else {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length > 0) {
      folder.assign(buffer, static_cast<size_t>(length));
      const size_t slash = folder.rfind('/');
      folder = slash == std::string::npos ? "" : folder.substr(0, slash + 1);
    }
  }
  if (folder.empty()) folder = "./";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string SdlPlatform::ProgramFolder() {
  return programFolder_;
}

std::string SdlPlatform::UserAppDataFolder() {
  return XdgDataFolder(std::getenv("XDG_DATA_HOME"), HomeFolder());
}

std::string SdlPlatform::UserDocumentsFolder() {
  const std::string home = HomeFolder();
  const std::string config = XdgConfigFolder(std::getenv("XDG_CONFIG_HOME"), home);
  return XdgDocumentsFolder(ReadSmallTextFile(config + "/user-dirs.dirs"), home);
}

std::string SdlPlatform::UserPicturesFolder() {
  const std::string home = HomeFolder();
  const std::string config = XdgConfigFolder(std::getenv("XDG_CONFIG_HOME"), home);
  return XdgPicturesFolder(ReadSmallTextFile(config + "/user-dirs.dirs"), home);
}

// --- Messages ---

void SdlPlatform::ShowNotice(const std::string& text, bool serious) {
  const std::string title = windowTitle_.empty() ? "Hopwerk" : windowTitle_;
  const Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), window_) != 0) {
    // No way to show a box (no display): the message must still reach the player.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
  }
}

void SdlPlatform::TraceLine(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void SdlPlatform::EndProgram(int status) {
  throw ProgramEnd{status, "exit"};
}

}  // namespace hopwerk
