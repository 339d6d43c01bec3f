// The loading console, the fatal error screen and the front-end loop.
#include "data/Console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TestProject.h"
#include "shell/FrontEnd.h"

namespace hopwerk {
namespace {

using test::EngineRun;

class ConsoleTest : public ::testing::Test {
 protected:
  Engine& Open(int height, int consoleHeight) {
    Engine& engine = run.Start();
    run.platform->OpenDisplay(640, height, 0, 60);
    engine.console.ConsoleHeight = consoleHeight;
    return engine;
  }
  uint32_t Pixel(int x, int y) {
    return run.platform->LastFrame()[static_cast<size_t>(y) * run.platform->LastFrameWidth() + x] &
           0xFFFFFF;
  }
  EngineRun run;
};

TEST_F(ConsoleTest, EachLineIsOnePresentedFrameAndAReplayLine) {
  Engine& engine = Open(480, 480);
  ConsolePrint(engine, "Init Codes", 255, 255, 255);
  ConsolePrint(engine, "Loading weapons", 255, 0, 0);
  EXPECT_EQ(run.platform->PresentedFrames(), 2);
  ASSERT_EQ(run.output.size(), 2u);
  EXPECT_EQ(run.output[0], "console| Init Codes");
  EXPECT_EQ(run.output[1], "console| Loading weapons");
}

// During play a line joins the history without a frame of its own; the frames drawn in the
// next five seconds show it at the bottom of the screen, then it is gone. A line wider than the
// screen wraps at a blank, and a word wider than the screen anywhere: three rows here.
TEST_F(ConsoleTest, LinesPrintedDuringPlayShowOverTheFramesForAWhile) {
  Engine& engine = Open(480, 480);
  engine.project.ScreenWidth = 640;
  engine.project.ScreenHeight = 480;
  ConsolePrintDuringPlay(engine, "Marsh.tmx: " + std::string(100, 'x'), 255, 0, 0);
  EXPECT_EQ(run.platform->PresentedFrames(), 0);
  EXPECT_EQ(run.output, std::vector<std::string>{"console| Marsh.tmx: " + std::string(100, 'x')});
  ASSERT_EQ(engine.console.ConsoleLines.size(), 1u);
  const auto redRows = [&] {
    std::vector<int> rows;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (Pixel(x, y) == 0xFF0000) {
          rows.push_back(y / 16);
          break;
        }
      }
    }
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
  };
  for (const int frames : {0, 290, 20}) {
    for (int i = 0; i < frames; ++i) run.platform->PresentFrame(1);
    run.platform->ClearScreen();
    DrawPlayConsole(engine);
    run.platform->PresentFrame(1);
    const std::vector<int> rows = frames == 20 ? std::vector<int>{} : std::vector<int>{27, 28, 29};
    EXPECT_EQ(redRows(), rows) << frames;
  }
  EXPECT_TRUE(engine.console.PlayLines.empty());
}

TEST_F(ConsoleTest, ThirtyLinesFitIn480Pixels) {
  Engine& engine = Open(480, 480);
  for (int i = 1; i <= 31; ++i) ConsolePrint(engine, "line " + std::to_string(i), 255, 255, 255);
  ASSERT_EQ(engine.console.ConsoleLines.size(), 30u);
  EXPECT_EQ(engine.console.ConsoleLines.front().Text, "line 2");
  EXPECT_EQ(engine.console.ConsoleLines.back().Text, "line 31");
  // The 31st line is drawn at y = 464: white glyph pixels in its cell, none below it.
  bool white = false;
  for (int y = 464; y < 480; ++y) {
    for (int x = 0; x < 48; ++x) white = white || Pixel(x, y) == 0xFFFFFF;
  }
  EXPECT_TRUE(white);
}

TEST_F(ConsoleTest, ConsoleOf600PixelsKeeps37Lines) {
  Engine& engine = Open(600, 600);
  for (int i = 0; i < 40; ++i) ConsolePrint(engine, "x", 255, 255, 255);
  EXPECT_EQ(engine.console.ConsoleLines.size(), 37u);
}

TEST_F(ConsoleTest, ZeroHeightMeansTheDisplaysHeight) {
  Engine& engine = Open(320, 0);
  for (int i = 0; i < 25; ++i) ConsolePrint(engine, "x", 255, 255, 255);
  EXPECT_EQ(engine.console.ConsoleLines.size(), 20u);
}

TEST_F(ConsoleTest, AtMostOneLineLeavesPerCall) {
  Engine& engine = Open(480, 480);
  for (int i = 0; i < 30; ++i) ConsolePrint(engine, "x", 255, 255, 255);
  engine.console.ConsoleHeight = 160;  // room for 10 lines now, but the list shrinks slowly
  ConsolePrint(engine, "y", 255, 255, 255);
  EXPECT_EQ(engine.console.ConsoleLines.size(), 30u);
}

TEST_F(ConsoleTest, BackgroundIsAGreyGradient) {
  EXPECT_EQ(ConsoleBackgroundGrey(0), 0);
  EXPECT_EQ(ConsoleBackgroundGrey(2), 0);
  EXPECT_EQ(ConsoleBackgroundGrey(5), 1);
  for (int row = 450; row <= 454; ++row) EXPECT_EQ(ConsoleBackgroundGrey(row), 90);
  EXPECT_EQ(ConsoleBackgroundGrey(900), 0);

  Engine& engine = Open(480, 480);
  ConsolePrint(engine, "", 255, 255, 255);
  EXPECT_EQ(Pixel(300, 2), 0u);
  const int grey = ConsoleBackgroundGrey(400);
  EXPECT_EQ(Pixel(639, 400), static_cast<uint32_t>(grey << 16 | grey << 8 | grey));
}

