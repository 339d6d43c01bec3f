// F12 screenshots: the folder a game title becomes, the file names, and F12 left to a player
// who bound it to an action.
#include "platform/Screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/HeadlessPlatform.h"
#include "platform/ScratchFolder.h"

namespace hopwerk {
namespace {

TEST(Screenshot, GameTitlesBecomeOneSafeFolderName) {
  const struct {
    std::string title;
    std::string folder;
  } cases[] = {
      {"Hopwerk Demo", "Hopwerk Demo"},
      {"Frogs/Toads", "Frogs_Toads"},
      {"..", "Untitled"},
      {"  .hidden game. ", "hidden game"},
      {"", "Untitled"},
      {std::string("a\0b\nc", 5), "a_b_c"},
      {std::string(99, 'x') + "\xc3\xa9", std::string(99, 'x')},  // no half letter at the cut
      {std::string(300, 'y'), std::string(100, 'y')},
  };
  for (const auto& c : cases) EXPECT_EQ(ScreenshotFolderName(c.title), c.folder) << c.title;
}

TEST(Screenshot, FileNamesCarryTheTimeAndCountCopiesInOneSecond) {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 9;
  t.tm_hour = 7;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ(ScreenshotFileName(t, 1), "2026-12-09 07-05-03.png");
  EXPECT_EQ(ScreenshotFileName(t, 2), "2026-12-09 07-05-03 (2).png");
}

// Two shots in one (virtual) second keep both; a bound F12 plays instead of photographing.
TEST(Screenshot, F12SavesEachShownFrameUnlessBound) {
  for (const int fire : {0, kKeyScreenshot}) {
    test::ScratchFolder dir;
    std::vector<std::string> lines;
    HeadlessOptions options;
    options.programFolder = dir.Path() + "/game/";
    options.homeFolder = dir / "home";
    std::filesystem::create_directories(dir / "game");
    options.output = [&](const std::string& line) { lines.push_back(line); };
    std::string error;
    ASSERT_TRUE(ParseReplayScript("1 tap F12\n2 tap F12\n", options.events, error)) << error;
    HeadlessPlatform p(options);
    p.SetBoundKeysSource([fire] { return BoundKeys{0, fire, 0, 0}; });
    p.SetWindowTitle("Frog/Pond");
    ASSERT_TRUE(p.OpenDisplay(32, 24, 0, 60));
    for (int i = 0; i < 3; ++i) p.PresentFrame(-1);
    const std::string folder = dir / "home/Pictures/Hopwerk/Frog_Pond";
    size_t saved = 0;
    if (std::filesystem::exists(folder)) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++saved;
      }
    }
    EXPECT_EQ(saved, fire == 0 ? 2u : 0u) << "fire key " << fire;
    EXPECT_EQ(p.KeyHits(kKeyScreenshot), 2) << "the game still sees F12";
  }
}

}  // namespace
}  // namespace hopwerk
