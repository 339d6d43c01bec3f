// Which game project the program plays: the folder given on the command line, else the one
// beside the executable, else the demo game installed with the engine.
#pragma once

#include <string>

namespace hopwerk {

struct ProjectChoice {
  std::string folder;   // absolute, normalised, ends in "/"; empty when there is no project
  std::string problem;  // for the player when folder is empty: which folder, and what it lacks
};

// What keeps `folder` from being a game project ("it has no VXR folder", ...); empty when it
// holds both VXR/ and Data/.
std::string MissingProjectPart(const std::string& folder);

// `given` is the player's path (empty: none), relative to `workingFolder` unless absolute.
// Without one, the project beside `executableFolder` is played, else the installed demo at
// `installedDemo` (relative to `executableFolder` unless absolute: "../share/hopwerk/demo"
// where the build installs it).
ProjectChoice ChooseProjectFolder(const std::string& given, const std::string& workingFolder,
                                  const std::string& executableFolder,
                                  const std::string& installedDemo);

}  // namespace hopwerk
