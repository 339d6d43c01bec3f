// Routes through the demo's levels (tests/engine/demo_routes/LEVEL.txt, LEVELHard.txt): a clean
// run of a level at Medium (or Hard) without cheats, as "P event" lines whose P counts frames from
// the one before the level's first pass, and the pass at which the golden frog is taken.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace hopwerk::test {

struct DemoRoute {
  std::vector<std::pair<int, std::string>> events;
  int completes = -1;
};

DemoRoute ReadDemoRoute(const std::string& level);

// The route's events as replay input lines for a level whose first pass is frame `firstPass`,
// the keys still held when the golden frog is taken let go a frame later.
std::string DemoRouteInput(const DemoRoute& route, int firstPass);

// A line of an episode file (demo_routes/NAME.txt): a level, the frame of its first pass when
// the routes before it are played from New Game, and its route when that is not LEVEL.txt (a
// skill that adds creatures needs a route of its own).
struct DemoEpisodeLevel {
  std::string level;
  int firstPass = 0;
  std::string route;
};

std::vector<DemoEpisodeLevel> ReadDemoEpisode(const std::string& name);

}  // namespace hopwerk::test
