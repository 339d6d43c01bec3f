// hopwerk: plays a game project: the folder given on the command line, else the one beside
// the executable, else the installed demo game.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "frontend/InstallScreens.h"
#include "gameplay/StartLevel.h"
#include "platform/ProjectFolder.h"
#include "platform/SdlPlatform.h"
#include "shell/StartUp.h"
#include "try/TryMode.h"

namespace {

constexpr const char* kUsage =
    "usage: hopwerk [PATH]\n"
    "       hopwerk --try MAP|LEVEL [--skill SKILL] [PATH]\n"
    "Plays the game project in PATH, the folder that holds its VXR/ archives and Data/ files.\n"
    "Without PATH it plays the project beside this program, else the demo game installed\n"
    "with it.\n"
    "  --try MAP|LEVEL  start straight in a level, on Medium: a map drawn in Tiled (.tmx,\n"
    "                   .tmj), imported and reloaded whenever it is saved; a folder of a\n"
    "                   level's readable forms; or the name of a level of the project\n"
    "  --skill SKILL    with --try: easy, medium or hard instead of Medium\n"
    "  -h, --help       print this help and exit\n"
    "  --version        print the version and exit\n"
    "  --               take what follows as PATH, even if it starts with '-'\n";

struct Arguments {
  std::string project;
  std::string tryLevel;  // what --try names; empty: the game as the player starts it
  int skill = 1;         // what --skill names
  bool skillGiven = false;
  bool help = false;
  bool version = false;
  std::string error;  // a usage error: status 2
};

Arguments ParseArguments(int argc, char** argv) {
  Arguments args;
  bool optionsEnded = false;
  int paths = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      args.help = true;
    } else if (!optionsEnded && arg == "--version") {
      args.version = true;
    } else if (!optionsEnded && arg == "--try") {
      if (i + 1 >= argc) {
        args.error = "--try needs a map, a level folder or a level's name";
      } else {
        args.tryLevel = argv[++i];
        if (args.tryLevel.empty())
          args.error = "--try needs a map, a level folder or a level's name";
      }
    } else if (!optionsEnded && arg == "--skill") {
      args.skillGiven = true;
      if (i + 1 >= argc || !hopwerk::ParseTrySkill(argv[++i], args.skill))
        args.error = "--skill needs easy, medium or hard";
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      args.error = "unknown option " + arg;
    } else if (arg.empty()) {
      args.error = "an empty PATH";
    } else if (++paths > 1) {
      args.error = "more than one PATH";
    } else {
      args.project = arg;
    }
    if (!args.error.empty()) break;
  }
  // A skill for the game from its menus would be chosen there; here it would be ignored unseen.
  if (args.error.empty() && args.skillGiven && args.tryLevel.empty())
    args.error = "--skill goes with --try";
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  const Arguments args = ParseArguments(argc, argv);
  if (!args.error.empty()) {
    std::cerr << "hopwerk: " << args.error << "\n" << kUsage;
    return 2;
  }
  if (args.help) {
    std::cout << kUsage;
    return 0;
  }
  if (args.version) {
    std::cout << "hopwerk " << HOPWERK_VERSION << "\n";
    return 0;
  }

  // Settled before any window opens: a wrong path is the player's to correct, not a game error.
  std::error_code ec;
  const std::string working = std::filesystem::current_path(ec).generic_string();
  const hopwerk::ProjectChoice choice = hopwerk::ChooseProjectFolder(
      args.project, working, hopwerk::ExecutableFolder(), HOPWERK_INSTALLED_DEMO);
  if (choice.folder.empty()) {
    std::cerr << "hopwerk: " << choice.problem << "\n";
    return 1;
  }

  // Declared before the platform, so the overlay it made outlives the game that plays it.
  hopwerk::TrySession trying;
  std::string played = choice.folder;
  if (!args.tryLevel.empty()) {
    std::vector<std::string> messages;
    trying.skill = args.skill;
    const bool ready = hopwerk::PrepareTry(args.tryLevel, working, choice.folder, trying, messages);
    for (const std::string& message : messages) std::cerr << "hopwerk: " << message << "\n";
    if (!ready) return 1;
    played = trying.playFolder;
  }

  int status = 0;
  {
    hopwerk::SdlPlatform platform(played);
    // The game starts in its own folder, as when launched from there, wherever the player was.
    if (!platform.ChangeFolder(played)) {
      std::cerr << "hopwerk: cannot enter the game project " << played << "\n";
      return 1;
    }
    hopwerk::Engine engine(platform);
    hopwerk::InstallFrontEndScreens(engine);
    hopwerk::InstallLevelPlay(engine);
    if (!args.tryLevel.empty()) hopwerk::InstallTryMode(engine, trying);
    try {
      hopwerk::RunProgram(
          engine, args.tryLevel.empty() ? hopwerk::StartMode::Menu : hopwerk::StartMode::Play);
    } catch (const hopwerk::ProgramEnd& end) {
      status = end.status;
    }
  }
  return status;
}
