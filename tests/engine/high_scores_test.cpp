// The high-score table: its file, where a new score goes, the name entry and the screens.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LevelTestProject.h"
#include "TestLevel.h"
#include "TestProject.h"
#include "frontend/HighScoreFile.h"
#include "frontend/HighScoreScreens.h"
#include "frontend/InstallScreens.h"
#include "frontend/OutlinedText.h"
#include "gameplay/EpisodeEnd.h"
#include "platform/KeyCodes.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

using test::KeyDown;

ReplayEvent Typed(int64_t frame, const std::string& text) {
  return {frame, ReplayEvent::Kind::Type, 0, text};
}

// A headless engine with a 640x480 display, the project "Jump" by "Tester", the front-end
// screens wired in and the save folder in the run's home.
struct ScoreRun {
  explicit ScoreRun(std::vector<ReplayEvent> events = {}, int64_t frameLimit = -1) {
    run.options.events = std::move(events);
    run.options.frameLimit = frameLimit;
    Engine& e = run.Start();
    run.platform->OpenDisplay(640, 480, 0, 60);
    e.project.ProjectTitle = "Jump";
    e.project.ProjectAuthor = "Tester";
    e.project.ScreenWidth = 640;
    e.project.ScreenHeight = 480;
    e.folders.SaveFolder = run.home.path() + "/";
    InstallFrontEndScreens(e);
  }
  Engine& engine() { return *run.engine; }
  HiType& At(int episode, int skill, int rank) {
    return engine().frontend.HiScores[episode][skill][rank];
  }
  std::string File() const { return run.home.path() + "/__HiScores"; }
  std::vector<uint32_t> Shown() const { return run.platform->LastFrame(); }
  // What `draw` puts on a cleared screen, to compare with what was shown.
  std::vector<uint32_t> Drawn(const std::function<void(Engine&, Platform&)>& draw) {
    run.platform->ClearScreen();
    draw(engine(), *run.platform);
    return run.platform->GetCompositor().Pixels();
  }
  test::EngineRun run;
};

void ExpectEntry(const HiType& entry, const std::string& name, int32_t score,
                 const std::string& date, const std::string& what) {
  EXPECT_EQ(entry.Name, name) << what;
  EXPECT_EQ(entry.Score, score) << what;
  EXPECT_EQ(entry.Date, date) << what;
}

std::string Text(const test::Bytes& b) {
  return std::string(b.data.begin(), b.data.end());
}

TEST(HighScores, WithoutAFileTheBuiltInTableIsUsed) {
  ScoreRun s;
  s.At(3, 1, 7).Name = "left from before";
  LoadHighScores(s.engine());
  const struct {
    int episode, skill, rank;
    const char* name;
    int32_t score;
  } cases[] = {{0, 0, 1, "Jump", 1900},
               {1, 1, 3, "By: Tester", 1700},
               {2, 2, 2, "", 1800},
               {6, 2, 20, "", 0},
               {3, 1, 7, "", 1300}};
  for (const auto& c : cases) {
    ExpectEntry(
        s.At(c.episode, c.skill, c.rank), c.name, c.score, "N/A",
        std::to_string(c.episode) + "/" + std::to_string(c.skill) + "/" + std::to_string(c.rank));
  }
  EXPECT_FALSE(test::Exists(s.File()));
}

TEST(HighScores, EachPatchHasItsOwnFile) {
  const struct {
    const char* patch;
    const char* name;
  } cases[] = {{"", "__HiScores"},
               {"C:/Games/Pack", "C_COLON__SLASH_Games_SLASH_Pack__HiScores"},
               {"D:\\Mods\\A", "D_COLON__SLASH_Mods_SLASH_A__HiScores"}};
  for (const auto& c : cases) {
    EXPECT_EQ(HighScoreFileName(c.patch), c.name);
    ScoreRun s;
    s.engine().settings.PatchFolder = c.patch;
    EXPECT_EQ(HighScoreFilePath(s.engine()), s.run.home.path() + "/" + c.name);
  }
}

