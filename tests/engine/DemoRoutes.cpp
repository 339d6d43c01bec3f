#include "DemoRoutes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace hopwerk::test {

namespace {

const std::string kRoutes = std::string(HOPWERK_SOURCE_DIR) + "/tests/engine/demo_routes/";

// The lines of a route file that are not comments, each split at its first space.
std::vector<std::pair<std::string, std::string>> Lines(const std::string& name) {
  std::vector<std::pair<std::string, std::string>> lines;
  std::ifstream file(kRoutes + name + ".txt");
  EXPECT_TRUE(file) << name;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    lines.push_back(
        {line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1)});
  }
  return lines;
}

}  // namespace

DemoRoute ReadDemoRoute(const std::string& level) {
  DemoRoute route;
  for (const auto& [first, rest] : Lines(level)) {
    if (first == "completes") {
      route.completes = std::stoi(rest);
    } else {
      route.events.push_back({std::stoi(first), rest});
    }
  }
  EXPECT_GT(route.completes, 0) << level;
  return route;
}

std::string DemoRouteInput(const DemoRoute& route, int firstPass) {
  std::ostringstream input;
  std::set<std::string> held;
  for (const auto& [pass, event] : route.events) {
    input << firstPass - 1 + pass << " " << event << "\n";
    if (event.rfind("down ", 0) == 0) held.insert(event.substr(5));
    if (event.rfind("up ", 0) == 0) held.erase(event.substr(3));
  }
  for (const std::string& key : held) {
    input << firstPass + route.completes << " up " << key << "\n";
  }
  return input.str();
}

std::vector<DemoEpisodeLevel> ReadDemoEpisode(const std::string& name) {
  std::vector<DemoEpisodeLevel> levels;
  for (const auto& [level, rest] : Lines(name)) {
    std::istringstream fields(rest);
    int firstPass = 0;
    std::string route;
    fields >> firstPass >> route;
    levels.push_back({level, firstPass, route.empty() ? level : route});
  }
  return levels;
}

}  // namespace hopwerk::test
