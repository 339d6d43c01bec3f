// Cheat codes typed during play, and the level chooser one of them opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "LevelTestProject.h"
#include "TestLevel.h"
#include "gameplay/CheckCheats.h"
#include "gameplay/ChooseLevel.h"
#include "gameplay/LevelLoop.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::Bytes;
using test::KeyDown;
using test::KeyUp;
using test::LevelProject;
using test::LevelRun;
using test::ObjectBytes;
using test::SolidPicture;

// Each letter pressed in its own frame, from `frame` on; the last one is seen by pass
// frame + letters.size().
std::vector<ReplayEvent> Typed(int64_t frame, const std::string& letters) {
  std::vector<ReplayEvent> events;
  for (const char c : letters) {
    events.push_back(KeyDown(frame, c));
    events.push_back(KeyUp(frame + 1, c));
    ++frame;
  }
  return events;
}

ObjectType& StandingPlayer(LevelRun& level) {
  level.AddWall(0, 400, SolidPicture(640, 32));
  ActorType actor;
  actor.Pic[0] = ActorPicture(20, 40);
  actor.HP = 10;
  return level.AddPlayer(320, 400, level.AddActor(std::move(actor)));
}

std::vector<std::string> FloatingTexts(RunningLevel& run) {
  std::vector<std::string> texts;
  run.FloatingTexts.Walk([&](const FT& ft) {
    texts.push_back(ft.Txt);
    return false;
  });
  return texts;
}

TEST(Cheats, TakeCheatRemovesEveryOccurrenceOfAKnownCode) {
  struct Case {
    std::string buffer;
    std::string name;
    bool taken;
    std::string left;
  };
  for (const Case& c : {
           Case{"XGODY", "GodMode", true, "XY"}, Case{"GODAGOD", "GodMode", true, "A"},
           Case{"GOXD", "GodMode", false, "GOXD"},
           Case{"GOD", "Lower", false, "GOD"},    // typed letters are always capitals
           Case{"GOD", "Missing", false, "GOD"},  // not in the project's list
           Case{"GOD", "Empty", false, "GOD"},    // an empty code would match anything
       }) {
    LevelRun level;
    Engine& e = level.engine();
    e.data.CheatCodes = {{"GodMode", "GOD"}, {"Lower", "god"}, {"Empty", ""}};
    e.run.CheatBuffer = c.buffer;
    EXPECT_EQ(TakeCheat(e, c.name), c.taken) << c.buffer << " " << c.name;
    EXPECT_EQ(e.run.CheatBuffer, c.left) << c.buffer << " " << c.name;
  }
}

TEST(Cheats, LettersJoinTheBufferAlphabeticallyKeepingTheLast80) {
  struct Case {
    std::string before;
    std::vector<ReplayEvent> events;
    std::string after;
  };
  const std::string full(80, 'A');
  for (const Case& c : {
           Case{"", {KeyDown(0, 'Z'), KeyDown(0, 'B'), KeyDown(0, '5')}, "BZ"},
           Case{full, Typed(0, "B"), full.substr(1) + "B"},
           Case{full.substr(1), Typed(0, "B"), full.substr(1) + "B"},
       }) {
    LevelRun level(c.events);
    StandingPlayer(level);
    level.engine().data.CheatCodes = {{"GodMode", "GOD"}};
    level.engine().run.CheatBuffer = c.before;
    level.Passes(2);
    EXPECT_EQ(level.engine().run.CheatBuffer, c.after);
  }
}

TEST(Cheats, EachCheatActsInTheFrameItsLastLetterIsTyped) {
  struct Case {
    std::string name;
    std::string typed;  // the code "KEY" among other letters
    std::vector<std::string> texts;
    std::function<void(Engine&)> check;
  };
  const std::vector<Case> cases = {
      {"CheckPoint",
       "QKEYW",
       {"Checkpoint set to (320,400)"},
       [](Engine& e) {
         EXPECT_EQ(e.session.CheckpointX, 320);
         EXPECT_EQ(e.session.CheckpointY, 400);
         EXPECT_EQ(e.session.CheckpointScore, 75);
         EXPECT_EQ(e.session.CheckpointList, std::vector<std::string>{"Start"});
       }},
      {"GodMode", "KEY", {"God mod - Off"}, [](Engine& e) { EXPECT_EQ(e.run.GodMode, 0); }},
      {"FlyJump",
       "KEYQW",
       {"Fly Jump Mode - On"},
       [](Engine& e) { EXPECT_EQ(e.run.InfiniteJump, 1); }},
      {"FullAmmo",
       "QKEY",
       {"Full Ammo"},
       [](Engine& e) {
         EXPECT_EQ(e.data.Weapons[2].Ammo, 9);
         EXPECT_EQ(e.data.Weapons[7].Ammo, 0);
       }},
      {"AllKeys",
       "KEY",
       {},
       [](Engine& e) {
         const std::vector<int32_t> keys(std::begin(e.run.Keys), std::end(e.run.Keys));
         EXPECT_EQ(keys, (std::vector<int32_t>{1, 1, 3, 1, 1, -1, 1, 1, 1, 1}));
       }},
  };
  for (const Case& c : cases) {
    LevelRun level(Typed(0, c.typed));
    StandingPlayer(level);
    Engine& e = level.engine();
    e.data.CheatCodes = {{c.name, "KEY"}};
    e.session.Score = 75;
    e.session.CheckpointList = {"Start"};
    e.run.GodMode = 1;
    e.data.Weapons[2].Ammo = 1;
    e.data.Weapons[2].MaxAmmo = 9;
    e.data.Weapons[7].Ammo = 4;
    e.run.Keys[2] = 3;
    e.run.Keys[5] = -1;
    // The pass that sees the last letter of the code.
    const size_t last = c.typed.find('Y') + 1;
    level.Passes(static_cast<int>(last) - 1);
    EXPECT_EQ(e.run.CheatBuffer.find('Y'), std::string::npos) << c.name;
    level.Passes(1);
    EXPECT_EQ(FloatingTexts(e.run), c.texts) << c.name;
    c.check(e);
    level.Passes(static_cast<int>(c.typed.size() - last));
    // Letters typed around the code stay.
    std::string others = c.typed;
    others.erase(others.find("KEY"), 3);
    EXPECT_EQ(e.run.CheatBuffer, others) << c.name;
  }
}