// Episode 2 on hard against the built-in table; the name is typed after an Enter on the
// empty name, which must not end the entry.
TEST(HighScores, ANewScoreGoesBelowEveryEntryItDoesNotBeat) {
  const struct {
    int32_t score;
    int place;
  } cases[] = {{1850, 2}, {1900, 2}, {2500, 1}, {1, 20}, {0, 0}, {-7, 0}};
  for (const auto& c : cases) {
    const std::string what = "score " + std::to_string(c.score);
    ScoreRun s({Typed(1, "\rAnn\r")});
    SessionState& session = s.engine().session;
    session.Episode = 2;
    session.Skill = 2;
    session.Score = c.score;
    s.run.Run([](Engine& e) { EnterHighScore(e); });
    EXPECT_FALSE(s.run.ended) << what;
    if (c.place == 0) {
      EXPECT_EQ(s.run.platform->PresentedFrames(), 0) << what;
      EXPECT_FALSE(test::Exists(s.File())) << what;
      EXPECT_EQ(s.At(2, 2, 20).Score, 0) << what;
      continue;
    }
    EXPECT_EQ(s.run.platform->PresentedFrames(), 6) << what;
    LoadHighScores(s.engine());  // what was saved
    ExpectEntry(s.At(2, 2, c.place), "Ann", c.score, "07 Dec 2026", what);
    for (int rank = 1; rank <= kHighScoreRanks; ++rank) {
      if (rank == c.place) continue;
      const int was = rank < c.place ? rank : rank - 1;
      EXPECT_EQ(s.At(2, 2, rank).Score, 2000 - 100 * was) << what << " rank " << rank;
    }
    EXPECT_EQ(s.At(2, 1, c.place).Score, 2000 - 100 * c.place) << what << ": another page";
  }
}

TEST(HighScores, NameEntryTakesPrintableCharactersWhileTheNameIsNarrow) {
  const struct {
    const char* what;
    std::vector<int> typed;
    std::string name;
    bool done;
  } cases[] = {
      {"Enter on an empty name", {13}, "", false},
      {"control characters", {'a', 9, 27, 1, 31, 0, 13}, "a", true},
      {"Backspace, also on nothing", {'a', 'b', 8, 8, 8}, "", false},
      {"thirteen characters fill the width", std::vector<int>(20, 'x'), std::string(13, 'x'),
       false},
      {"no code beyond one byte", {'a', 256, 1000, -1}, "a", false},
      {"glyphless characters up to what the file holds", std::vector<int>(300, 0xE9),
       std::string(255, '\xE9'), false},
  };
  ScoreRun s;
  for (const auto& c : cases) {
    std::string name;
    bool done = false;
    for (const int ch : c.typed) done = TypeHighScoreName(*s.run.platform, name, ch);
    EXPECT_EQ(name, c.name) << c.what;
    EXPECT_EQ(done, c.done) << c.what;
  }
}

TEST(HighScores, TheFileRoundTripsEveryUsedPlace) {
  ScoreRun s;
  Engine& e = s.engine();
  FillBuiltInHighScores(e);
  s.At(1, 0, 1) = {"Zo\xEB", -5, "31 Dec 2026"};
  s.At(6, 2, 20) = {std::string(300, 'n'), INT32_MAX, ""};
  s.At(0, 0, 5).Name = "never written";
  ASSERT_TRUE(WriteHighScoreFile(e));
  const HighScoreTable saved = e.frontend.HiScores;

  const std::string bytes = test::ReadFile(s.File());
  const test::Bytes first =
      test::Bytes().Byte(0).Byte(1).Byte(0).Byte(1).Byte(1).String("Zo\xEB").Byte(2).Int(-5);
  EXPECT_EQ(bytes.substr(0, first.data.size()), Text(first));
  size_t size = 0;
  for (int episode = 1; episode <= kMaxEpisodes; ++episode) {
    for (int skill = 0; skill < kSkills; ++skill) {
      for (int rank = 1; rank <= kHighScoreRanks; ++rank) {
        const HiType& h = saved[episode][skill][rank];
        size += 4 + 2 + std::min<size_t>(h.Name.size(), 255) + 5 + 2 + h.Date.size();
      }
    }
  }
  EXPECT_EQ(bytes.size(), size);

  for (auto& page : e.frontend.HiScores) {
    for (auto& ranks : page) ranks.fill({"junk", 1, "junk"});
  }
  LoadHighScores(e);
  for (int episode = 1; episode <= kMaxEpisodes; ++episode) {
    for (int skill = 0; skill < kSkills; ++skill) {
      for (int rank = 1; rank <= kHighScoreRanks; ++rank) {
        const HiType& h = saved[episode][skill][rank];
        ExpectEntry(
            s.At(episode, skill, rank), h.Name.substr(0, 255), h.Score, h.Date,
            std::to_string(episode) + "/" + std::to_string(skill) + "/" + std::to_string(rank));
      }
    }
  }
  EXPECT_EQ(s.At(0, 0, 5).Name, "");
}

