// Opening the game display, the alternate full-screen mode and the glow effect.
#include <gtest/gtest.h>

#include "TestProject.h"
#include "shell/GameDisplay.h"
#include "shell/GlowEffect.h"

namespace hopwerk {
namespace {

using test::EngineRun;

class DisplayTest : public ::testing::Test {
 protected:
  Engine& Open(int width, int height, int fullScreen, std::vector<DisplayMode> modes) {
    run.options.modes = std::move(modes);
    Engine& engine = run.Start();
    engine.project.ScreenWidth = width;
    engine.project.ScreenHeight = height;
    engine.project.FullScreen = fullScreen;
    run.Run([](Engine& e) { OpenGameDisplay(e); });
    return engine;
  }
  EngineRun run;
};

TEST_F(DisplayTest, WindowedProjectOpensAWindowOfItsSize) {
  Engine& engine = Open(640, 480, 0, {{640, 480, 32, 60}});
  EXPECT_EQ(run.platform->DisplayWidth(), 640);
  EXPECT_EQ(run.platform->DisplayHeight(), 480);
  EXPECT_TRUE(run.output.empty());
  EXPECT_EQ(engine.glow.BlobAreaWidth, 640);
  ASSERT_TRUE(engine.glow.GlowPicture);
}

TEST_F(DisplayTest, ExactFullScreenModeIsUsed) {
  Open(640, 480, 1, {{640, 480, 32, 60}});
  EXPECT_EQ(run.platform->DisplayWidth(), 640);
  EXPECT_TRUE(run.output.empty());
}

TEST_F(DisplayTest, FirstLargerModeWinsAndTheGameIsCentred) {
  Engine& engine = Open(640, 480, 1, {{800, 600, 32, 75}, {1024, 768, 32, 60}});
  EXPECT_EQ(run.platform->DisplayWidth(), 800);
  EXPECT_EQ(run.platform->DisplayHeight(), 600);
  ASSERT_EQ(run.output.size(), 2u);
  EXPECT_EQ(run.output[0], "Setting to alternate graphics mode: 800x600 / 32");
  EXPECT_EQ(run.output[1], "Skipped --> 1024x768 / 32 :> Done=1");
  const DrawState& state = run.platform->GetCompositor().State();
  EXPECT_EQ(state.viewX, 80);
  EXPECT_EQ(state.viewY, 60);
  EXPECT_EQ(state.viewW, 640);
  EXPECT_EQ(state.viewH, 480);
  EXPECT_EQ(state.originX, 80);
  EXPECT_EQ(state.originY, 60);
  // The glow was prepared before the viewport: blobs bounce in the whole mode.
  EXPECT_EQ(engine.glow.BlobAreaWidth, 800);
  EXPECT_EQ(engine.glow.BlobAreaHeight, 600);
}

TEST_F(DisplayTest, ModeOfAnotherDepthIsSkippedBeforeTheChoice) {
  Open(640, 480, 1, {{800, 600, 16, 60}, {800, 600, 32, 60}});
  ASSERT_EQ(run.output.size(), 2u);
  EXPECT_EQ(run.output[0], "Skipped --> 800x600 / 16 :> Done=0");
  EXPECT_EQ(run.output[1], "Setting to alternate graphics mode: 800x600 / 32");
}

TEST_F(DisplayTest, NoLargeEnoughModeFallsBackToAWindowSilently) {
  Open(640, 480, 1, {{320, 240, 32, 60}});
  EXPECT_EQ(run.platform->DisplayWidth(), 640);
  ASSERT_EQ(run.output.size(), 1u);
  EXPECT_EQ(run.output[0], "Skipped --> 320x240 / 32 :> Done=0");
}

TEST_F(DisplayTest, ImpossibleWindowEndsWithAFailureNotice) {
  Open(0, 0, 0, {});
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 1);
  ASSERT_FALSE(run.output.empty());
  EXPECT_EQ(run.output[0].rfind("notice| ", 0), 0u);
}

// Nothing real is larger than 8192 a side or 2^25 pixels; a project asking for more gets the
// failure notice, windowed or full screen, even where a mode that large is offered.
TEST(DisplaySizes, BeyondAnyRealDisplayAreRefusedWithANotice) {
  const struct {
    int width, height;
    bool opens;
  } cases[] = {{100000, 100000, false}, {16384, 16384, false}, {8193, 16, false}, {16, 8193, false},
               {8192, 4097, false},     {4097, 8192, false},   {8192, 16, true},  {16, 8192, true}};
  for (const auto& c : cases) {
    for (const int fullScreen : {0, 1}) {
      EngineRun run;
      run.options.modes = {{c.width, c.height, 32, 60}};
      Engine& engine = run.Start();
      engine.project.ScreenWidth = c.width;
      engine.project.ScreenHeight = c.height;
      engine.project.FullScreen = fullScreen;
      run.Run([](Engine& e) { OpenGameDisplay(e); });
      const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
      EXPECT_EQ(run.platform->DisplayOpen(), c.opens) << size;
      EXPECT_EQ(run.ended, !c.opens) << size;
      if (!c.opens) {
        EXPECT_EQ(run.end.status, 1) << size;
        EXPECT_TRUE(run.Printed("notice| The game display could not be opened (" + size + ")"));
      }
    }
  }
}

TEST(GlowPicture, BrightInTheMiddleAndBlackAtTheRim) {
  EngineRun run;
  run.Start();
  PicturePtr glow = MakeGlowPicture(*run.platform);
  ASSERT_TRUE(glow);
  ASSERT_EQ(glow->width, 512);
  ASSERT_EQ(glow->height, 512);
  const auto& px = glow->frames[0].pixels;
  const uint32_t centre = px[256 * 512 + 256] & 0xFF;
  EXPECT_GE(centre, 250u);
  EXPECT_LE(centre, 254u);
  EXPECT_EQ(px[0] & 0xFFFFFF, 0u);
  EXPECT_EQ(px[256 * 512 + 1] & 0xFF, 0u);
  // Brightness falls with distance, about (256 - r)^2 / 256.
  const uint32_t mid = px[256 * 512 + 256 + 128] & 0xFF;
  EXPECT_NEAR(static_cast<int>(mid), 64, 3);
}

class GlowBlobTest : public ::testing::Test {
 protected:
  GlowState glow;
};

TEST_F(GlowBlobTest, BlobPastTheRightEdgeTurnsBack) {
  glow.BlobAreaWidth = 640;
  glow.BlobX[0] = 639;
  glow.BlobDX[0] = 2;
  glow.BlobSpeedX[0] = 2;
  glow.BlobY[0] = 100;
  MoveGlowBlob(glow, 0);
  EXPECT_EQ(glow.BlobX[0], 641);
  EXPECT_EQ(glow.BlobDX[0], -2);
  MoveGlowBlob(glow, 0);
  EXPECT_EQ(glow.BlobX[0], 639);
}

TEST_F(GlowBlobTest, BlobWithoutSidewaysSpeedNeverMovesSideways) {
  glow.BlobAreaWidth = 640;
  glow.BlobX[0] = 0;
  for (int i = 0; i < 10; ++i) MoveGlowBlob(glow, 0);
  EXPECT_EQ(glow.BlobX[0], 0);
}

TEST_F(GlowBlobTest, BlobScatteredOutsideIsTurnedBackAtOnce) {
  glow.BlobAreaWidth = 640;
  glow.BlobX[0] = 900;
  glow.BlobDX[0] = 1;
  glow.BlobSpeedX[0] = 1;
  glow.BlobY[0] = 10;
  MoveGlowBlob(glow, 0);
  EXPECT_EQ(glow.BlobX[0], 901);
  EXPECT_EQ(glow.BlobDX[0], -1);
}

TEST_F(GlowBlobTest, BlobAtTheTopEdgeBouncesDown) {
  glow.BlobY[0] = 1;
  glow.BlobDY[0] = -2;
  glow.BlobSpeedY[0] = 2;
  glow.BlobX[0] = 10;
  MoveGlowBlob(glow, 0);
  EXPECT_EQ(glow.BlobY[0], -1);
  EXPECT_EQ(glow.BlobDY[0], 2);
}

class GlowDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine& engine = run.Start();
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    OpenGameDisplay(engine);
  }
  EngineRun run;
};

