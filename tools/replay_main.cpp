// hopwerk-replay: plays a project folder headless and deterministically from scripted input,
// printing the trace. The interface of every end-to-end test.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "frontend/InstallScreens.h"
#include "platform/HeadlessPlatform.h"
#include "shell/StartUp.h"

namespace fs = std::filesystem;
using namespace hopwerk;

namespace {

constexpr const char* kUsage =
    "usage: hopwerk-replay [options] PROJECT_DIR\n"
    "  --input FILE          scripted input; none: no keys at all\n"
    "  --frames N            stop after N presented frames\n"
    "  --driver GL|DX|close  the driver dialog's answer (default DX)\n"
    "  --seed N              seed of RandomInt (default 1)\n"
    "  --home DIR            per-user root (default: a fresh temporary folder)\n"
    "  --modes WxHxD,...     full-screen modes offered, in that order\n"
    "  --shot F:FILE         write the frame presented as frame F as PNG (repeatable)\n"
    "  --screenshot FILE     write the last presented frame as PNG\n"
    "  --state               print the play state at the end\n";

[[noreturn]] void UsageError(const std::string& message) {
  std::cerr << "hopwerk-replay: " << message << "\n" << kUsage;
  std::exit(2);
}

bool ParseInt64(const std::string& text, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end != nullptr && *end == '\0';
}

std::vector<DisplayMode> ParseModes(const std::string& text) {
  std::vector<DisplayMode> modes;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    DisplayMode m;
    char x1 = 0, x2 = 0;
    std::istringstream in(item);
    const bool read = static_cast<bool>(in >> m.width >> x1 >> m.height >> x2 >> m.depth);
    // Anything after the depth is a typing mistake, not a mode to offer silently cut short.
    const bool whole = read && (in >> std::ws).eof();
    if (!whole || x1 != 'x' || x2 != 'x' || m.width <= 0 || m.height <= 0) {
      UsageError("bad mode '" + item + "' (expected WxHxD)");
    }
    m.hertz = 60;
    modes.push_back(m);
  }
  return modes;
}

struct RunnerOptions {
  HeadlessOptions headless;
  std::string screenshot;
  bool state = false;
  std::string home;
  bool temporaryHome = false;
};

RunnerOptions ParseArguments(int argc, char** argv) {
  RunnerOptions options;
  std::string project;
  std::string input;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) UsageError(arg + " needs a value");
      return argv[++i];
    };
    long long number = 0;
    if (arg == "--input") {
      input = value();
    } else if (arg == "--frames") {
      if (!ParseInt64(value(), number) || number < 0) UsageError("bad --frames");
      options.headless.frameLimit = number;
    } else if (arg == "--driver") {
      const std::string driver = value();
      if (driver != "GL" && driver != "DX" && driver != "close") UsageError("bad --driver");
      options.headless.driverAnswer = driver;
    } else if (arg == "--seed") {
      if (!ParseInt64(value(), number) || number < 0 || number > 0xFFFFFFFFLL) {
        UsageError("bad --seed");
      }
      options.headless.seed = static_cast<uint32_t>(number);
    } else if (arg == "--home") {
      options.home = value();
    } else if (arg == "--modes") {
      options.headless.modes = ParseModes(value());
    } else if (arg == "--shot") {
      const std::string shot = value();
      const size_t colon = shot.find(':');
      if (colon == std::string::npos || !ParseInt64(shot.substr(0, colon), number) || number < 0 ||
          colon + 1 >= shot.size()) {
        UsageError("bad --shot (expected F:FILE)");
      }
      options.headless.shots[number] = shot.substr(colon + 1);
    } else if (arg == "--screenshot") {
      options.screenshot = value();
    } else if (arg == "--state") {
      options.state = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      std::exit(0);
    } else if (!arg.empty() && arg[0] == '-') {
      UsageError("unknown option " + arg);
    } else if (project.empty()) {
      project = arg;
    } else {
      UsageError("more than one project folder");
    }
  }
  if (project.empty()) UsageError("no project folder");
  std::error_code ec;
  fs::path projectPath = fs::absolute(project, ec);
  if (ec || !fs::is_directory(projectPath)) UsageError("not a folder: " + project);
  std::string folder = projectPath.lexically_normal().generic_string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  options.headless.programFolder = folder;

  if (!input.empty()) {
    std::ifstream in(input, std::ios::binary);
    if (!in) UsageError("cannot read input file " + input);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!ParseReplayScript(text.str(), options.headless.events, error)) {
      UsageError(input + ": " + error);
    }
  }
  if (options.home.empty()) {
    std::string pattern = (fs::temp_directory_path() / "hopwerk-replay-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) UsageError("cannot make a temporary home folder");
    options.home = pattern;
    options.temporaryHome = true;
  }
  options.headless.homeFolder = fs::absolute(options.home).generic_string();
  return options;
}