TEST(HighScores, ADamagedFileKeepsWhatFitsTheTable) {
  using test::Bytes;
  const struct {
    const char* what;
    Bytes file;
    std::function<void(ScoreRun&)> check;
  } cases[] = {
      {"unknown tags are skipped alone",
       Bytes()
           .Byte(7)
           .Byte(0)
           .Byte(1)
           .Byte(1)
           .Byte(5)
           .Byte(9)
           .Byte(1)
           .String("Ann")
           .Byte(200)
           .Byte(2)
           .Int(42)
           .Byte(255)
           .Byte(3)
           .String("Today"),
       [](ScoreRun& s) { ExpectEntry(s.At(1, 1, 5), "Ann", 42, "Today", "skipped"); }},
      {"places outside the table",
       Bytes()
           .Byte(0)
           .Byte(7)
           .Byte(0)
           .Byte(1)
           .Byte(1)
           .String("X")
           .Byte(2)
           .Int(5)
           .Byte(0)
           .Byte(1)
           .Byte(3)
           .Byte(1)
           .Byte(1)
           .String("Y")
           .Byte(0)
           .Byte(1)
           .Byte(0)
           .Byte(21)
           .Byte(1)
           .String("Z")
           .Byte(3)
           .String("D")
           .Byte(0)
           .Byte(1)
           .Byte(0)
           .Byte(2)
           .Byte(1)
           .String("W"),
       [](ScoreRun& s) {
         ExpectEntry(s.At(1, 0, 1), "Jump", 1900, "N/A", "outside");
         ExpectEntry(s.At(1, 0, 2), "W", 0, "", "the next place");
       }},
      {"fields before any place",
       Bytes()
           .Byte(1)
           .String("Q")
           .Byte(2)
           .Int(99)
           .Byte(3)
           .String("D")
           .Byte(0)
           .Byte(0)
           .Byte(0)
           .Byte(0)
           .Byte(1)
           .String("Zero")
           .Byte(0)
           .Byte(1)
           .Byte(0)
           .Byte(1)
           .Byte(2)
           .Int(5),
       [](ScoreRun& s) {
         ExpectEntry(s.At(1, 0, 1), "", 5, "", "before");
         EXPECT_EQ(s.At(0, 0, 0).Name, "Zero") << "an unused place of the table";
       }},
      {"cut inside a name",
       Bytes()
           .Byte(0)
           .Byte(1)
           .Byte(1)
           .Byte(1)
           .Byte(1)
           .String("Ann")
           .Byte(2)
           .Int(77)
           .Byte(0)
           .Byte(1)
           .Byte(1)
           .Byte(2)
           .Byte(1)
           .Byte(10)
           .Text("abc"),
       [](ScoreRun& s) {
         ExpectEntry(s.At(1, 1, 1), "Ann", 77, "", "before the cut");
         ExpectEntry(s.At(1, 1, 2), "", 0, "", "the cut place");
         ExpectEntry(s.At(1, 1, 3), "By: Tester", 1700, "N/A", "after the cut");
       }},
      {"cut inside a score", Bytes().Byte(0).Byte(1).Byte(1).Byte(1).Byte(2).Byte(1).Byte(2),
       [](ScoreRun& s) { ExpectEntry(s.At(1, 1, 1), "", 0, "", "score"); }},
      {"cut inside a place",
       Bytes().Byte(0).Byte(1).Byte(1).Byte(1).Byte(1).String("Ann").Byte(0).Byte(1).Byte(1),
       [](ScoreRun& s) {
         EXPECT_EQ(s.At(1, 1, 1).Name, "Ann");
         ExpectEntry(s.At(1, 1, 2), "", 1800, "N/A", "place");
       }},
      {"an empty file", Bytes(),
       [](ScoreRun& s) { ExpectEntry(s.At(4, 2, 1), "Jump", 1900, "N/A", "empty"); }},
  };
  for (const auto& c : cases) {
    ScoreRun s;
    test::WriteFile(s.File(), Text(c.file));
    s.run.Run([](Engine& e) { LoadHighScores(e); });
    EXPECT_FALSE(s.run.ended) << c.what;
    c.check(s);
    for (const auto& page : s.engine().frontend.HiScores) {
      for (const auto& ranks : page) {
        for (const HiType& h : ranks) {
          for (const char* stray : {"Q", "X", "Y", "Z", "D"}) EXPECT_NE(h.Name, stray) << c.what;
        }
      }
    }
  }
}