TEST_F(GlowDrawTest, ScatterUsesTheBoundsInForceBeforeThePreparation) {
  const GlowState& glow = run.engine->glow;
  bool beyondDisplay = false;
  for (int i = 0; i < kGlowBlobs; ++i) {
    EXPECT_GE(glow.BlobX[i], 0);
    EXPECT_LE(glow.BlobX[i], 1024);
    EXPECT_LE(glow.BlobY[i], 768);
    EXPECT_GE(glow.BlobDX[i], -2);
    EXPECT_LE(glow.BlobDX[i], 2);
    EXPECT_EQ(glow.BlobSpeedX[i], std::abs(glow.BlobDX[i]));
    EXPECT_EQ(glow.BlobAngle[i], static_cast<float>(glow.BlobX[i]));
    if (glow.BlobX[i] > 640 || glow.BlobY[i] > 480) beyondDisplay = true;
  }
  EXPECT_TRUE(beyondDisplay);
}

TEST_F(GlowDrawTest, SlowComputerMovesOnlyEightBlobs) {
  GlowState before = run.engine->glow;
  DrawGlowEffect(*run.engine, 0);
  const GlowState& after = run.engine->glow;
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(after.BlobAngle[i], before.BlobAngle[i] + 0.2f);
  for (int i = 8; i < kGlowBlobs; ++i) {
    EXPECT_EQ(after.BlobX[i], before.BlobX[i]);
    EXPECT_EQ(after.BlobAngle[i], before.BlobAngle[i]);
  }
  DrawGlowEffect(*run.engine, 1);
  for (int i = 8; i < kGlowBlobs; ++i) EXPECT_NE(after.BlobAngle[i], before.BlobAngle[i]);
}