TEST_F(ConsoleTest, ProjectErrorAsksToNotifyTheCreator) {
  Engine& engine = Open(480, 480);
  run.options.events.clear();
  run.Run([](Engine& e) { FatalError(e, "Cheat file corrupted!"); });
  ASSERT_TRUE(run.ended);
  const std::vector<std::string> expected = {
      "console| ", "console| ERROR", "console| Cheat file corrupted!",
      "console| This game is not correct.", "console| Please notify its creator!"};
  ASSERT_GE(run.output.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(run.output[i], expected[i]);
  EXPECT_EQ(engine.console.ConsoleLines[1].R, 255);
  EXPECT_EQ(engine.console.ConsoleLines[1].G, 0);
}

TEST_F(ConsoleTest, InternalFaultIsMarkedWithAStar) {
  Open(480, 480);
  run.Run([](Engine& e) { FatalError(e, "*Internal picture not found!"); });
  EXPECT_TRUE(run.Printed("console| *Internal picture not found!"));
  EXPECT_TRUE(run.Printed("console| This is an internal error in this engine."));
  EXPECT_TRUE(run.Printed("console| Please notify Quillon!"));
}

TEST_F(ConsoleTest, EmptyMessageIsAProjectError) {
  Open(480, 480);
  run.Run([](Engine& e) { FatalError(e, ""); });
  EXPECT_TRUE(run.Printed("console| This game is not correct."));
}

TEST(FatalErrorEnd, WaitsForAKeyThenEndsWithFailure) {
  EngineRun run;
  run.options.events = {{3, ReplayEvent::Kind::Down, 65, ""}};
  Engine& engine = run.Start();
  run.platform->OpenDisplay(640, 480, 0, 60);
  run.Run([](Engine& e) { FatalError(e, "VXR ID mismatch (2.7)"); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.reason, "exit");
  EXPECT_EQ(run.end.status, 1);
  (void)engine;
}

class FrontEndTest : public ::testing::Test {
 protected:
  void Start(std::vector<ReplayEvent> events) {
    run.options.events = std::move(events);
    Engine& engine = run.Start();
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
  }
  static ReplayEvent Tap(int64_t frame, int key) {
    return {frame, ReplayEvent::Kind::Down, key, ""};
  }
  EngineRun run;
};

TEST_F(FrontEndTest, UnknownChainCodeIsAnInternalFault) {
  Start({});
  run.engine->shell.GameState = 7;
  run.Run([](Engine& e) { FrontEndLoop(e); });
  EXPECT_TRUE(run.Printed("console| * Unknown Chain Code (7)"));
  EXPECT_TRUE(run.Printed("console| Please notify Quillon!"));
}

TEST_F(FrontEndTest, EscapeOnTheMainMenuEndsWithSuccess) {
  Start({Tap(5, 27)});
  run.Run([](Engine& e) { FrontEndLoop(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.reason, "exit");
  EXPECT_EQ(run.end.status, 0);
}

TEST_F(FrontEndTest, QuitIsTheLastItemAndTheSelectionDoesNotWrap) {
  // Up at the top stays on "New Game"; eight Downs stop at "Quit".
  std::vector<ReplayEvent> events = {Tap(2, 38)};
  for (int i = 0; i < 8; ++i) events.push_back(Tap(4 + 2 * i, 40));
  events.push_back(Tap(30, 13));
  Start(events);
  run.Run([](Engine& e) { FrontEndLoop(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 0);
  EXPECT_EQ(run.platform->PresentedFrames(), 30);
}

TEST_F(FrontEndTest, HeldDownMovesOneItemPerPress) {
  // Down held for 40 frames is one press: Enter then opens "Continue a game", not "Quit".
  Start({Tap(2, 40), {42, ReplayEvent::Kind::Up, 40, ""}, Tap(45, 13)});
  int opened = -1;
  run.engine->hooks.loadGameSlots = [&](Engine& e) {
    opened = e.shell.GameState;
    e.platform.EndProgram(0);
  };
  run.Run([](Engine& e) { FrontEndLoop(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(opened, 4);
}

TEST_F(FrontEndTest, SpaceConfirmsLikeEnterAndTheSelectionSurvivesSubScreens) {
  // Down twice to "High Scores", open it with Space, come back, open it again with Enter.
  Start({Tap(2, 40), Tap(4, 40), Tap(6, 32), Tap(8, 13), Tap(10, 27)});
  int visits = 0;
  run.engine->hooks.highScores = [&](Engine&) { ++visits; };
  run.Run([](Engine& e) { FrontEndLoop(e); });
  EXPECT_EQ(visits, 2);
  EXPECT_EQ(run.end.status, 0);
}

TEST_F(FrontEndTest, UnbuiltScreensLeadBackToTheMenu) {
  Start({Tap(2, 13), Tap(10, 27)});  // "New Game", then Escape on the menu again
  run.Run([](Engine& e) { FrontEndLoop(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 0);
  EXPECT_EQ(run.engine->shell.GameState, 0);
}

}  // namespace
}  // namespace hopwerk
