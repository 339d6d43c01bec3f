// The title view's timing and the credits screen.
#include <gtest/gtest.h>

#include "TestProject.h"
#include "codec/PngWriter.h"
#include "shell/CreditsScreen.h"
#include "shell/Folders.h"
#include "shell/TitleView.h"

namespace hopwerk {
namespace {

using test::Bytes;
using test::EngineRun;

ReplayEvent Down(int64_t frame, int key) {
  return {frame, ReplayEvent::Kind::Down, key, ""};
}
ReplayEvent Up(int64_t frame, int key) {
  return {frame, ReplayEvent::Kind::Up, key, ""};
}

class TitleTest : public ::testing::Test {
 protected:
  Engine& Open(std::vector<ReplayEvent> events) {
    run.options.events = std::move(events);
    Engine& engine = run.Start();
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    return engine;
  }
  EngineRun run;
};

TEST_F(TitleTest, EachPictureTakes1021FramesAndTheSleeps) {
  Engine& engine = Open({});
  const int32_t start = run.platform->ClockMillis();
  TitleView(engine);
  EXPECT_EQ(run.platform->PresentedFrames(), 2 * 1021);
  // 2042 frames at 60 a second, plus a hold of 1500 ms and a pause of 100 ms per picture.
  EXPECT_EQ(run.platform->ClockMillis() - start, 2042 * 1000 / 60 + 2 * 1600);
}

TEST_F(TitleTest, EscapeDuringTheHoldSkipsTheLogosFadeOut) {
  // The hold is frame 256; Escape pressed then acts at the first fade-out frame.
  Engine& engine = Open({Down(256, 27), Up(257, 27)});
  TitleView(engine);
  EXPECT_EQ(run.platform->PresentedFrames(), 257 + 1021);
}

TEST_F(TitleTest, EscapeDuringFadeInStopsThatPictureOnly) {
  Engine& engine = Open({Down(10, 27), Up(11, 27)});
  TitleView(engine);
  EXPECT_EQ(run.platform->PresentedFrames(), 10 + 1021);
}

TEST_F(TitleTest, PictureIsCentredAndFadesIn) {
  test::TempDir dir;
  std::vector<uint32_t> pixels(100 * 50, 0xFFFFFFFFu);
  ASSERT_TRUE(WritePng(dir.path() + "/logo.png", pixels.data(), 100, 50));
  // The 129th frame of the fade in is drawn at brightness 128.
  run.options.frameLimit = 129;
  Engine& engine = Open({});
  engine.pictures.LogoPic = run.platform->LoadPicture(dir.path() + "/logo.png");
  ASSERT_TRUE(engine.pictures.LogoPic);
  run.Run([](Engine& e) { TitleView(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.reason, "frames");
  const auto& frame = run.platform->LastFrame();
  EXPECT_NEAR(static_cast<int>(frame[240 * 640 + 320] & 0xFF), 128, 1);
  EXPECT_EQ(frame[240 * 640 + 269] & 0xFF, 0u);  // just left of the 100-pixel picture
  EXPECT_NEAR(static_cast<int>(frame[240 * 640 + 270] & 0xFF), 128, 1);
  EXPECT_EQ(frame[214 * 640 + 320] & 0xFF, 0u);  // just above it
}

class CreditsTest : public ::testing::Test {
 protected:
  Engine& Load(const std::string& text, std::vector<ReplayEvent> events = {}) {
    test::WriteFile(run.project.path() + "/VXR/.keep", "");
    EXPECT_TRUE(WriteVxrArchive(run.project.path() + "/VXR/General.vxr",
                                {{"Credits", Bytes().Text(text).data, 0}}));
    run.options.events = std::move(events);
    Engine& engine = run.Start();
    SetProgramFolders(engine);
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    return engine;
  }
  std::string Archive() { return run.project.path() + "/VXR/General.vxr"; }
  EngineRun run;
};

TEST_F(CreditsTest, BlankLineTakesTwoRowsAndColoursCarry) {
  Engine& engine = Load("#FF0000\r\n$Hopwerk\r\n\r\n<Team\r\n");
  LoadCredits(engine, Archive(), "Credits");
  const auto& lines = engine.data.CreditLines;
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Text, "Hopwerk");
  EXPECT_EQ(lines[0].Align, 1);
  EXPECT_EQ(lines[0].R, 255);
  EXPECT_EQ(lines[0].G, 0);
  EXPECT_EQ(lines[0].Y, 0);
  EXPECT_EQ(lines[1].Text, "");
  EXPECT_EQ(lines[1].R, 255);
  EXPECT_EQ(lines[1].Y, 16);
  EXPECT_EQ(lines[2].Text, " ");
  EXPECT_EQ(lines[2].R, 0);
  EXPECT_EQ(lines[2].Y, 32);
  EXPECT_EQ(lines[3].Text, "Team");
  EXPECT_EQ(lines[3].Align, 0);
  EXPECT_EQ(lines[3].R, 255);
  EXPECT_EQ(lines[3].Y, 48);
  EXPECT_EQ(engine.data.CreditsMaxScroll, 48);
}

TEST_F(CreditsTest, ShortColourLineStopsAtTheFirstNonDigit) {
  Engine& engine = Load("#FF80\n>right\nplain\n#zz12x4\n$c\n");
  LoadCredits(engine, Archive(), "Credits");
  const auto& lines = engine.data.CreditLines;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].R, 255);
  EXPECT_EQ(lines[0].G, 128);
  EXPECT_EQ(lines[0].B, 0);
  EXPECT_EQ(lines[0].Align, 2);
  EXPECT_EQ(lines[1].Text, "plain");
  EXPECT_EQ(lines[2].Text, "c");
  EXPECT_EQ(lines[2].R, 0);
  EXPECT_EQ(lines[2].G, 18);
  EXPECT_EQ(lines[2].B, 0);
}

TEST_F(CreditsTest, RightAlignedTenCharactersStartAt560) {
  Engine& engine = Load(">ABCDEFGHIJ\n", {Down(1, 27), Up(2, 27)});
  CreditsScreen(engine, Archive(), "Credits");
  const auto& frame = run.platform->LastFrame();
  bool left = false, right = false;
  for (int y = 0; y < 16; ++y) {
    for (int x = 540; x < 560; ++x) left = left || (frame[y * 640 + x] & 0xFFFFFF) != 0;
    for (int x = 560; x < 640; ++x) right = right || (frame[y * 640 + x] & 0xFFFFFF) != 0;
  }
  EXPECT_FALSE(left);
  EXPECT_TRUE(right);
}

TEST_F(CreditsTest, HeldArrowsScrollOnePixelPerFrameWithinBounds) {
  std::string text;
  for (int i = 0; i < 10; ++i) text += "line\n";
  // Down held for 200 frames reaches the last line's top (144) and stops; Up held brings it
  // back by 40; the last row's position shows where the scroll ended.
  Engine& engine = Load(
      text, {Down(1, 40), Up(201, 40), Down(201, 38), Up(241, 38), Down(250, 27), Up(251, 27)});
  CreditsScreen(engine, Archive(), "Credits");
  EXPECT_EQ(run.platform->PresentedFrames(), 250);
  const auto& frame = run.platform->LastFrame();
  // Line 9 (Y 144) is drawn at 144 - (144 - 40) = 40.
  bool atForty = false, above = false;
  for (int x = 0; x < 32; ++x) {
    for (int y = 40; y < 56; ++y) atForty = atForty || (frame[y * 640 + x] & 0xFFFFFF) != 0;
    for (int y = 56; y < 80; ++y) above = above || (frame[y * 640 + x] & 0xFFFFFF) != 0;
  }
  EXPECT_TRUE(atForty);
  EXPECT_FALSE(above);
}

}  // namespace
}  // namespace hopwerk
