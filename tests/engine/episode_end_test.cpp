// The end of an episode: the typed closing text, the tally and the hand-over to the high scores.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LevelTestProject.h"
#include "TestLevel.h"
#include "gameplay/EpisodeEnd.h"

namespace hopwerk {
namespace {

using test::KeyDown;
using test::LevelProject;

std::string Lines(int count, const std::string& prefix) {
  std::string text;
  for (int i = 0; i < count; ++i) text += prefix + std::to_string(10 + i) + "\r\n";
  return text;
}

TEST(EpisodeEnd, TypesAtMost20LinesFromThePatchCopyFirst) {
  struct Case {
    const char* what;
    bool baseText;
    bool patchSet;
    bool patchText;
    int64_t characters;  // one frame each
    std::string text = Lines(25, "L");
  };
  for (const Case& c : {
           Case{"25 lines show 20", true, false, false, 60},
           Case{"the patch's own text", true, true, true, 3},
           Case{"a patch without one", true, true, false, 60},
           Case{"no text at all", false, false, false, 0},
           Case{"a row is cut at 256", true, false, false, 257, std::string(9000, 'x') + "\nA"},
       }) {
    LevelProject lp;
    if (c.baseText) lp.Write("Data/Text/Episode2.txt", c.text);
    test::TempDir patch;
    std::filesystem::create_directories(patch.path() + "/Data/Text");
    // An empty line keeps its row and costs no time.
    if (c.patchText) test::WriteFile(patch.path() + "/Data/Text/Episode2.txt", "AB\n\nC");
    Engine& e = lp.Open();
    e.session.Episode = 2;
    if (c.patchSet) e.settings.PatchFolder = patch.path();
    lp.run.Run([](Engine& engine) { ShowEpisodeEnd(engine); });
    // No key for the tally: the run ends waiting for one.
    ASSERT_TRUE(lp.run.ended) << c.what;
    EXPECT_EQ(lp.run.end.reason, "input") << c.what;
    const int64_t frames = lp.run.platform->PresentedFrames();
    EXPECT_EQ(frames, c.characters + 1) << c.what;
    const int64_t slept = lp.run.platform->ClockMillis() - 1000 - frames * 1000 / 60;
    const int64_t hold = c.baseText || c.patchText ? 5000 : 0;
    EXPECT_GE(slept, hold + 50 * c.characters) << c.what;
    EXPECT_LE(slept, hold + 100 * c.characters) << c.what;
  }
}

TEST(EpisodeEnd, TheTallyWaitsForAKeyPressedAfterTheText) {
  for (const bool laterKey : {false, true}) {
    LevelProject lp;
    lp.Write("Data/Text/Episode1.txt", "ABC\n");
    // A press while the text is typed, and perhaps one after.
    lp.run.options.events = {KeyDown(1, 'A')};
    if (laterKey) lp.run.options.events.push_back(KeyDown(50, 'B'));
    Engine& e = lp.Open();
    e.pictures.YouWinPic = test::SolidPicture(640, 480, 0xFFFF0000u);
    e.session.Kills = 7;
    e.session.Deaths = 2;
    e.session.Items = 11;
    e.session.Score = 1234;
    int handedOver = 0;
    e.hooks.episodeScore = [&](Engine&) { ++handedOver; };
    lp.run.Run([](Engine& engine) { ShowEpisodeEnd(engine); });
    EXPECT_EQ(lp.run.ended, !laterKey);
    EXPECT_EQ(handedOver, laterKey ? 1 : 0);
    // The tally over the victory picture: every label and value drawn in white.
    const std::vector<uint32_t>& shown = lp.run.platform->LastFrame();
    ASSERT_EQ(shown.size(), 640u * 480u);
    EXPECT_EQ(shown[20 * 640 + 600] & 0xFFFFFFu, 0xFF0000u);
    for (const int y : {200, 250, 300, 350, 400}) {
      for (const int x : {10, 300}) {
        if (y == 400 && x == 300) continue;
        int white = 0;
        for (int dy = 0; dy < 8; ++dy) {
          for (int dx = 0; dx < 24; ++dx) {
            white += (shown[static_cast<size_t>(y + dy) * 640 + x + dx] & 0xFFFFFFu) == 0xFFFFFFu;
          }
        }
        EXPECT_GT(white, 0) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace hopwerk
