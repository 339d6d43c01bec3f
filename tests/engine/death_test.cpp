// The player's death and the restart at the checkpoint, and the change to the next level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LevelTestProject.h"
#include "TestLevel.h"
#include "gameplay/ChangeLevelIfDue.h"
#include "gameplay/CheckDeath.h"
#include "gameplay/LevelLoop.h"

namespace hopwerk {
namespace {

using test::Bytes;
using test::KeyDown;
using test::LevelProject;
using test::ObjectBytes;

// The player actor: 50 hit points, a 20 x 40 walk picture, and a die strip of `dieFrames`
// frames of style `dieStyle` whose picture exists when `dieFile` is set.
void PutHero(LevelProject& lp, int dieFrames, int dieStyle, bool dieFile) {
  Bytes hero;
  hero.Byte(0).Byte(1).Byte(9).Int(50).Byte(3).Byte(dieStyle);
  hero.Byte(2).Byte(0).Int(20).Int(40).Int(1).Int(0);
  lp.Picture("Data/GFX/Level/Actors/Walk.png", 20, 40);
  if (dieFrames != 0) hero.Byte(2).Byte(4).Int(20).Int(40).Int(dieFrames).Int(0);
  if (dieFile) lp.Picture("Data/GFX/Level/Actors/Die.png", 20 * dieFrames, 40);
  lp.Put("Actors.vxr", "Hero", hero.Byte(255));
}

TEST(Death, TheWaitFollowsTheDieStyleAndEscapeCutsItShort) {
  struct Case {
    const char* what;
    int frames;
    int style;
    bool file;
    int32_t x;         // the player's start
    int64_t escapeAt;  // frame of an Escape press; 0 none
    std::vector<std::string> traces;
    int64_t waitFrames;  // frames the death animation shows
  };
  const std::vector<Case> cases = {
      {"no animation",
       0,
       0,
       false,
       100,
       0,
       {"Death Frames = 0", "Death Pic = Absent", "Animover before start = 1"},
       0},
      {"frames without their picture",
       3,
       0,
       false,
       100,
       0,
       {"Death Frames = 3", "Death Pic = Absent", "Animover before start = 1"},
       0},
      {"style 0 plays its strip",
       3,
       0,
       true,
       100,
       0,
       {"Death Frames = 3", "Death Pic = Present", "Animover before start = 0"},
       2},
      // Drops 5 pixels a frame from 205 (after the pass before its death) to the screen's
      // bottom at 480.
      {"style 1 falls off the screen", 2, 1, true, 100, 0, {"Death Pic = Present"}, 55},
      {"an unknown style waits for Escape", 2, 7, true, 100, 9, {"Animover before start = 0"}, 8},
      {"Escape ends a fall early", 2, 1, true, 100, 5, {}, 4},
      // Thrown to the right, it leaves the drawing area (widened by PlusY) well before the
      // area the death check looks at (widened by PlusX); the wait must still end.
      {"style 2 thrown out at the right", 2, 2, true, 4990, 0, {}, 4},
  };
  for (const Case& c : cases) {
    LevelProject lp;
    PutHero(lp, c.frames, c.style, c.file);
    lp.Put("Maps.vxr", "L1/Objects", ObjectBytes().Add(2, "Hero", c.x, 200).End());
    lp.Put("Maps.vxr", "L1/PlusMinus", Bytes().Int(100).Int(0).Int(0).Int(0));
    if (c.escapeAt != 0) lp.run.options.events = {KeyDown(c.escapeAt, 27)};
    lp.run.options.frameLimit = 200;
    Engine& e = lp.Open();
    ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
    // One frame drawn, as the loop would have, so the camera is where play left it.
    lp.run.Run([](Engine& engine) { RunLevelLoopPass(engine); });
    e.session.CheckpointX = 150;
    e.session.CheckpointY = 120;
    e.level.Player->HP = 0;
    const int64_t before = lp.run.platform->PresentedFrames();
    lp.run.Run([](Engine& engine) { CheckDeath(engine); });
    ASSERT_FALSE(lp.run.ended) << c.what;
    // The reload shows its loading screen as one more frame.
    EXPECT_EQ(lp.run.platform->PresentedFrames() - before - 1, c.waitFrames) << c.what;
    for (const std::string& line : c.traces) EXPECT_TRUE(lp.run.Printed(line)) << c.what << line;
    EXPECT_EQ(e.session.Deaths, 1);
    EXPECT_EQ(e.level.Player->OType, 2);
    EXPECT_EQ(e.level.Player->HP, 50);
    EXPECT_EQ(e.level.Player->X, 150);
    EXPECT_EQ(e.level.Player->Y, 120);
  }
}

TEST(Death, RestartRollsTheScoreBackButKeepsWeaponsAndCounters) {
  LevelProject lp;
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  lp.run.Run([](Engine& engine) { RunLevelLoopPass(engine); });
  SessionState& session = e.session;
  RunningLevel& run = e.run;
  session.Score = 70;
  session.Kills = 4;
  session.Items = 6;
  session.CheckpointScore = 30;
  session.CheckpointX = 150;
  session.CheckpointY = 120;
  session.CheckpointList = {"Start", "Gate"};
  e.data.Weapons[3].Ammo = 7;
  session.SelectedWeapon = 3;
  run.Keys[0] = 2;
  run.Keys[4] = 1;
  e.level.Player->HP = 0;
  lp.run.Run([](Engine& engine) { CheckDeath(engine); });
  ASSERT_FALSE(lp.run.ended);
  EXPECT_EQ(session.Score, 30);
  EXPECT_EQ(session.Deaths, 1);
  EXPECT_EQ(session.Kills, 4);
  EXPECT_EQ(session.Items, 6);
  EXPECT_EQ(e.data.Weapons[3].Ammo, 7);
  EXPECT_EQ(session.SelectedWeapon, 3);
  EXPECT_EQ(run.Keys[0], 2);
  EXPECT_EQ(run.Keys[4], 0);
  EXPECT_EQ(session.CheckpointList, (std::vector<std::string>{"Start", "Gate"}));
  EXPECT_EQ(e.level.Player->X, 150);
  // Nothing of the old level is left for the rest of the frame to reach.
  EXPECT_TRUE(run.ActiveActors.empty());
  EXPECT_TRUE(run.ActiveObjects.empty());
  EXPECT_TRUE(run.AllActors.empty());
  EXPECT_TRUE(run.ActiveWalls.empty());
}

TEST(Death, ADeathWithoutAnimationRestartsInTheSameFrame) {
  LevelProject lp;
  lp.Put("Maps.vxr", "L1/Objects",
         ObjectBytes().Add(2, "Hero", 100, 200).Add(2, "Frog", 400, 200).End());
  lp.Put("Actors.vxr", "Frog", test::ActorBytes(0, 5));
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  e.session.CheckpointX = 150;
  e.session.CheckpointY = 120;
  e.level.Player->HP = 0;
  lp.run.Run([](Engine& engine) {
    // The actors run after the death check in the same pass, over the reloaded level.
    RunLevelLoopPass(engine);
  });
  ASSERT_FALSE(lp.run.ended);
  EXPECT_EQ(lp.run.platform->PresentedFrames(),
            3);  // the first loading screen, the reload's, the pass
  EXPECT_EQ(e.session.Deaths, 1);
  EXPECT_EQ(e.level.Player->X, 150);
  EXPECT_EQ(e.level.Player->HP, 50);
}

// Level L2 beside the default L1, which gets music: L1 has its player at (100, 200), L2 at
// (300, 120).
void AddSecondLevel(LevelProject& lp) {
  lp.Write("Data/Music/song.wav", test::WavBytes());
  lp.Put("Maps.vxr", "L1/General", Bytes().Byte(1).String("song.wav").Byte(255));
  lp.Put("Maps.vxr", "L2/General", Bytes().Byte(0).String("Second").Byte(255));
  lp.Put("Maps.vxr", "L2/Objects", ObjectBytes().Add(2, "Hero", 300, 120).End());
}

TEST(LevelChange, ACompletedLevelGivesWayToTheNextWithItsStartAsCheckpoint) {
  struct Case {
    int countdown;
    int episodeEnds;
    std::string level;  // current afterwards
    bool loaded;
  };
  for (const Case& c : {Case{1, 0, "L1", false}, Case{0, 0, "L2", true}, Case{0, 1, "L2", false}}) {
    LevelProject lp;
    AddSecondLevel(lp);
    Engine& e = lp.Open();
    ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
    const Channel music = e.level.MusicChannel;
    SessionState& session = e.session;
    RunningLevel& run = e.run;
    session.Score = 90;
    session.CheckpointScore = 10;
    session.CheckpointList = {"Start", "Gate"};
    run.LevelCompleted = 1;
    run.CompletedCountdown = c.countdown;
    run.NextLevelName = "L2";
    run.EpisodeEnds = c.episodeEnds;
    lp.run.Run([](Engine& engine) { ChangeLevelIfDue(engine); });
    ASSERT_FALSE(lp.run.ended);
    EXPECT_EQ(session.CurrentLevelName, c.level);
    EXPECT_EQ(lp.run.platform->ChannelPlaying(music), c.countdown != 0);
    EXPECT_EQ(run.LevelCompleted, c.loaded ? 0 : 1);
    EXPECT_EQ(e.level.Player->X, c.loaded ? 300 : 100);
    EXPECT_EQ(session.CheckpointX, c.loaded ? 300 : 0);
    EXPECT_EQ(session.CheckpointY, c.loaded ? 120 : 0);
    EXPECT_EQ(session.CheckpointScore, c.loaded ? 90 : 10);
    EXPECT_EQ(session.CheckpointList, (c.loaded ? std::vector<std::string>{"Start"}
                                                : std::vector<std::string>{"Start", "Gate"}));
    EXPECT_EQ(session.Score, 90);
  }
}

}  // namespace
}  // namespace hopwerk
