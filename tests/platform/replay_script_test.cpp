#include <gtest/gtest.h>

#include <filesystem>

#include "platform/HeadlessPlatform.h"
#include "platform/ScratchFolder.h"

namespace hopwerk {
namespace {

using Kind = ReplayEvent::Kind;

TEST(ReplayKeyCode, NamesDigitsLettersAndCodes) {
  EXPECT_EQ(ReplayKeyCode("ESC"), 27);
  EXPECT_EQ(ReplayKeyCode("ENTER"), 13);
  EXPECT_EQ(ReplayKeyCode("SPACE"), 32);
  EXPECT_EQ(ReplayKeyCode("TAB"), 9);
  EXPECT_EQ(ReplayKeyCode("BACKSPACE"), 8);
  EXPECT_EQ(ReplayKeyCode("LEFT"), 37);
  EXPECT_EQ(ReplayKeyCode("UP"), 38);
  EXPECT_EQ(ReplayKeyCode("RIGHT"), 39);
  EXPECT_EQ(ReplayKeyCode("DOWN"), 40);
  EXPECT_EQ(ReplayKeyCode("HOME"), 36);
  EXPECT_EQ(ReplayKeyCode("END"), 35);
  EXPECT_EQ(ReplayKeyCode("PGUP"), 33);
  EXPECT_EQ(ReplayKeyCode("PGDN"), 34);
  EXPECT_EQ(ReplayKeyCode("INSERT"), 45);
  EXPECT_EQ(ReplayKeyCode("DELETE"), 46);
  EXPECT_EQ(ReplayKeyCode("F1"), 112);
  EXPECT_EQ(ReplayKeyCode("F5"), 116);
  EXPECT_EQ(ReplayKeyCode("F12"), 123);
  EXPECT_EQ(ReplayKeyCode("A"), 65);
  EXPECT_EQ(ReplayKeyCode("Z"), 90);
  EXPECT_EQ(ReplayKeyCode("z"), 90);
  EXPECT_EQ(ReplayKeyCode("0"), 48);  // a lone digit is the digit key
  EXPECT_EQ(ReplayKeyCode("9"), 57);
  EXPECT_EQ(ReplayKeyCode("LSHIFT"), 160);
  EXPECT_EQ(ReplayKeyCode("RSHIFT"), 161);
  EXPECT_EQ(ReplayKeyCode("LCTRL"), 162);
  EXPECT_EQ(ReplayKeyCode("RCTRL"), 163);
  EXPECT_EQ(ReplayKeyCode("LALT"), 164);
  EXPECT_EQ(ReplayKeyCode("RALT"), 165);
  EXPECT_EQ(ReplayKeyCode("13"), 13);
  EXPECT_EQ(ReplayKeyCode("255"), 255);
  EXPECT_EQ(ReplayKeyCode("01"), 1);
}

TEST(ReplayKeyCode, RejectsWhatIsNoKey) {
  for (const char* bad : {"", "00", "256", "1000", "-1", "F0", "F13", "ESCAPE", "#", "?", "A1",
                          "99999999999999999999"}) {
    EXPECT_EQ(ReplayKeyCode(bad), -1) << bad;
  }
}

TEST(ReplayScript, ParsesEveryCommandCommentsAndBlankLines) {
  const std::string text =
      "# a whole-line comment\n"
      "\n"
      "   \t\n"
      "0 down RIGHT\n"
      "10 up RIGHT   # trailing comment\r\n"
      "12 type Hello # not a comment\n"
      "13 type  two spaces\n"
      "20 tap ENTER\n"
      "25 unfocus  # the player switched away\n"
      "26 focus\n"
      "  30\tdown\t65";  // no final line break
  std::vector<ReplayEvent> events;
  std::string error;
  ASSERT_TRUE(ParseReplayScript(text, events, error)) << error;
  EXPECT_EQ(error, "");
  ASSERT_EQ(events.size(), 9u);
  EXPECT_EQ(events[0].frame, 0);
  EXPECT_EQ(events[0].kind, Kind::Down);
  EXPECT_EQ(events[0].key, 39);
  EXPECT_EQ(events[1].frame, 10);
  EXPECT_EQ(events[1].kind, Kind::Up);
  EXPECT_EQ(events[1].key, 39);
  EXPECT_EQ(events[2].kind, Kind::Type);
  EXPECT_EQ(events[2].text, "Hello # not a comment");
  EXPECT_EQ(events[3].text, " two spaces");
  EXPECT_EQ(events[4].frame, 20);
  EXPECT_EQ(events[4].kind, Kind::Down);
  EXPECT_EQ(events[4].key, 13);
  EXPECT_EQ(events[5].frame, 21);  // a tap releases on the next frame
  EXPECT_EQ(events[5].kind, Kind::Up);
  EXPECT_EQ(events[5].key, 13);
  EXPECT_EQ(events[6].kind, Kind::FocusLost);
  EXPECT_EQ(events[7].kind, Kind::FocusGained);
  EXPECT_EQ(events[7].frame, 26);
  EXPECT_EQ(events[8].frame, 30);
  EXPECT_EQ(events[8].key, 65);
}

TEST(ReplayScript, SortsByFrameKeepingTheOrderWithinAFrame) {
  std::vector<ReplayEvent> events;
  std::string error;
  ASSERT_TRUE(ParseReplayScript("5 down A\n1 tap B\n2 down C\n5 up A\n1 type x\n", events, error));
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0].frame, 1);
  EXPECT_EQ(events[0].key, 'B');
  EXPECT_EQ(events[1].frame, 1);
  EXPECT_EQ(events[1].kind, Kind::Type);
  EXPECT_EQ(events[2].frame, 2);
  EXPECT_EQ(events[2].kind, Kind::Up);  // B's release, written before C
  EXPECT_EQ(events[2].key, 'B');
  EXPECT_EQ(events[3].key, 'C');
  EXPECT_EQ(events[4].frame, 5);
  EXPECT_EQ(events[4].kind, Kind::Down);
  EXPECT_EQ(events[5].kind, Kind::Up);
}