// A failed commit is made the way a full disk makes it: by a file size limit.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST(HighScores, AFailedWriteSaysSoAndKeepsTheOldFile) {
  for (const bool folderMissing : {true, false}) {
    const std::string what = folderMissing ? "no folder" : "the commit fails";
    ScoreRun s({KeyDown(9, 'A')});
    const std::string folder = s.run.home.path() + (folderMissing ? "/gone/" : "/");
    s.engine().folders.SaveFolder = folder;
    const std::string old(100, 'o');
    if (!folderMissing) test::WriteFile(s.File(), old);
    FillBuiltInHighScores(s.engine());
    s.At(1, 1, 1).Name = "Kept";
    {
      const FileSizeLimit limit(folderMissing ? RLIM_INFINITY : 4096);
      s.run.Run([](Engine& e) { SaveHighScores(e); });
    }
    EXPECT_FALSE(s.run.ended) << what << ": a key goes on";
    EXPECT_EQ(s.run.platform->PresentedFrames(), 9) << what;
    EXPECT_EQ(s.At(1, 1, 1).Name, "Kept") << what;
    if (!folderMissing) {
      EXPECT_EQ(test::ReadFile(s.File()), old) << what;
    }
    const std::vector<uint32_t> shown = s.Shown();
    EXPECT_TRUE(shown == s.Drawn([&](Engine&, Platform& p) {
      p.DrawTextAt("Couldn't write \"" + folder + "__HiScores\"", 0, 0);
      p.DrawTextAt("You can Continue but the hiscores are Not saved!", 0, 30);
      p.DrawTextAt("Hit any key...", 0, 60);
    })) << what;
  }
}

TEST(HighScores, PageKeysStopAtTheEdgesOfTheTable) {
  const struct {
    std::vector<int> keys;
    int episode;
    int skill;
  } cases[] = {
      {{kKeyPageUp}, 1, 1},
      {{kKeyLeft, kKeyLeft}, 1, 0},
      {{kKeyRight, kKeyRight}, 1, 2},
      {std::vector<int>(7, kKeyPageDown), 6, 1},
      {{kKeyPageDown, kKeyPageDown, kKeyPageUp, kKeyRight}, 2, 2},
  };
  for (const auto& c : cases) {
    std::vector<ReplayEvent> events;
    for (size_t i = 0; i < c.keys.size(); ++i) {
      events.push_back(KeyDown(static_cast<int64_t>(i) + 1, c.keys[i]));
    }
    ScoreRun s(events, static_cast<int64_t>(c.keys.size()) + 1);
    s.run.Run([](Engine& e) { ShowHighScores(e, 1, 1, 1); });
    const std::vector<uint32_t> shown = s.Shown();
    EXPECT_TRUE(shown == s.Drawn([&](Engine& e, Platform& p) {
      DrawHighScores(e, c.episode, c.skill, -1);
      DrawOutlinedText(p, "Hit ENTER to continue", 2, 480 - 16, {255, 255, 255});
    })) << c.episode
        << "/" << c.skill;
  }
}

// The hand-over at the end of an episode: the key that closes the tally does not start the
// name, the table follows, and the main menu's visit shows what was saved.
TEST(HighScores, EpisodeEndTakesTheNameThenShowsTheTable) {
  ScoreRun s({KeyDown(1, 'Q'), Typed(3, "Ann"), KeyDown(8, kKeyEnter), KeyDown(12, kKeyEnter),
              KeyDown(20, kKeyEnter)});
  SessionState& session = s.engine().session;
  session.Episode = 2;
  session.Skill = 2;
  session.Score = 1850;
  s.run.Run([](Engine& e) { ShowEpisodeEnd(e); });
  ASSERT_FALSE(s.run.ended);
  EXPECT_EQ(s.At(2, 2, 2).Name, "Ann");
  s.At(2, 2, 2).Name = "changed in memory";
  s.run.Run([](Engine& e) { e.hooks.highScores(e); });
  ASSERT_FALSE(s.run.ended);
  EXPECT_EQ(s.At(2, 2, 2).Name, "Ann");
  EXPECT_EQ(s.run.platform->PresentedFrames(), 20);
}

}  // namespace
}  // namespace hopwerk