void PrintState(HeadlessPlatform& platform, const Engine& engine) {
  const PlayState& play = engine.play;
  auto line = [&](const std::string& name, const std::string& value) {
    platform.Emit("state| " + name + "=" + value);
  };
  auto list = [](const auto& values) {
    std::string text;
    for (const auto& v : values) text += (text.empty() ? "" : ",") + std::to_string(v);
    return text;
  };
  std::vector<int32_t> ammo;
  for (const WeaponType& w : engine.data.Weapons) ammo.push_back(w.Ammo);
  line("GameState", std::to_string(play.GameState));
  line("Episode", std::to_string(play.Episode));
  line("Skill", std::to_string(play.Skill));
  line("CurrentLevelName", play.CurrentLevelName);
  line("LevelTitle", play.LevelTitle);
  line("Score", std::to_string(play.Score));
  line("Kills", std::to_string(play.Kills));
  line("Deaths", std::to_string(play.Deaths));
  line("Items", std::to_string(play.Items));
  line("SelectedWeapon", std::to_string(play.SelectedWeapon));
  line("Ammo", list(ammo));
  line("Keys", list(play.Keys));
  line("KeyJump", std::to_string(play.KeyJump));
  line("KeyFire", std::to_string(play.KeyFire));
  line("KeyActivate", std::to_string(play.KeyActivate));
  line("KeyPause", std::to_string(play.KeyPause));
  line("Performance", std::to_string(play.Performance));
  line("PatchFolder", play.PatchFolder);
  line("ProjectTitle", engine.project.ProjectTitle);
  line("ScreenWidth", std::to_string(engine.project.ScreenWidth));
  line("ScreenHeight", std::to_string(engine.project.ScreenHeight));
}

}  // namespace

int main(int argc, char** argv) {
  RunnerOptions options = ParseArguments(argc, argv);
  ProgramEnd end;
  int exitStatus = 0;
  {
    HeadlessPlatform platform(options.headless);
    Engine engine(platform);
    InstallFrontEndScreens(engine);
    try {
      RunProgram(engine);
    } catch (const ProgramEnd& e) {
      end = e;
    }
    platform.Emit("end| reason=" + end.reason + " status=" + std::to_string(end.status) +
                  " frame=" + std::to_string(platform.PresentedFrames()));
    if (options.state) PrintState(platform, engine);
    if (end.reason == "exit") exitStatus = end.status;
    // A screenshot that was asked for and not written fails the run, however the game ended.
    if (!options.screenshot.empty()) {
      if (platform.LastFrame().empty() ||
          !WritePng(options.screenshot, platform.LastFrame().data(), platform.LastFrameWidth(),
                    platform.LastFrameHeight())) {
        std::cerr << "hopwerk-replay: could not write " << options.screenshot << "\n";
        exitStatus = 2;
      }
    }
  }
  if (options.temporaryHome) {
    std::error_code ec;
    fs::remove_all(options.home, ec);
  }
  return exitStatus;
}