TEST(ReplayScript, EmptyScriptHasNoEvents) {
  std::vector<ReplayEvent> events(3);
  std::string error = "stale";
  ASSERT_TRUE(ParseReplayScript("", events, error));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(error, "");
  ASSERT_TRUE(ParseReplayScript("# nothing\n\n", events, error));
  EXPECT_TRUE(events.empty());
}

TEST(ReplayScript, ErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* linePrefix;
  };
  const Case cases[] = {
      {"x down A\n", "line 1: "},
      {"1 down A\n-5 down A\n", "line 2: "},
      {"1 down A\n\n# c\n7 jump A\n", "line 4: "},
      {"7\n", "line 1: "},
      {"7 down\n", "line 1: "},
      {"7 down # only a comment\n", "line 1: "},
      {"7 down NOKEY\n", "line 1: "},
      {"7 down A B\n", "line 1: "},
      {"7 tap 0x41\n", "line 1: "},
      {"7 up 256\n", "line 1: "},
      {"7 type\n", "line 1: "},
      {"99999999999999999999 down A\n", "line 1: "},
      {"1.5 down A\n", "line 1: "},
      {"7 DOWN A\n", "line 1: "},
      {"7 focus A\n", "line 1: "},
      {"7 copy a.tmx\n", "line 1: "},
      {"7 copy a.tmx b.tmx c.tmx\n", "line 1: "},
      {"7 copy \"a b.tmx b.tmx\n", "line 1: "},
      {"7 copy \"\" b.tmx\n", "line 1: "},
  };
  for (const Case& c : cases) {
    std::vector<ReplayEvent> events;
    events.push_back(ReplayEvent{});
    std::string error;
    EXPECT_FALSE(ParseReplayScript(c.text, events, error)) << c.text;
    EXPECT_EQ(error.rfind(c.linePrefix, 0), 0u) << c.text << " -> " << error;
    EXPECT_EQ(events.size(), 1u) << "the caller's events are left alone on failure";
  }
}

// Paths are taken from the script's folder unless absolute; quotes hold blanks and "#". A
// path that leads out of that folder, by "..", by an absolute path or through a link, is
// refused: a replay must not reach the files of whoever plays it.
TEST(ReplayScript, CopyNamesTwoFilesInTheScriptsFolder) {
  test::ScratchFolder scratch;
  const std::string maps = scratch.Path() + "/maps";
  std::filesystem::create_directories(maps + "/sub");
  std::filesystem::create_directory_symlink(scratch.Path(), maps + "/out");
  const std::string real = std::filesystem::canonical(maps).generic_string();
  const struct {
    std::string line;
    std::string from;  // empty: refused
    std::string to;
  } cases[] = {
      {"4 copy Edited.tmx Marsh.tmx", "Edited.tmx", "Marsh.tmx"},
      {"4 copy " + maps + "/New.tmx  sub/Marsh.tmx  # saved", "New.tmx", "sub/Marsh.tmx"},
      {"4 copy \"my #1.tmx\" \"Marsh map.tmx\"", "my #1.tmx", "Marsh map.tmx"},
      {"4 copy ../Edited.tmx Marsh.tmx", "", ""},
      {"4 copy Edited.tmx /etc/Marsh.tmx", "", ""},
      {"4 copy Edited.tmx out/Marsh.tmx", "", ""},
      {"4 copy Edited.tmx .", "", ""},
  };
  for (const auto& c : cases) {
    std::vector<ReplayEvent> events;
    std::string error;
    const bool parsed = ParseReplayScript(c.line, events, error, maps);
    EXPECT_EQ(parsed, !c.from.empty()) << c.line << ": " << error;
    if (!parsed) continue;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].frame, 4);
    EXPECT_EQ(events[0].kind, Kind::Copy);
    EXPECT_EQ(events[0].text, real + "/" + c.from);
    EXPECT_EQ(events[0].target, real + "/" + c.to);
  }
  std::vector<ReplayEvent> events;
  std::string error;
  EXPECT_FALSE(ParseReplayScript("4 copy a.tmx b.tmx", events, error)) << "no folder, no copies";
}

TEST(ReplayScript, EmptyTypeTextIsAllowedAfterOneBlank) {
  std::vector<ReplayEvent> events;
  std::string error;
  ASSERT_TRUE(ParseReplayScript("3 type \n", events, error)) << error;
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].text, "");
}

}  // namespace
}  // namespace hopwerk
