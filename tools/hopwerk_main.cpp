// hopwerk: plays a game project: the folder given on the command line, else the one beside
// the executable, else the installed demo game.
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/Engine.h"
#include "frontend/InstallScreens.h"
#include "gameplay/StartLevel.h"
#include "platform/ProjectFolder.h"
#include "platform/SdlPlatform.h"
#include "shell/StartUp.h"

namespace {

constexpr const char* kUsage =
    "usage: hopwerk [PATH]\n"
    "Plays the game project in PATH, the folder that holds its VXR/ archives and Data/ files.\n"
    "Without PATH it plays the project beside this program, else the demo game installed\n"
    "with it.\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "  --             take what follows as PATH, even if it starts with '-'\n";

struct Arguments {
  std::string project;
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

  int status = 0;
  {
    hopwerk::SdlPlatform platform(choice.folder);
    // The game starts in its own folder, as when launched from there, wherever the player was.
    if (!platform.ChangeFolder(choice.folder)) {
      std::cerr << "hopwerk: cannot enter the game project " << choice.folder << "\n";
      return 1;
    }
    hopwerk::Engine engine(platform);
    hopwerk::InstallFrontEndScreens(engine);
    hopwerk::InstallLevelPlay(engine);
    try {
      hopwerk::RunProgram(engine);
    } catch (const hopwerk::ProgramEnd& end) {
      status = end.status;
    }
  }
  return status;
}