TEST_F(GlowDrawTest, DrawingRestoresTheDrawingState) {
  run.platform->SetDrawBlend(3);
  DrawGlowEffect(*run.engine, 1);
  EXPECT_EQ(run.platform->CurrentDrawBlend(), 3);
  const DrawState& state = run.platform->GetCompositor().State();
  EXPECT_EQ(state.r, 255);
  EXPECT_EQ(state.g, 255);
  EXPECT_EQ(state.b, 255);
  EXPECT_EQ(state.rotation, 0.0f);
}

TEST_F(GlowDrawTest, RotationLeftByTheCallerDoesNotTurnTheBlobs) {
  // The same seed scatters the blobs alike; only the caller's rotation differs.
  EngineRun turned;
  Engine& other = turned.Start();
  other.project.ScreenWidth = 640;
  other.project.ScreenHeight = 480;
  OpenGameDisplay(other);
  turned.platform->SetDrawRotation(90);
  DrawGlowEffect(*run.engine, 1);
  DrawGlowEffect(other, 1);
  EXPECT_TRUE(run.platform->GetCompositor().Pixels() == turned.platform->GetCompositor().Pixels());
}

TEST_F(GlowDrawTest, BlobsLightUpTheScreen) {
  for (int i = 0; i < 5; ++i) DrawGlowEffect(*run.engine, 1);
  const auto& pixels = run.platform->GetCompositor().Pixels();
  size_t lit = 0;
  for (uint32_t p : pixels) lit += (p & 0xFFFFFF) != 0;
  EXPECT_GT(lit, pixels.size() / 4);
}

}  // namespace
}  // namespace hopwerk
