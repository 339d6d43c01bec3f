// hopwerk-window-replay: plays a game project from a replay input file, as hopwerk-replay reads
// it, in a real window with the real renderer, sound, clock and pace. What the replay tests
// check headless is seen here as a player sees it. The driver dialog is answered with its
// first choice; each event is handed to the window's event queue as the key or the typing of
// a player, after the frame it is scheduled for is presented. It ends printing where the game
// stands. The real clock times shots and pauses, so a long run may end a shot apart from the
// headless one, as two players pressing the same keys would.
#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "frontend/InstallScreens.h"
#include "gameplay/StartLevel.h"
#include "platform/HeadlessPlatform.h"
#include "platform/KeyMap.h"
#include "platform/SdlPlatform.h"
#include "shell/StartUp.h"

namespace hopwerk {
namespace {

SDL_Scancode ScancodeOf(int key) {
  for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
    if (WindowsKeyFromScancode(s) == key) return static_cast<SDL_Scancode>(s);
  }
  return SDL_SCANCODE_UNKNOWN;
}

class ScriptedWindow : public SdlPlatform {
 public:
  ScriptedWindow(const std::string& project, uint32_t seed, std::vector<ReplayEvent> events,
                 int64_t frameLimit)
      : SdlPlatform(project, seed), events_(std::move(events)), frameLimit_(frameLimit) {}

  void PresentFrame(int sync) override {
    ++presented_;
    // Queued before the base class shows the frame and reads the queue, as hopwerk-replay
    // hands over a frame's events once it is presented.
    while (next_ < events_.size() && events_[next_].frame <= presented_) Push(events_[next_++]);
    SdlPlatform::PresentFrame(sync);
    if (frameLimit_ > 0 && presented_ >= frameLimit_) EndProgram(0);
  }
  // A wait for a key presents no frames: the script's next press comes at once.
  int WaitAnyKey() override {
    while (next_ < events_.size()) {
      const bool press = events_[next_].kind == ReplayEvent::Kind::Down;
      Push(events_[next_++]);
      if (press) break;
    }
    return SdlPlatform::WaitAnyKey();
  }
  ChoiceDialogResult RunChoiceDialog(const ChoiceDialogSpec& spec) override {
    (void)spec;
    return {};
  }
  int64_t Presented() const { return presented_; }

 private:
  void Push(const ReplayEvent& e) {
    SDL_Event event{};
    if (e.kind == ReplayEvent::Kind::Type) {
      for (const char c : e.text) {
        event = {};
        event.type = SDL_TEXTINPUT;
        event.text.text[0] = c;
        SDL_PushEvent(&event);
      }
      return;
    }
    if (e.kind != ReplayEvent::Kind::Down && e.kind != ReplayEvent::Kind::Up) return;
    event.type = e.kind == ReplayEvent::Kind::Down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = e.kind == ReplayEvent::Kind::Down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = ScancodeOf(e.key);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    SDL_PushEvent(&event);
  }

  std::vector<ReplayEvent> events_;
  size_t next_ = 0;
  int64_t presented_ = 0;
  int64_t frameLimit_ = 0;
};

}  // namespace
}  // namespace hopwerk

int main(int argc, char** argv) {
  using namespace hopwerk;
  if (argc != 4 && argc != 5) {
    std::cerr << "usage: hopwerk-window-replay INPUT FRAMES PROJECT_DIR [SEED]\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<ReplayEvent> events;
  std::string error;
  if (!in || !ParseReplayScript(text.str(), events, error, "")) {
    std::cerr << "hopwerk-window-replay: " << argv[1] << ": " << error << "\n";
    return 2;
  }
  std::string project = std::filesystem::absolute(argv[3]).lexically_normal().generic_string();
  if (project.back() != '/') project += '/';
  int status = 0;
  {
    ScriptedWindow platform(project, argc == 5 ? static_cast<uint32_t>(std::stoul(argv[4])) : 1,
                            std::move(events), std::stoll(argv[2]));
    if (!platform.ChangeFolder(project)) return 1;
    Engine engine(platform);
    InstallFrontEndScreens(engine);
    InstallLevelPlay(engine);
    try {
      RunProgram(engine, StartMode::Menu);
    } catch (const ProgramEnd& end) {
      status = end.status;
    }
    const ObjectType* player = engine.level.Player;
    std::printf("frames %lld level %s x %d y %d score %d items %d kills %d deaths %d\n",
                static_cast<long long>(platform.Presented()),
                engine.session.CurrentLevelName.c_str(), player ? player->X : -1,
                player ? player->Y : -1, engine.session.Score, engine.session.Items,
                engine.session.Kills, engine.session.Deaths);
  }
  return status;
}
