// The level loop: the quit prompt, the pause screen and the end of an episode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LevelTestProject.h"
#include "TestLevel.h"
#include "gameplay/LevelLoop.h"
#include "gameplay/PauseGame.h"
#include "gameplay/StartLevel.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::KeyDown;
using test::KeyUp;
using test::LevelRun;
using test::SolidPicture;

constexpr int kF1 = 112;

ObjectType& StandingPlayer(LevelRun& level) {
  level.AddWall(0, 400, SolidPicture(640, 32));
  ActorType actor;
  actor.Pic[0] = ActorPicture(20, 40);
  actor.HP = 10;  // alive: a player without hit points dies in its first frame
  return level.AddPlayer(320, 400, level.AddActor(std::move(actor)));
}

TEST(LevelLoop, EscapeAsksAndOnlyYEnds) {
  struct Case {
    int answer;
    std::string reason;
  };
  for (const Case& c : {Case{'N', "frames"}, Case{' ', "frames"}, Case{'Y', "exit"}}) {
    LevelRun level({KeyDown(2, 27), KeyUp(3, 27), KeyDown(4, c.answer), KeyUp(5, c.answer)}, 12);
    ObjectType& player = StandingPlayer(level);
    level.run.Run([](Engine& e) { RunLevelLoop(e); });
    ASSERT_TRUE(level.run.ended);
    EXPECT_EQ(level.run.end.reason, c.reason) << c.answer;
    EXPECT_EQ(level.run.end.status, 0);
    EXPECT_EQ(player.X, 320);
    EXPECT_EQ(player.Y, 400);
  }
}

TEST(LevelLoop, PauseShowsGamePausedAndTheKeyResumes) {
  test::TempDir dir;
  const std::string shot = dir.path() + "/paused.png";
  // F1 is seen by the third pass; the pause presents frames 3 to 6 and ends on the second F1.
  LevelRun level({KeyDown(2, kF1), KeyUp(3, kF1), KeyDown(6, kF1), KeyUp(7, kF1), KeyDown(9, 39)},
                 14, {{4, shot}});
  ObjectType& player = StandingPlayer(level);
  level.run.Run([](Engine& e) { RunLevelLoop(e); });
  EXPECT_EQ(level.run.end.reason, "frames");
  EXPECT_GT(player.X, 320);  // the game went on after the pause

  const PicturePtr frame = LoadPictureFile(shot);
  ASSERT_TRUE(frame);
  int white = 0;
  for (int y = 232; y < 248; ++y) {
    for (int x = 276; x < 364; ++x) {
      white += frame->frames[0].pixels[static_cast<size_t>(y) * 640 + x] == 0xFFFFFFFFu;
    }
  }
  EXPECT_GT(white, 50);  // "Game Paused", centred
}

TEST(LevelLoop, PauseReturnsOnThePauseKeyOnly) {
  LevelRun level({KeyDown(1, 27), KeyDown(3, kF1)});
  StandingPlayer(level);
  level.run.Run([](Engine& e) { PauseGame(e); });
  EXPECT_FALSE(level.run.ended);
  EXPECT_EQ(level.platform().PresentedFrames(), 3);
}

TEST(LevelLoop, CompletedEpisodeShowsTheTallyAfter250FramesThenHandsOver) {
  // No episode text: the 250 passes, then the tally, which waits for a key.
  for (const bool keyPressed : {false, true}) {
    LevelRun level(keyPressed ? std::vector<ReplayEvent>{KeyDown(400, 'A')}
                              : std::vector<ReplayEvent>{});
    StandingPlayer(level);
    ShellState& shell = level.engine().shell;
    RunningLevel& run = level.engine().run;
    shell.GameState = 2;
    run.LevelCompleted = 1;
    run.CompletedCountdown = 250;
    run.EpisodeEnds = 1;
    int handedOver = 0;
    level.engine().hooks.episodeScore = [&](Engine&) { ++handedOver; };
    level.run.Run([](Engine& e) { RunLevelLoop(e); });
    EXPECT_EQ(level.run.ended, !keyPressed);
    EXPECT_EQ(level.platform().PresentedFrames(), keyPressed ? 400 : 251);
    EXPECT_EQ(handedOver, keyPressed ? 1 : 0);
    EXPECT_EQ(shell.GameState, keyPressed ? 0 : 2);
  }
}

TEST(LevelLoop, StartLevelFreshOrFromTheCheckpoint) {
  struct Case {
    int mode;
    int x;  // where the player stands when play begins
    int score;
    std::vector<std::string> list;
  };
  for (const Case& c : {Case{kStartFresh, 200, 40, {"Start"}},
                        Case{kStartAtCheckpoint, 260, 25, {"Start", "Gate"}}}) {
    // A level whose only object is the player, at (200, 300). The loading screen is frame 1
    // and the first pass frame 2, which ends the run.
    test::LevelProject level;
    level.Put("Maps.vxr", "L1/General", test::Bytes().Byte(255));
    level.Put("Maps.vxr", "L1/Objects", test::ObjectBytes().Add(2, "Hero", 200, 300).End());
    level.Put("Actors.vxr", "Hero", test::ActorBytes(1, 12));
    level.run.options.frameLimit = 2;
    SessionState& session = level.Open().session;
    session.Score = 40;
    session.CheckpointX = 260;
    session.CheckpointY = 280;
    session.CheckpointScore = 25;
    session.CheckpointList = {"Start", "Gate"};
    level.run.Run([&](Engine& e) { StartLevel(e, c.mode); });
    EXPECT_EQ(level.run.end.reason, "frames");
    const ObjectType* player = level.run.engine->level.Player;
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->X, c.x) << c.mode;
    EXPECT_EQ(player->Y, (c.mode == kStartFresh ? 300 : 280) + 5) << c.mode;  // one frame's fall
    EXPECT_EQ(player->HP, 12);
    EXPECT_EQ(session.Score, c.score);
    EXPECT_EQ(session.CheckpointList, c.list);
    EXPECT_EQ(session.CheckpointX, c.mode == kStartFresh ? 200 : 260);
    EXPECT_EQ(session.CheckpointScore, c.score);
  }
}

}  // namespace
}  // namespace hopwerk