namespace hopwerk {
namespace {

using test::Bytes;

// The whole way through hopwerk-replay: a one-level game whose level ends the episode as soon
// as it starts. The saved table's last place on episode 1 at medium holds -1, so the score of
// 0 ranks there; the player types a name, browses the table and leaves the game.
TEST(HighScoresReplay, AnEpisodeEndTakesTheNameIntoTheTableAndItsFile) {
  test::TempDir project;
  test::TempDir home;
  const std::string vxr = project.path() + "/VXR/";
  test::WriteFile(vxr + ".keep", "");
  std::vector<VxrWriteEntry> general = test::MinimalGeneral("Jump");
  general.push_back({"Episode", Bytes().Byte(0).Byte(1).String("L1").Byte(255).data, 0});
  ASSERT_TRUE(WriteVxrArchive(vxr + "General.vxr", general));
  const std::vector<uint8_t> id = test::IdEntry(1, 9).data;
  // Script "Start" runs as the level loads: an active episode end.
  ASSERT_TRUE(WriteVxrArchive(
      vxr + "Maps.vxr",
      {{"ID", id, 0},
       {"L1/General", Bytes().Byte(0).String("First").Byte(255).data, 0},
       {"L1/Objects", test::ObjectBytes().Add(2, "Hero", 100, 200).End(), 0},
       {"L1/Script/Start", Bytes().Byte(0).Byte(2).Int(2).Byte(8).Byte(1).Byte(255).data, 0}}));
  ASSERT_TRUE(WriteVxrArchive(vxr + "Actors.vxr",
                              {{"ID", id, 0}, {"Hero", test::ActorBytes(1, 50).data, 0}}));
  const std::string table = home.path() + "/Documents/Hopwerk/Save/Jump/__HiScores";
  test::WriteFile(table, std::string("\0\1\1\24\2\377\377\377\377", 9));

  const int loading =
      test::Replay(project.path(), {"--home", home.path(), "--frames", "150"}).Count("console| ");
  const int menu = loading + 30;
  const int tally = menu + 16 + 300;  // after the 250 frames of "Level Completed"
  std::string input = std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) +
                      " tap ESC\n" + std::to_string(menu) + " tap ENTER\n" +
                      std::to_string(menu + 15) + " tap ENTER\n";  // "Medium"
  input += std::to_string(tally) + " tap SPACE\n" + std::to_string(tally + 5) + " type Ann\n" +
           std::to_string(tally + 10) + " tap ENTER\n" + std::to_string(tally + 20) +
           " tap ENTER\n" + std::to_string(tally + 30) + " tap ESC\n";
  test::WriteFile(home.path() + "/input", input);
  const std::string shot = home.path() + "/table.png";
  const test::ReplayResult r =
      test::Replay(project.path(), {"--home", home.path(), "--input", home.path() + "/input",
                                    "--shot", std::to_string(tally + 15) + ":" + shot});
  EXPECT_EQ(r.status, 0);
  ASSERT_FALSE(r.lines.empty());
  EXPECT_EQ(r.lines.back(), "end| reason=exit status=0 frame=" + std::to_string(tally + 30));

  const std::string saved = test::ReadFile(table);
  const Bytes entry = Bytes().Byte(0).Byte(1).Byte(1).Byte(20).Byte(1).String("Ann").Byte(2).Int(0);
  EXPECT_NE(saved.find(Text(entry)), std::string::npos);
  EXPECT_EQ(saved.size(), 6023u);

  // The table with the name in cyan on the last row.
  const PicturePtr seen = LoadPictureFile(shot);
  ASSERT_TRUE(seen);
  int cyan = 0;
  for (int y = 435; y < 451; ++y) {
    for (int x = 40; x < 64; ++x) {
      cyan += (seen->frames[0].pixels[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF) == 0x00FFFF;
    }
  }
  EXPECT_GT(cyan, 20);
}

}  // namespace
}  // namespace hopwerk