// Level L2 beside the default L1: L1 has its player at (100, 200), L2 at (300, 120).
void AddSecondLevel(LevelProject& lp) {
  lp.Put("Maps.vxr", "L2/General", Bytes().Byte(0).String("Second").Byte(255));
  lp.Put("Maps.vxr", "L2/Objects", ObjectBytes().Add(2, "Hero", 300, 120).End());
}

TEST(Cheats, DieKillsEvenInGodMode) {
  LevelProject lp;
  AddSecondLevel(lp);
  lp.run.options.events = Typed(1, "DIE");
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  e.data.CheatCodes = {{"Die", "DIE"}};
  e.run.GodMode = 1;
  e.session.CheckpointX = 140;
  e.session.CheckpointY = 90;
  lp.run.Run([](Engine& engine) {
    for (int i = 0; i < 3; ++i) RunLevelLoopPass(engine);
  });
  ASSERT_FALSE(lp.run.ended);
  EXPECT_EQ(e.session.Deaths, 1);
  EXPECT_EQ(e.level.Player->HP, 50);
  EXPECT_EQ(e.level.Player->X, 140);
  EXPECT_EQ(e.run.GodMode, 1);
}

TEST(Cheats, LevelChooserListsLevelsPatchFirst) {
  LevelProject lp;
  AddSecondLevel(lp);
  lp.Put("Maps.vxr", "Objects", Bytes().data);  // in no level's folder
  lp.Put("Maps.vxr", "L3/Deep/objects", Bytes().data);
  test::TempDir patch;
  std::filesystem::create_directories(patch.path() + "/VXR");
  ASSERT_TRUE(
      WriteVxrArchive(patch.path() + "/VXR/Maps.vxr",
                      {{"P9/Objects", {}, 0}, {"P9/General", {}, 0}, {"L2/OBJECTS", {}, 0}}));
  Engine& e = lp.Open();
  EXPECT_EQ(ListLevels(e), (std::vector<std::string>{"L1", "L2", "L3/Deep"}));
  e.settings.PatchFolder = patch.path();
  EXPECT_EQ(ListLevels(e), (std::vector<std::string>{"P9", "L2", "L1", "L2", "L3/Deep"}));
}

TEST(Cheats, LevelChooserPlaysTheChosenLevelOrReturnsUnchanged) {
  struct Case {
    std::vector<int> keys;  // one a frame, once the chooser shows
    std::string level;      // chosen, or "" for none
  };
  for (const Case& c : {Case{{40, 40, 13}, "L2"}, Case{{38, 13}, "L1"}, Case{{40, 27, 13}, ""}}) {
    LevelProject lp;
    AddSecondLevel(lp);
    // The code is complete for the second pass, whose chooser presents frame 3 and reads on.
    std::vector<ReplayEvent> events = Typed(1, "LC");
    int64_t frame = 3;
    for (const int key : c.keys) {
      events.push_back(KeyDown(frame, key));
      events.push_back(KeyUp(frame + 1, key));
      ++frame;
    }
    lp.run.options.events = events;
    lp.run.options.frameLimit = 20;
    Engine& e = lp.Open();
    ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
    e.data.CheatCodes = {{"LevelChoose", "LC"}};
    e.session.Score = 80;
    e.session.CheckpointScore = 30;
    e.session.CheckpointList = {"Start", "Gate"};
    e.run.LevelCompleted = 1;
    e.run.CompletedCountdown = 100;
    lp.run.Run([](Engine& engine) {
      for (int i = 0; i < 8; ++i) RunLevelLoopPass(engine);
    });
    ASSERT_FALSE(lp.run.ended) << c.level;  // Escape left no quit prompt behind
    const bool chosen = !c.level.empty();
    const int startX = c.level == "L2" ? 300 : 100;
    EXPECT_EQ(e.session.CurrentLevelName, chosen ? c.level : "L1");
    EXPECT_EQ(e.session.Score, chosen ? 30 : 80);
    EXPECT_EQ(e.session.CheckpointX, chosen ? startX : 0);
    EXPECT_EQ(e.session.CheckpointScore, 30);
    const std::vector<std::string> list =
        chosen ? std::vector<std::string>{"Start"} : std::vector<std::string>{"Start", "Gate"};
    EXPECT_EQ(e.session.CheckpointList, list);
    EXPECT_EQ(e.run.LevelCompleted, chosen ? 0 : 1);
    EXPECT_EQ(e.level.Player->X, startX);
  }
}

}  // namespace
}  // namespace hopwerk
