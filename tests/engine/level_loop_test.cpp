// The level loop: the quit prompt, the pause screen and the end of an episode.
#include <gtest/gtest.h>

#include "TestLevel.h"
#include "gameplay/LevelLoop.h"
#include "gameplay/PauseGame.h"

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

TEST(LevelLoop, CompletedEpisodeEndsTheLoopAfter250Frames) {
  LevelRun level;
  StandingPlayer(level);
  PlayState& play = level.engine().play;
  play.GameState = 2;
  play.LevelCompleted = 1;
  play.CompletedCountdown = 250;
  play.EpisodeEnds = 1;
  level.run.Run([](Engine& e) { RunLevelLoop(e); });
  EXPECT_FALSE(level.run.ended);
  EXPECT_EQ(level.platform().PresentedFrames(), 250);
  EXPECT_EQ(play.GameState, 0);
}

}  // namespace
}  // namespace hopwerk
