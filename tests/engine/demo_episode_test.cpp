// The demo's episodes played as a player would, from New Game to the closing text and the high
// score table, without cheats: each level by its route in demo_routes/ (LEVEL.txt, or the one
// the episode file names), started at the frame demo_routes/EpisodeN.txt gives for its first
// pass (tools/demo_route_starts.py measures those, as the frames between two levels depend on
// what the next one loads).
#include <gtest/gtest.h>

#include <sstream>

#include "DemoRoutes.h"
#include "TestProject.h"

namespace hopwerk {
namespace {

using test::Replay;
using test::ReplayResult;

const std::string kDemo = HOPWERK_BIN_DIR;
class DemoEpisodeRouteTest : public ::testing::Test {
 protected:
  // New Game, the episode and the skill (Hard one below Medium), the levels by their routes,
  // then a key at the closing text and the tally, a name for the high score table and Enter.
  ReplayResult PlayEpisode(int episode, bool hard, const std::string& startsFile) {
    const ReplayResult console = Replay(kDemo, {"--home", home.path(), "--frames", "150"});
    const int loading = console.Count("console| ");
    const int menu = loading + 30;
    std::ostringstream input;
    input << loading + 5 << " tap ESC\n" << loading + 10 << " tap ESC\n" << menu << " tap ENTER\n";
    for (int i = 0; i + 1 < episode; ++i) input << menu + 8 + 2 * i << " tap DOWN\n";
    input << menu + 12 << " tap ENTER\n";
    if (hard) input << menu + 15 << " tap DOWN\n";
    input << menu + 17 << " tap ENTER\n";
    int done = 0;
    for (const auto& [level, start, routeName] : test::ReadDemoEpisode(startsFile)) {
      const test::DemoRoute route = test::ReadDemoRoute(routeName);
      // Routes are made in a level tried on its own, where the frog holds the seeds.
      input << start - 1 << " tap 1\n" << test::DemoRouteInput(route, start);
      done = start - 1 + route.completes;
      levels.push_back(level);
    }
    // The closing text is typed out before it waits for a key: the key comes well after it.
    input << done + 2000 << " tap SPACE\n"
          << done + 2007 << " type Frog\n"
          << done + 2017 << " tap ENTER\n"
          << done + 2027 << " tap ENTER\n";
    test::WriteFile(home.path() + "/input", input.str());
    return Replay(kDemo, {"--home", home.path(), "--input", home.path() + "/input", "--frames",
                          std::to_string(done + 2100), "--state"});
  }
  // Every level's golden frog taken, no life lost, back in the main menu, and the score in the
  // episode's high score table under the typed name.
  void ExpectFinished(const ReplayResult& r, int episode,
                      std::initializer_list<std::pair<const char*, int>> counts) {
    EXPECT_EQ(r.Count("Loading script: Finish"), static_cast<int>(levels.size()));
    EXPECT_EQ(r.Count("end| reason=frames status=0"), 1);
    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, std::string>>{
             {"GameState", "0"}, {"Episode", std::to_string(episode)}, {"Deaths", "0"}}) {
      EXPECT_EQ(r.State(name), value) << name;
    }
    for (const auto& [name, value] : counts) {
      EXPECT_EQ(r.State(name), std::to_string(value)) << name;
    }
    // A good player's score tops the built-in table, which runs from 1900 down.
    const int score = std::stoi(r.State("Score"));
    EXPECT_GT(score, 1900);
    std::string entry = "\4Frog\2";
    for (int i = 0; i < 4; ++i) entry += static_cast<char>((score >> (8 * i)) & 0xFF);
    const std::string table =
        test::ReadFile(home.path() + "/Documents/Hopwerk/Save/Hopwerk Demo/__HiScores");
    EXPECT_NE(table.find(entry), std::string::npos);
  }
  test::TempDir home;
  std::vector<std::string> levels;
};

TEST_F(DemoEpisodeRouteTest, MeadowPlaysToItsEnd) {
  const ReplayResult r = PlayEpisode(1, false, "Episode1");
  ExpectFinished(r, 1, {{"Score", 8815}, {"Kills", 33}, {"Items", 155}});
}

// On Hard the creatures take more hits, pick-ups give half and Hard-only creatures stand in
// the way: the routes of demo_routes/LEVELHard.txt.
TEST_F(DemoEpisodeRouteTest, MeadowPlaysToItsEndOnHard) {
  const ReplayResult r = PlayEpisode(1, true, "Episode1Hard");
  ExpectFinished(r, 1, {{"Skill", 2}, {"Score", 8945}, {"Kills", 34}, {"Items", 157}});
}

TEST_F(DemoEpisodeRouteTest, CavesPlaysToItsEnd) {
  const ReplayResult r = PlayEpisode(2, false, "Episode2");
  ExpectFinished(r, 2, {{"Score", 6990}, {"Kills", 31}, {"Items", 209}});
}

TEST_F(DemoEpisodeRouteTest, PeaksPlaysToItsEnd) {
  const ReplayResult r = PlayEpisode(3, false, "Episode3");
  ExpectFinished(r, 3, {{"Score", 11810}, {"Kills", 46}, {"Items", 265}});
}

}  // namespace
}  // namespace hopwerk
