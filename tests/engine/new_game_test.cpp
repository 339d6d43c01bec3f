// A new game: the episode list and its patch lines, both menus, the reset and the weapon in hand.
#include <gtest/gtest.h>

#include "TestProject.h"
#include "frontend/EpisodeList.h"
#include "frontend/InstallScreens.h"
#include "frontend/NewGame.h"
#include "shell/Folders.h"
#include "shell/FrontEnd.h"

namespace hopwerk {
namespace {

using test::Bytes;
using test::EngineRun;

constexpr int kDown = 40, kUp = 38, kEnter = 13, kSpace = 32, kEscape = 27;
// The key that answers a fatal error's wait.
const ReplayEvent kKeyAfterError{100000, ReplayEvent::Kind::Down, 65, ""};

// A press and release within one frame: one key hit, nothing left held.
void Tap(std::vector<ReplayEvent>& events, int64_t frame, int key) {
  events.push_back({frame, ReplayEvent::Kind::Down, key, ""});
  events.push_back({frame, ReplayEvent::Kind::Up, key, ""});
}

Bytes Episodes(const std::vector<std::pair<int, std::string>>& records) {
  Bytes b;
  for (const auto& [index, name] : records) b.Byte(0).Byte(index).String(name);
  return b.Byte(255);
}

PicturePtr SolidPicture(int w, int h) {
  auto p = std::make_shared<Picture>();
  p->width = w;
  p->height = h;
  p->frames.resize(1);
  p->frames[0].pixels.assign(static_cast<size_t>(w) * h, 0xFFFFFFFFu);
  return p;
}

class NewGameTest : public ::testing::Test {
 protected:
  Engine& Open(const Bytes& episode, std::vector<ReplayEvent> events = {}) {
    run.WriteGeneral({{"Episode", episode.data, 0}});
    run.options.events = std::move(events);
    Engine& engine = run.Start();
    SetProgramFolders(engine);
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    return engine;
  }
  // Fatal errors show their message on the console and end with a failure.
  void ExpectFatal(const std::string& message) {
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.end.status, 1);
    EXPECT_TRUE(run.Printed("console| " + message)) << message;
  }
  EngineRun run;
};

TEST_F(NewGameTest, EpisodeMenuOffersTheEpisodesUpToTheFirstGap) {
  struct Case {
    std::vector<std::pair<int, std::string>> records;
    int downs;
    std::string level;
    int episode;
    int menuFrames;  // frames the episode menu showed
  };
  const Case cases[] = {
      // One episode: no menu, Episode untouched (the test starts it at 5).
      {{{1, "Forest"}}, 0, "Forest", 5, 0},
      // Episode 4 stands after a gap and is not offered.
      {{{1, "A"}, {2, "B"}, {4, "D"}}, 5, "B", 2, 6},
      {{{1, " \tA\r\n"}, {2, "B"}, {3, "C"}}, 0, "A", 1, 1},
      {{{3, "C"}, {1, "A"}, {2, "B"}}, 2, "C", 3, 3},
      // Index 0 is stored but is no episode.
      {{{0, "Zero"}, {1, "A"}, {2, "B"}}, 0, "A", 1, 1},
  };
  for (const Case& c : cases) {
    std::vector<ReplayEvent> events;
    for (int i = 1; i <= c.downs; ++i) Tap(events, i, kDown);
    Tap(events, c.downs + 1, kEnter);  // the episode menu, or the skill menu when there is none
    Tap(events, c.downs + 2, kEnter);
    Engine& engine = Open(Episodes(c.records), events);
    engine.session.Episode = 5;
    run.Run([](Engine& e) { ChooseEpisode(e); });
    EXPECT_FALSE(run.ended) << c.level;
    EXPECT_EQ(engine.session.CurrentLevelName, c.level);
    EXPECT_EQ(engine.session.Episode, c.episode) << c.level;
    EXPECT_EQ(run.platform->PresentedFrames(), c.menuFrames) << c.level;
    EXPECT_TRUE(run.Printed("FileType(\"" + engine.folders.ArchiveFolder + "General.vxr\") = 1"));
  }
}

TEST_F(NewGameTest, BadEpisodeEntriesStopWithTheirMessage) {
  const struct {
    Bytes entry;
    std::string message;
  } cases[] = {
      {Episodes({{1, "A"}, {7, "G"}}),
       "Number of episodes limited to 6. 7 ones seem to be in this project"},
      {Episodes({{2, "B"}}), "First level not given up."},
      {Episodes({{1, "   "}}), "First level not given up."},
      {Bytes().Byte(0).Byte(1).String("A").Byte(3), "Episode file corrupted! => 3"},
      // Records cut off by the entry's end.
      {Bytes().Byte(0).Byte(1).Byte(10).Text("For"), "Episode file corrupted! => 0"},
      {Bytes().Byte(0), "Episode file corrupted! => 0"},
  };
  for (const auto& c : cases) {
    run.output.clear();
    run.ended = false;
    Open(c.entry, {kKeyAfterError});
    run.Run([](Engine& e) { ChooseEpisode(e); });
    ExpectFatal(c.message);
  }
}

TEST_F(NewGameTest, PatchLinesReplaceEpisodesOneToSix) {
  const struct {
    std::string line;
    int index;  // entry changed, or -1 for none
    std::string value;
  } cases[] = {
      {"episode2=Caves", 2, "Caves"},
      {"EpIsOdE6=Last Level ", 6, "Last Level "},  // the rest of the line, unchanged
      {"EPISODE1=", 1, ""},
      {"EPISODE7=X", -1, ""},
      {"EPISODE0=X", -1, ""},
      {"EPISODE2 =X", -1, ""},
      {"EPISODE2", -1, ""},
      {"", -1, ""},
  };
  for (const auto& c : cases) {
    Engine& engine = Open(Episodes({{1, "A"}}));
    auto& levels = engine.frontend.EpisodeStartLevels;
    levels.fill("old");
    ApplyEpisodePatchLine(engine, c.line);
    for (int i = 0; i <= 6; ++i) {
      EXPECT_EQ(levels[i], i == c.index ? c.value : "old") << c.line << " entry " << i;
    }
  }
}

TEST_F(NewGameTest, PatchFileExtendsTheMenuAndStaysAfterThePatchIsDropped) {
  std::vector<ReplayEvent> events;
  Tap(events, 1, kDown);
  Tap(events, 2, kDown);
  Tap(events, 3, kEnter);
  Tap(events, 5, kDown);
  Tap(events, 6, kDown);
  Tap(events, 7, kEnter);
  Engine& engine = Open(Episodes({{1, "Meadow"}}), events);
  test::WriteFile(run.home.path() + "/Patch.PPF/Episode.PPF",
                  "; a patch\r\nepisode2=Caves\r\nEPISODE3=Deep Dark\r\n");
  engine.settings.PatchFolder = run.home.path() + "/Patch.PPF";
  run.Run([](Engine& e) { ChooseEpisode(e); });
  EXPECT_EQ(engine.session.CurrentLevelName, "Deep Dark");
  // Without the patch the list is read again but not cleared: the patch's episodes remain.
  engine.settings.PatchFolder.clear();
  run.Run([](Engine& e) { ChooseEpisode(e); });
  EXPECT_EQ(engine.session.CurrentLevelName, "Deep Dark");
  EXPECT_EQ(engine.session.Episode, 3);

  // A patch line emptying the first episode leaves the game without a first level.
  test::WriteFile(run.home.path() + "/Patch.PPF/Episode.PPF", "EPISODE1=\n");
  Engine& patched = Open(Episodes({{1, "Meadow"}}), {kKeyAfterError});
  patched.settings.PatchFolder = run.home.path() + "/Patch.PPF";
  run.Run([](Engine& e) { ChooseEpisode(e); });
  ExpectFatal("First level not given up.");
}

TEST_F(NewGameTest, SkillMenuStartsOnMediumAndStopsAtItsEnds) {
  const struct {
    std::vector<int> keys;  // one a frame, then Enter
    int skill;
  } cases[] = {
      {{}, 1},           {{kUp, kUp}, 0},         {{kDown, kDown, kDown}, 2},
      {{kDown, kUp}, 1}, {{kEscape, kEscape}, 1},  // no way back to the main menu
      {{kSpace}, 1},                               // Space confirms like Enter
  };
  for (const auto& c : cases) {
    std::vector<ReplayEvent> events;
    int frame = 1;
    for (int key : c.keys) Tap(events, frame++, key);
    Tap(events, frame, kEnter);
    Engine& engine = Open(Episodes({{1, "A"}}), events);
    engine.session.Skill = -1;
    run.Run([](Engine& e) { ChooseSkill(e); });
    EXPECT_EQ(engine.session.Skill, c.skill);
    // The frame that took the choice is not shown.
    const bool spaceFirst = !c.keys.empty() && c.keys[0] == kSpace;
    EXPECT_EQ(run.platform->PresentedFrames(), spaceFirst ? 1 : frame);
  }
}

TEST_F(NewGameTest, EscapeInTheMenusNeitherLeavesNorReachesTheLevel) {
  std::vector<ReplayEvent> events;
  Tap(events, 1, kEscape);
  Tap(events, 2, kEnter);
  Tap(events, 3, kEscape);
  Tap(events, 4, kEnter);
  Engine& engine = Open(Episodes({{1, "A"}, {2, "B"}}), events);
  run.Run([](Engine& e) { NewGame(e); });
  EXPECT_FALSE(run.ended);
  EXPECT_EQ(engine.shell.GameState, 2);
  EXPECT_EQ(engine.session.CurrentLevelName, "A");
  EXPECT_EQ(run.platform->PresentedFrames(), 4);
  EXPECT_EQ(run.platform->KeyHits(kEscape), 0);
}

TEST_F(NewGameTest, StartingWeaponIsTheLowestSlotThatCanFire) {
  struct Slot {
    int index, startAmmo, ammoUsage;
  };
  const struct {
    std::vector<Slot> slots;
    int selected;
  } cases[] = {
      {{{0, 0, 0}, {3, 5, 0}, {7, 0, 2}}, 3},
      {{}, -1},
      {{{9, 0, 1}}, 9},
      {{{2, 0, 0}, {8, -1, 0}}, 8},
  };
  for (const auto& c : cases) {
    Engine& engine = Open(Episodes({{1, "A"}}));
    for (WeaponType& w : engine.data.Weapons) w.Ammo = 99;  // left over from an earlier game
    for (const Slot& s : c.slots) {
      engine.data.Weapons[s.index].StartAmmo = s.startAmmo;
      engine.data.Weapons[s.index].AmmoUsage = s.ammoUsage;
    }
    ChooseStartWeapon(engine);
    EXPECT_EQ(engine.session.SelectedWeapon, c.selected);
    EXPECT_EQ(run.output.back(), "Chosen Weapon: " + std::to_string(c.selected));
    for (const WeaponType& w : engine.data.Weapons) EXPECT_EQ(w.Ammo, w.StartAmmo);
  }
}

TEST_F(NewGameTest, SkillPreviewStandsRightOfTheWidestSkillPicture) {
  std::vector<ReplayEvent> events;
  Tap(events, 1, kEnter);
  Engine& engine = Open(Episodes({{1, "A"}}), events);
  engine.pictures.SkillPics[0] = SolidPicture(300, 20);
  engine.pictures.SkillPics[0]->handleY = 10;
  engine.pictures.SkillPreviewPics[1] = SolidPicture(10, 10);
  run.Run([](Engine& e) { ChooseSkill(e); });
  const auto& frame = run.platform->LastFrame();
  auto lit = [&](int x, int y) {
    return (frame[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF) != 0;
  };
  EXPECT_TRUE(lit(100, 140) && lit(399, 159));   // the skill picture, centred on its row
  EXPECT_TRUE(lit(500, 150) && lit(509, 159));   // the preview at 300 + 200
  EXPECT_FALSE(lit(499, 150) || lit(510, 150));  // and nowhere else on its rows
  bool mediumText = false;                       // "Medium" above y 200, not below
  for (int x = 100; x < 148; ++x) mediumText = mediumText || lit(x, 190);
  EXPECT_TRUE(mediumText);
  for (int x = 100; x < 148; ++x) EXPECT_FALSE(lit(x, 202));
}

TEST_F(NewGameTest, NewGameFromTheMainMenuResetsTheGameAndWaitsForTheLevel) {
  std::vector<ReplayEvent> events;
  Tap(events, 2, kEnter);   // "New Game"
  Tap(events, 4, kEnter);   // the skill menu: Medium
  Tap(events, 8, kEscape);  // no level player yet: back on the main menu, and out
  Engine& engine = Open(Episodes({{1, "Forest"}}), events);
  InstallFrontEndScreens(engine);
  engine.hooks.startLevel = nullptr;  // no level player: GameState 2 leads back to the menu
  engine.session.Score = 7;
  engine.session.Kills = 8;
  engine.session.Deaths = 9;
  engine.session.Items = 10;
  engine.data.Weapons[4].StartAmmo = 3;
  int startLevelState = -1;
  run.Run([](Engine& e) { FrontEndLoop(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 0);
  EXPECT_EQ(engine.session.CurrentLevelName, "Forest");
  EXPECT_EQ(engine.session.Skill, 1);
  EXPECT_EQ(
      engine.session.Score + engine.session.Kills + engine.session.Deaths + engine.session.Items,
      0);
  EXPECT_EQ(engine.session.SelectedWeapon, 4);
  EXPECT_TRUE(run.Printed("Chosen Weapon: 4"));

  // With a level player wired in, GameState 2 is what it is handed.
  run.output.clear();
  run.ended = false;
  std::vector<ReplayEvent> again;
  Tap(again, 2, kEnter);
  Tap(again, 4, kEnter);
  Engine& second = Open(Episodes({{1, "Forest"}}), again);
  InstallFrontEndScreens(second);
  second.hooks.startLevel = [&](Engine& e) {
    startLevelState = e.shell.GameState;
    e.platform.EndProgram(0);
  };
  run.Run([](Engine& e) { FrontEndLoop(e); });
  EXPECT_EQ(startLevelState, 2);
}

}  // namespace
}  // namespace hopwerk
