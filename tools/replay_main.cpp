// hopwerk-replay: plays a project folder headless and deterministically from scripted input,
// printing the trace. The interface of every end-to-end test.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "codec/PngWriter.h"
#include "engine/Engine.h"
#include "files/ByteStream.h"
#include "frontend/InstallScreens.h"
#include "gameplay/StartLevel.h"
#include "platform/HeadlessPlatform.h"
#include "shell/StartUp.h"
#include "try/TryMode.h"

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
    "  --state               print the play state at the end\n"
    "  --try MAP|LEVEL       start straight in a level, as hopwerk --try does\n"
    "  --skill SKILL         with --try: easy, medium or hard instead of Medium\n";

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
  std::string project;   // absolute, ends in "/"
  std::string tryLevel;  // what --try names; empty: the game from its start
  int skill = 1;         // what --skill names
  std::string screenshot;
  bool state = false;
  std::string home;
  bool temporaryHome = false;
};

RunnerOptions ParseArguments(int argc, char** argv) {
  RunnerOptions options;
  std::string project;
  std::string input;
  bool skillGiven = false;
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
    } else if (arg == "--try") {
      options.tryLevel = value();
      if (options.tryLevel.empty()) UsageError("--try needs a map, a level folder or a level");
    } else if (arg == "--skill") {
      skillGiven = true;
      if (!ParseTrySkill(value(), options.skill)) UsageError("bad --skill (easy, medium, hard)");
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
  if (skillGiven && options.tryLevel.empty()) UsageError("--skill goes with --try");
  std::error_code ec;
  fs::path projectPath = fs::absolute(project, ec);
  if (ec || !fs::is_directory(projectPath)) UsageError("not a folder: " + project);
  std::string folder = projectPath.lexically_normal().generic_string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  options.headless.programFolder = folder;
  options.project = folder;

  if (!input.empty()) {
    std::ifstream in(input, std::ios::binary);
    if (!in) UsageError("cannot read input file " + input);
    // Read whole, so no larger than any other file the engine reads.
    const auto bytes = fs::file_size(input, ec);
    if (!ec && bytes > static_cast<uintmax_t>(kMaxReadFileBytes)) {
      UsageError("input file larger than " + std::to_string(kMaxReadFileBytes >> 20) +
                 " MiB: " + input);
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    // Files the script copies are named from its own folder.
    const std::string base = fs::absolute(input, ec).parent_path().generic_string();
    if (!ParseReplayScript(text.str(), options.headless.events, error, base)) {
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

std::string Joined(const std::vector<std::string>& values) {
  std::string text;
  for (const std::string& v : values) text += (text.empty() ? "" : ",") + v;
  return text;
}

template <typename T>
std::string NumberList(const T& values) {
  std::vector<std::string> texts;
  for (const auto& v : values) texts.push_back(std::to_string(v));
  return Joined(texts);
}

// Every play-state value the dump shows, in the documented order. Values of the player are
// empty while no level is loaded.
std::vector<std::pair<std::string, std::string>> StateFields(const Engine& engine) {
  const PlayerSettings& settings = engine.settings;
  const SessionState& session = engine.session;
  const ShellState& shell = engine.shell;
  const LevelState& level = engine.level;
  const RunningLevel& run = engine.run;
  const ObjectType* player = engine.level.Player;
  auto n = [](auto value) { return std::to_string(value); };
  auto of = [&](auto get) { return player ? std::to_string(get(*player)) : std::string(); };
  std::vector<int32_t> ammo;
  for (const WeaponType& w : engine.data.Weapons) ammo.push_back(w.Ammo);
  return {
      {"GameState", n(shell.GameState)},
      {"Episode", n(session.Episode)},
      {"Skill", n(session.Skill)},
      {"CurrentLevelName", session.CurrentLevelName},
      {"LevelTitle", level.LevelTitle},
      {"Score", n(session.Score)},
      {"Kills", n(session.Kills)},
      {"Deaths", n(session.Deaths)},
      {"Items", n(session.Items)},
      {"CheckpointX", n(session.CheckpointX)},
      {"CheckpointY", n(session.CheckpointY)},
      {"CheckpointScore", n(session.CheckpointScore)},
      {"CheckpointList", Joined(session.CheckpointList)},
      {"PlayerX", of([](const ObjectType& o) { return o.X; })},
      {"PlayerY", of([](const ObjectType& o) { return o.Y; })},
      {"PlayerHP", of([](const ObjectType& o) { return o.HP; })},
      {"PlayerOType", of([](const ObjectType& o) { return o.OType; })},
      {"Jumping", n(run.Jumping)},
      {"SelectedWeapon", n(session.SelectedWeapon)},
      {"Ammo", NumberList(ammo)},
      {"Keys", NumberList(run.Keys)},
      {"CameraX", n(run.CameraX)},
      {"CameraY", n(run.CameraY)},
      {"LevelCompleted", n(run.LevelCompleted)},
      {"CompletedCountdown", n(run.CompletedCountdown)},
      {"NextLevelName", run.NextLevelName},
      {"EpisodeEnds", n(run.EpisodeEnds)},
      {"GodMode", n(run.GodMode)},
      {"InfiniteJump", n(run.InfiniteJump)},
      {"CheatBuffer", run.CheatBuffer},
      {"Objects", n(engine.level.AllObjects.Count())},
      {"Scripts", n(engine.level.Scripts.Count())},
      {"Bullets", n(run.Bullets.Count())},
      {"EnemyBullets", n(run.EnemyBullets.Count())},
      {"KeyJump", n(settings.KeyJump)},
      {"KeyFire", n(settings.KeyFire)},
      {"KeyActivate", n(settings.KeyActivate)},
      {"KeyPause", n(settings.KeyPause)},
      {"Performance", n(settings.Performance)},
      {"PatchFolder", settings.PatchFolder},
      {"ProjectTitle", engine.project.ProjectTitle},
      {"ScreenWidth", n(engine.project.ScreenWidth)},
      {"ScreenHeight", n(engine.project.ScreenHeight)},
  };
}

void PrintState(HeadlessPlatform& platform, const Engine& engine) {
  for (const auto& [name, value] : StateFields(engine)) {
    platform.Emit("state| " + name + "=" + value);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RunnerOptions options = ParseArguments(argc, argv);
  // Declared before the platform, so the overlay it made outlives the game that plays it.
  TrySession trying;
  if (!options.tryLevel.empty()) {
    std::error_code ec;
    const std::string working = fs::current_path(ec).generic_string();
    std::vector<std::string> messages;
    trying.skill = options.skill;
    const bool ready = PrepareTry(options.tryLevel, working, options.project, trying, messages);
    for (const std::string& message : messages) std::cerr << "hopwerk-replay: " << message << "\n";
    if (!ready) {
      if (options.temporaryHome) fs::remove_all(options.home, ec);
      return 1;
    }
    options.headless.programFolder = trying.playFolder;
  }
  ProgramEnd end;
  int exitStatus = 0;
  {
    HeadlessPlatform platform(options.headless);
    Engine engine(platform);
    InstallFrontEndScreens(engine);
    InstallLevelPlay(engine);
    if (!options.tryLevel.empty()) InstallTryMode(engine, trying);
    try {
      RunProgram(engine, options.tryLevel.empty() ? StartMode::Menu : StartMode::Play);
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
