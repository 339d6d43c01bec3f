#include "platform/Compositor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

namespace hopwerk {
namespace {

uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
         (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// A one-frame picture from premultiplied pixels.
Picture MakePicture(int w, int h, std::vector<uint32_t> pixels) {
  Picture p;
  p.width = w;
  p.height = h;
  p.frames.resize(1);
  p.frames[0].pixels = std::move(pixels);
  return p;
}

Picture Filled(int w, int h, uint32_t pixel) {
  return MakePicture(w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, pixel));
}

struct Rgb {
  int r, g, b;
};

Rgb At(const Compositor& c, int x, int y) {
  const uint32_t p = c.Pixels()[static_cast<size_t>(y) * c.Width() + x];
  return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
          static_cast<int>(p & 255)};
}

#define EXPECT_RGB(c, x, y, R, G, B)                              \
  do {                                                            \
    const Rgb got = At(c, x, y);                                  \
    EXPECT_NEAR(got.r, R, 1) << "red at " << (x) << "," << (y);   \
    EXPECT_NEAR(got.g, G, 1) << "green at " << (x) << "," << (y); \
    EXPECT_NEAR(got.b, B, 1) << "blue at " << (x) << "," << (y);  \
  } while (0)

class CompositorTest : public ::testing::Test {
 protected:
  void SetUp() override { c.Resize(32, 24); }
  // Fills the whole framebuffer with one colour.
  void Background(int r, int g, int b) {
    c.SetClearColor(r, g, b);
    c.ClearScreen();
  }
  Compositor c;
};

TEST_F(CompositorTest, ResizeGivesBlackFramebufferAndFullViewport) {
  EXPECT_EQ(c.Width(), 32);
  EXPECT_EQ(c.Height(), 24);
  ASSERT_EQ(c.Pixels().size(), 32u * 24u);
  EXPECT_RGB(c, 31, 23, 0, 0, 0);
  EXPECT_EQ(c.State().viewW, 32);
  EXPECT_EQ(c.State().viewH, 24);
}

TEST_F(CompositorTest, ClearScreenIgnoresViewport) {
  c.SetDrawViewport(4, 4, 2, 2);
  c.SetDrawOrigin(4, 4);
  Background(10, 20, 30);
  EXPECT_RGB(c, 0, 0, 10, 20, 30);
  EXPECT_RGB(c, 31, 23, 10, 20, 30);
}

TEST_F(CompositorTest, DrawColorIsClamped) {
  c.SetDrawColor(300, -5, 128);
  EXPECT_EQ(c.State().r, 255);
  EXPECT_EQ(c.State().g, 0);
  EXPECT_EQ(c.State().b, 128);
  c.SetDrawBlend(0);
  c.DrawFilledRect(0, 0, 2, 2);
  EXPECT_RGB(c, 1, 1, 255, 0, 128);
  c.SetDrawAlpha(7.0f);
  EXPECT_FLOAT_EQ(c.State().alpha, 1.0f);
  c.SetDrawAlpha(-1.0f);
  EXPECT_FLOAT_EQ(c.State().alpha, 0.0f);
}

TEST_F(CompositorTest, AlphaBlendMixesSourceAndDestination) {
  Background(100, 100, 100);
  c.SetDrawBlend(kBlendAlpha);
  c.SetDrawAlpha(0.5f);
  Picture p = Filled(4, 4, Argb(255, 200, 50, 0));
  c.DrawPicture(p, 2, 2, 0);
  EXPECT_RGB(c, 3, 3, 150, 75, 50);
  EXPECT_RGB(c, 6, 6, 100, 100, 100);
}

TEST_F(CompositorTest, AlphaBlendWithTintAndPictureAlpha) {
  Background(100, 100, 100);
  c.SetDrawBlend(kBlendAlpha);
  c.SetDrawAlpha(0.5f);
  c.SetDrawColor(255, 0, 128);
  // Premultiplied white at half alpha: the source is 50% white.
  Picture p = Filled(2, 2, Argb(128, 128, 128, 128));
  c.DrawPicture(p, 0, 0, 0);
  // src*tint*alpha + dst*(1 - srcAlpha*alpha): 128*t*0.5 + 100*0.749
  EXPECT_RGB(c, 0, 0, 64 + 75, 0 + 75, 32 + 75);
}

TEST_F(CompositorTest, LightAddsAndSaturates) {
  Background(100, 100, 200);
  c.SetDrawBlend(kBlendLight);
  c.SetDrawAlpha(0.5f);
  Picture p = Filled(2, 2, Argb(255, 50, 60, 200));
  c.DrawPicture(p, 0, 0, 0);
  EXPECT_RGB(c, 0, 0, 125, 130, 255);
  c.SetDrawAlpha(1.0f);
  c.SetDrawColor(255, 0, 255);
  c.DrawPicture(p, 0, 0, 0);
  EXPECT_RGB(c, 1, 1, 175, 130, 255);
}

TEST_F(CompositorTest, ShadeMultiplies) {
  Background(200, 100, 50);
  c.SetDrawBlend(kBlendShade);
  Picture p = Filled(2, 2, Argb(255, 128, 255, 0));
  c.DrawPicture(p, 0, 0, 0);
  EXPECT_RGB(c, 0, 0, 100, 100, 0);
  // Tinted: the tint multiplies the source first.
  Background(200, 200, 200);
  c.SetDrawColor(128, 255, 255);
  Picture white = Filled(2, 2, Argb(255, 255, 255, 255));
  c.DrawPicture(white, 0, 0, 0);
  EXPECT_RGB(c, 1, 1, 100, 200, 200);
  // Transparent source pixels leave the destination alone.
  Picture clear = Filled(2, 2, 0);
  c.DrawPicture(clear, 0, 0, 0);
  EXPECT_RGB(c, 1, 1, 100, 200, 200);
}

TEST_F(CompositorTest, SolidOverwritesWhateverTheAlpha) {
  Background(90, 90, 90);
  c.SetDrawBlend(0);
  c.SetDrawAlpha(0.25f);
  Picture p = MakePicture(2, 1, {Argb(255, 10, 20, 30), 0});
  c.DrawPicture(p, 0, 0, 0);
  EXPECT_RGB(c, 0, 0, 10, 20, 30);
  EXPECT_RGB(c, 1, 0, 0, 0, 0);  // a transparent pixel is written too
  c.SetDrawBlend(77);            // any unknown number is solid
  c.SetDrawColor(255, 0, 0);
  c.DrawPicture(p, 0, 1, 0);
  EXPECT_RGB(c, 0, 1, 10, 0, 0);
}

TEST_F(CompositorTest, MaskWritesOnlySolidEnoughPixelsWithoutBlending) {
  Background(90, 90, 90);
  c.SetDrawBlend(kBlendMask);
  // Premultiplied: alpha 128 of full red, alpha 127 of full green.
  Picture p = MakePicture(3, 1, {Argb(128, 128, 0, 0), Argb(127, 0, 127, 0), 0});
  c.DrawPicture(p, 0, 0, 0);
  EXPECT_RGB(c, 0, 0, 255, 0, 0);  // written as the full colour, not blended
  EXPECT_RGB(c, 1, 0, 90, 90, 90);
  EXPECT_RGB(c, 2, 0, 90, 90, 90);
  // Tinted.
  c.SetDrawColor(0, 255, 255);
  Picture white = Filled(1, 1, Argb(255, 200, 200, 200));
  c.DrawPicture(white, 5, 5, 0);
  EXPECT_RGB(c, 5, 5, 0, 200, 200);
  // The same frame in another tint right after: no stale colour.
  c.SetDrawColor(255, 0, 0);
  c.DrawPicture(white, 6, 6, 0);
  EXPECT_RGB(c, 6, 6, 200, 0, 0);
  c.SetDrawColor(0, 255, 255);
  c.DrawPicture(white, 6, 6, 0);
  EXPECT_RGB(c, 6, 6, 0, 200, 200);
  // The drawing alpha scales the source alpha before the test.
  c.SetDrawColor(255, 255, 255);
  c.SetDrawAlpha(0.49f);
  c.DrawPicture(white, 7, 7, 0);
  EXPECT_RGB(c, 7, 7, 90, 90, 90);
  c.SetDrawAlpha(0.5f);
  c.DrawPicture(white, 7, 7, 0);
  EXPECT_RGB(c, 7, 7, 200, 200, 200);
}

TEST_F(CompositorTest, MaskOfRotatedPictureStaysUnblended) {
  Background(90, 90, 90);
  c.SetDrawBlend(kBlendMask);
  c.SetDrawRotation(45.0f);
  Picture p = Filled(8, 8, Argb(255, 255, 255, 255));
  c.DrawPicture(p, 16, 4, 0);
  int written = 0;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      const Rgb px = At(c, x, y);
      EXPECT_TRUE((px.r == 90 && px.g == 90) || (px.r == 255 && px.g == 255)) << x << "," << y;
      written += px.r == 255;
    }
  }
  EXPECT_GT(written, 40);
  EXPECT_LT(written, 90);
}

TEST_F(CompositorTest, MirrorAboutTheHandle) {
  c.SetDrawBlend(0);
  Picture p = MakePicture(
      4, 1, {Argb(255, 10, 0, 0), Argb(255, 20, 0, 0), Argb(255, 30, 0, 0), Argb(255, 40, 0, 0)});
  c.DrawPicture(p, 10, 0, 0);
  EXPECT_RGB(c, 10, 0, 10, 0, 0);
  EXPECT_RGB(c, 13, 0, 40, 0, 0);
  c.SetDrawScale(-1, 1);
  c.DrawPicture(p, 10, 1, 0);
  // Mirrored about the vertical line through the handle: the picture now lies left of it.
  EXPECT_RGB(c, 9, 1, 10, 0, 0);
  EXPECT_RGB(c, 8, 1, 20, 0, 0);
  EXPECT_RGB(c, 6, 1, 40, 0, 0);
  EXPECT_RGB(c, 10, 1, 0, 0, 0);
  // With the handle at pixel 1 the handle pixel stays beside the handle point.
  SetPictureHandle(p, 1, 0);
  c.DrawPicture(p, 20, 2, 0);
  EXPECT_RGB(c, 19, 2, 20, 0, 0);
  EXPECT_RGB(c, 20, 2, 10, 0, 0);
  EXPECT_RGB(c, 17, 2, 40, 0, 0);
  EXPECT_RGB(c, 21, 2, 0, 0, 0);
  // Vertical mirror.
  Picture col = MakePicture(1, 2, {Argb(255, 0, 10, 0), Argb(255, 0, 20, 0)});
  c.SetDrawScale(1, -1);
  c.DrawPicture(col, 0, 10, 0);
  EXPECT_RGB(c, 0, 9, 0, 10, 0);
  EXPECT_RGB(c, 0, 8, 0, 20, 0);
}

TEST_F(CompositorTest, RotationTurnsClockwiseAboutTheHandle) {
  c.SetDrawBlend(0);
  c.SetDrawRotation(90.0f);
  Picture p = Filled(4, 2, Argb(255, 0, 200, 0));
  c.DrawPicture(p, 10, 10, 0);
  // (u, v) -> (10 - v, 10 + u): the 4 x 2 picture becomes 2 wide, 4 high, left of the handle.
  for (int y = 10; y < 14; ++y) {
    EXPECT_RGB(c, 8, y, 0, 200, 0);
    EXPECT_RGB(c, 9, y, 0, 200, 0);
    EXPECT_RGB(c, 10, y, 0, 0, 0);
    EXPECT_RGB(c, 7, y, 0, 0, 0);
  }
  EXPECT_RGB(c, 9, 9, 0, 0, 0);
  EXPECT_RGB(c, 9, 14, 0, 0, 0);
  // A centred handle turns the picture in place.
  c.ClearScreen();
  c.SetDrawRotation(180.0f);
  Picture q = Filled(4, 2, Argb(255, 0, 200, 0));
  CentrePictureHandle(q);
  c.DrawPicture(q, 20, 10, 0);
  EXPECT_RGB(c, 18, 9, 0, 200, 0);
  EXPECT_RGB(c, 21, 10, 0, 200, 0);
  EXPECT_RGB(c, 22, 10, 0, 0, 0);
  EXPECT_RGB(c, 17, 10, 0, 0, 0);
}

TEST_F(CompositorTest, ScaleEnlargesAboutTheHandle) {
  c.SetDrawBlend(0);
  c.SetDrawScale(2, 3);
  Picture p = Filled(2, 2, Argb(255, 0, 0, 250));
  SetPictureHandle(p, 1, 1);
  c.DrawPicture(p, 10, 10, 0);
  // Smoothed, but the picture's own edge pixels keep their full colour.
  EXPECT_RGB(c, 8, 7, 0, 0, 250);
  EXPECT_RGB(c, 11, 12, 0, 0, 250);
  EXPECT_RGB(c, 9, 9, 0, 0, 250);
  EXPECT_RGB(c, 12, 12, 0, 0, 0);
  EXPECT_RGB(c, 8, 13, 0, 0, 0);
  c.SetDrawScale(0, 1);  // degenerate: nothing, no crash
  c.DrawPicture(p, 20, 10, 0);
  EXPECT_RGB(c, 20, 10, 0, 0, 0);
}

// Unturned, a scaled picture covers exactly the pixels whose centres lie inside its scaled
// rectangle: the same pixels the transformed collision test counts.
TEST_F(CompositorTest, FractionalScaleCoversOnlyPixelsWhoseCentresItHolds) {
  c.SetDrawBlend(0);
  Picture p = Filled(3, 2, Argb(255, 200, 0, 0));
  Picture dot = Filled(1, 1, Argb(255, 0, 255, 0));
  c.SetDrawScale(1.1f, 1.0f);
  c.DrawPicture(p, 0, 0, 0);  // spans 0 to 3.3: centres 0.5, 1.5 and 2.5
  EXPECT_RGB(c, 2, 0, 200, 0, 0);
  EXPECT_RGB(c, 3, 0, 0, 0, 0);
  EXPECT_RGB(c, 0, 2, 0, 0, 0);
  EXPECT_TRUE(PicturesOverlapTransformed(p, 0, 0, 0, 0, 1.1f, 1, dot, 2, 0, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(p, 0, 0, 0, 0, 1.1f, 1, dot, 3, 0, 0, 0, 1, 1));
  // Mirrored: spans 6.7 to 10, so pixels 7, 8 and 9.
  c.SetDrawScale(-1.1f, 1.0f);
  c.DrawPicture(p, 10, 4, 0);
  EXPECT_RGB(c, 7, 4, 200, 0, 0);
  EXPECT_RGB(c, 9, 4, 200, 0, 0);
  EXPECT_RGB(c, 6, 4, 0, 0, 0);
  EXPECT_RGB(c, 10, 4, 0, 0, 0);
  // Shrunk: 3 x 0.5 spans 20 to 21.5, so pixels 20 and 21 (centre 21.5 is not inside).
  c.SetDrawScale(0.5f, 1.0f);
  c.DrawPicture(p, 20, 8, 0);
  EXPECT_RGB(c, 20, 8, 200, 0, 0);
  EXPECT_RGB(c, 21, 8, 0, 0, 0);
  EXPECT_RGB(c, 19, 8, 0, 0, 0);
}

// The scratch images behind turned and mirrored draws are reused; a smaller draw after a larger
// one must not show what the larger one left behind.
TEST_F(CompositorTest, TransformedDrawsOfChangingSizesLeaveNoTraces) {
  c.SetDrawBlend(3);
  Picture big = Filled(6, 6, Argb(255, 0, 0, 250));
  Picture small = MakePicture(2, 1, {Argb(255, 250, 0, 0), 0});
  c.SetDrawScale(-1, 1);
  c.DrawPicture(big, 10, 0, 0);
  c.ClearScreen();
  c.DrawPicture(small, 10, 0, 0);
  c.DrawPicture(small, 10, 2, 0);
  EXPECT_RGB(c, 9, 0, 250, 0, 0);
  EXPECT_RGB(c, 8, 0, 0, 0, 0);
  EXPECT_RGB(c, 8, 2, 0, 0, 0);
  c.SetDrawRotation(90);
  c.SetDrawScale(1, 1);
  c.DrawPicture(big, 20, 10, 0);
  c.ClearScreen();
  c.DrawPicture(small, 20, 10, 0);
  // (u, v) -> (20 - v, 10 + u): the clear pixel lands at (19, 11).
  EXPECT_RGB(c, 19, 10, 250, 0, 0);
  EXPECT_RGB(c, 19, 11, 0, 0, 0);
  EXPECT_RGB(c, 18, 10, 0, 0, 0);
}

TEST_F(CompositorTest, ViewportClipsAndOriginOffsetsEverything) {
  c.SetDrawBlend(0);
  c.SetDrawViewport(5, 5, 10, 8);
  c.SetDrawOrigin(5, 5);
  c.DrawFilledRect(-50, -50, 200, 200);
  EXPECT_RGB(c, 5, 5, 255, 255, 255);
  EXPECT_RGB(c, 14, 12, 255, 255, 255);
  EXPECT_RGB(c, 4, 5, 0, 0, 0);
  EXPECT_RGB(c, 15, 5, 0, 0, 0);
  EXPECT_RGB(c, 5, 13, 0, 0, 0);

  c.ClearScreen();
  c.SetDrawColor(255, 0, 0);
  c.PlotPixel(0, 0);
  EXPECT_RGB(c, 5, 5, 255, 0, 0);
  c.PlotPixel(-1, 0);
  EXPECT_RGB(c, 4, 5, 0, 0, 0);
  c.DrawLineSegment(0, 2, 40, 2);
  EXPECT_RGB(c, 14, 7, 255, 0, 0);
  EXPECT_RGB(c, 15, 7, 0, 0, 0);
  c.DrawOval(5, -5, 20, 20);
  EXPECT_RGB(c, 14, 6, 255, 0, 0);
  EXPECT_RGB(c, 15, 6, 0, 0, 0);

  c.SetDrawColor(255, 255, 255);
  Picture p = Filled(6, 6, Argb(255, 0, 255, 0));
  c.DrawPicture(p, 7, 5, 0);  // lands at 12..17 x 10..15, clipped to 14 x 12
  EXPECT_RGB(c, 12, 10, 0, 255, 0);
  EXPECT_RGB(c, 14, 12, 0, 255, 0);
  EXPECT_RGB(c, 15, 12, 0, 0, 0);
  EXPECT_RGB(c, 14, 13, 0, 0, 0);
  c.SetDrawRotation(30.0f);
  c.DrawPicture(p, 9, 7, 0);
  EXPECT_RGB(c, 15, 13, 0, 0, 0);
  EXPECT_RGB(c, 16, 16, 0, 0, 0);

  c.SetDrawRotation(0);
  c.DrawTextAt("WWW", 8, 0);
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 15; x < c.Width(); ++x) ASSERT_EQ(At(c, x, y).r, 0) << x << "," << y;
  }
}

TEST_F(CompositorTest, ViewportOutsideTheFramebufferIsCut) {
  c.SetDrawViewport(-10, 20, 100, 100);
  EXPECT_EQ(c.State().viewX, 0);
  EXPECT_EQ(c.State().viewY, 20);
  EXPECT_EQ(c.State().viewW, 32);
  EXPECT_EQ(c.State().viewH, 4);
  c.SetDrawBlend(0);
  c.DrawFilledRect(0, 0, 100, 100);
  EXPECT_RGB(c, 0, 19, 0, 0, 0);
  EXPECT_RGB(c, 31, 23, 255, 255, 255);
  c.SetDrawViewport(40, 40, 5, 5);  // entirely outside: nothing at all is drawn
  c.ClearScreen();
  c.DrawFilledRect(0, 0, 100, 100);
  Picture p = Filled(4, 4, Argb(255, 255, 255, 255));
  c.DrawPicture(p, 0, 0, 0);
  c.TilePicture(p, 0, 0, 0);
  for (uint32_t px : c.Pixels()) ASSERT_EQ(px & 0xFFFFFFu, 0u);
}

TEST_F(CompositorTest, TileAlignsACopyWithTheHandleAtThePosition) {
  c.SetDrawBlend(0);
  std::vector<uint32_t> px(16, Argb(255, 0, 0, 50));
  px[0] = Argb(255, 200, 0, 0);  // marks each copy's top-left
  Picture p = MakePicture(4, 4, px);
  SetPictureHandle(p, 1, 1);
  c.SetDrawOrigin(2, 0);
  c.SetDrawScale(3, 3);  // tiles ignore scale and rotation
  c.SetDrawRotation(45);
  c.TilePicture(p, 4, 5, 0);
  // Copy with handle at (4+2, 5): top-left (5, 4). Grid every 4 pixels both ways.
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool marker = (x - 5) % 4 == 0 && (y - 4) % 4 == 0;
      const Rgb got = At(c, x, y);
      ASSERT_EQ(got.r, marker ? 200 : 0) << x << "," << y;
      ASSERT_EQ(got.b, marker ? 0 : 50) << x << "," << y;
    }
  }
}

TEST_F(CompositorTest, TileFillsOnlyTheViewportInTheCurrentBlend) {
  Background(100, 100, 100);
  c.SetDrawViewport(4, 4, 8, 8);
  c.SetDrawBlend(kBlendLight);
  c.SetDrawColor(255, 0, 0);
  Picture p = Filled(3, 3, Argb(255, 50, 50, 50));
  c.TilePicture(p, -100, -37, 0);
  EXPECT_RGB(c, 4, 4, 150, 100, 100);
  EXPECT_RGB(c, 11, 11, 150, 100, 100);
  EXPECT_RGB(c, 3, 4, 100, 100, 100);
  EXPECT_RGB(c, 12, 11, 100, 100, 100);
}

TEST_F(CompositorTest, OvalFillsInsideItsRectangle) {
  c.SetDrawBlend(0);
  c.DrawOval(2, 2, 5, 5);
  EXPECT_RGB(c, 4, 4, 255, 255, 255);
  EXPECT_RGB(c, 2, 4, 255, 255, 255);
  EXPECT_RGB(c, 6, 4, 255, 255, 255);
  EXPECT_RGB(c, 4, 2, 255, 255, 255);
  EXPECT_RGB(c, 4, 6, 255, 255, 255);
  EXPECT_RGB(c, 2, 2, 0, 0, 0);  // corners are outside the ellipse
  EXPECT_RGB(c, 6, 6, 0, 0, 0);
  EXPECT_RGB(c, 7, 4, 0, 0, 0);  // nothing outside the rectangle
  EXPECT_RGB(c, 4, 7, 0, 0, 0);
  EXPECT_RGB(c, 1, 4, 0, 0, 0);
  c.DrawOval(20, 10, 1, 1);
  EXPECT_RGB(c, 20, 10, 255, 255, 255);
  c.DrawOval(25, 10, 0, 5);  // empty
  EXPECT_RGB(c, 25, 12, 0, 0, 0);
}

TEST_F(CompositorTest, OvalIsSymmetric) {
  c.SetDrawBlend(0);
  c.DrawOval(1, 1, 20, 14);
  for (int y = 1; y < 15; ++y) {
    for (int x = 1; x < 21; ++x) {
      ASSERT_EQ(At(c, x, y).r, At(c, 21 - x, y).r) << x << "," << y;
      ASSERT_EQ(At(c, x, y).r, At(c, x, 15 - y).r) << x << "," << y;
    }
  }
}

TEST_F(CompositorTest, LineIncludesBothEndsAndBlendsEachPixelOnce) {
  c.SetDrawBlend(0);
  c.DrawLineSegment(1, 1, 6, 3);
  EXPECT_RGB(c, 1, 1, 255, 255, 255);
  EXPECT_RGB(c, 6, 3, 255, 255, 255);
  EXPECT_RGB(c, 7, 3, 0, 0, 0);
  c.DrawLineSegment(10, 20, 10, 20);  // a point
  EXPECT_RGB(c, 10, 20, 255, 255, 255);
  c.DrawLineSegment(20, 15, 20, 10);  // upward
  for (int y = 10; y <= 15; ++y) EXPECT_RGB(c, 20, y, 255, 255, 255);
  EXPECT_RGB(c, 20, 16, 0, 0, 0);
  c.SetDrawBlend(kBlendAlpha);
  c.SetDrawAlpha(0.5f);
  c.DrawLineSegment(25, 5, 30, 5);
  for (int x = 25; x <= 30; ++x) EXPECT_RGB(c, x, 5, 128, 128, 128);
  c.DrawLineSegment(-1e9f, 0, 1e9f, 0);  // huge but finite: clipped, no hang
  EXPECT_RGB(c, 0, 0, 128, 128, 128);
}

TEST_F(CompositorTest, ShapesBlendInEveryMode) {
  Background(100, 100, 100);
  c.SetDrawColor(200, 50, 0);
  c.SetDrawAlpha(0.5f);
  c.SetDrawBlend(kBlendAlpha);
  c.DrawFilledRect(0, 0, 1, 1);
  EXPECT_RGB(c, 0, 0, 150, 75, 50);
  c.SetDrawBlend(kBlendLight);
  c.DrawFilledRect(1, 0, 1, 1);
  EXPECT_RGB(c, 1, 0, 200, 125, 100);
  c.SetDrawBlend(kBlendShade);
  c.SetDrawAlpha(1.0f);
  c.DrawFilledRect(2, 0, 1, 1);
  EXPECT_RGB(c, 2, 0, 78, 20, 0);
  c.SetDrawBlend(kBlendMask);
  c.SetDrawAlpha(0.3f);
  c.DrawFilledRect(3, 0, 1, 1);
  EXPECT_RGB(c, 3, 0, 100, 100, 100);
  c.SetDrawAlpha(0.6f);
  c.DrawFilledRect(3, 0, 1, 1);
  EXPECT_RGB(c, 3, 0, 200, 50, 0);
}

TEST_F(CompositorTest, NegativeRectangleSizesDrawTowardsTheOrigin) {
  c.SetDrawBlend(0);
  c.DrawFilledRect(10, 10, -3, -2);
  EXPECT_RGB(c, 7, 8, 255, 255, 255);
  EXPECT_RGB(c, 9, 9, 255, 255, 255);
  EXPECT_RGB(c, 10, 10, 0, 0, 0);
  EXPECT_RGB(c, 6, 8, 0, 0, 0);
}

TEST_F(CompositorTest, TextDrawsGlyphsInColourAndSkipsUnknownCharacters) {
  c.SetDrawColor(0, 255, 0);
  c.DrawTextAt("I", 4, 2);
  int lit = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Rgb got = At(c, x, y);
      if (got.g == 0) continue;
      ++lit;
      EXPECT_EQ(got.r, 0);
      EXPECT_EQ(got.g, 255);
      EXPECT_GE(x, 4);
      EXPECT_LT(x, 12);
      EXPECT_GE(y, 2);
      EXPECT_LT(y, 18);
    }
  }
  EXPECT_GT(lit, 5);
  // Characters without a glyph neither draw nor advance.
  Compositor a, b;
  a.Resize(40, 20);
  b.Resize(40, 20);
  a.DrawTextAt("AB", 0, 0);
  b.DrawTextAt(std::string("\x01\xC4") + "A\x7F" + std::string(1, '\0') + "B", 0, 0);
  Compositor box;
  box.Resize(40, 20);
  box.DrawTextAt("\x7F", 0, 0);
  bool boxLit = false;
  for (uint32_t p : box.Pixels()) boxLit |= (p & 0xFFFFFF) != 0;
  EXPECT_TRUE(boxLit);
  // "A" then the box glyph then "B": B is drawn at 16, so compare A only and B's cell shift.
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      ASSERT_EQ(a.Pixels()[y * 40 + x] & 0xFFFFFF, b.Pixels()[y * 40 + x] & 0xFFFFFF);
      ASSERT_EQ(a.Pixels()[y * 40 + 8 + x] & 0xFFFFFF, b.Pixels()[y * 40 + 16 + x] & 0xFFFFFF);
    }
  }
}

TEST_F(CompositorTest, TextBlendsWithAlpha) {
  Background(100, 100, 100);
  c.SetDrawBlend(kBlendAlpha);
  c.SetDrawAlpha(0.5f);
  c.SetDrawColor(200, 200, 200);
  c.DrawTextAt("#", 0, 0);
  int blended = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      const Rgb got = At(c, x, y);
      ASSERT_TRUE(got.r == 100 || std::abs(got.r - 150) <= 1) << got.r;
      blended += got.r != 100;
    }
  }
  EXPECT_GT(blended, 10);
}

TEST(FontTest, MeasureTextWidth) {
  EXPECT_EQ(MeasureTextWidth("ABC"), 24);
  EXPECT_EQ(MeasureTextWidth(""), 0);
  EXPECT_EQ(MeasureTextWidth(" "), 8);
  EXPECT_EQ(MeasureTextWidth("\x7F"), 8);
  EXPECT_EQ(MeasureTextWidth(std::string("A\x1F\x80\xFF") + std::string(1, '\0') + "\n"), 8);
  EXPECT_EQ(kFontHeight, 16);
}

TEST(FontTest, EveryPrintableGlyphHasPixelsExceptSpace) {
  for (int code = 33; code <= 127; ++code) {
    Compositor c;
    c.Resize(8, 16);
    c.DrawTextAt(std::string(1, static_cast<char>(code)), 0, 0);
    int lit = 0;
    for (uint32_t p : c.Pixels()) lit += (p & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 0) << "code " << code;
  }
}

TEST_F(CompositorTest, GrabCopiesOpaquePixelsInDrawingCoordinates) {
  c.SetDrawBlend(0);
  c.SetDrawColor(10, 20, 30);
  c.PlotPixel(3, 3);
  c.SetDrawOrigin(1, 1);
  Picture p;
  p.width = 3;
  p.height = 3;
  p.frames.resize(2);
  c.GrabPicture(p, 1, 1, 1);  // framebuffer 2..4
  ASSERT_EQ(p.frames[1].pixels.size(), 9u);
  EXPECT_EQ(p.frames[1].pixels[4], Argb(255, 10, 20, 30));
  EXPECT_EQ(p.frames[1].pixels[0], Argb(255, 0, 0, 0));  // black stays opaque on a grab
  EXPECT_TRUE(p.frames[0].pixels.empty());
  // Outside the framebuffer there is nothing to grab: transparent.
  c.GrabPicture(p, 29, -3, 0);
  // (29, -3) + origin: only the bottom row at x 30 and 31 is on screen.
  EXPECT_EQ(p.frames[0].pixels[0], 0u);
  EXPECT_EQ(p.frames[0].pixels[6], Argb(255, 0, 0, 0));
  EXPECT_EQ(p.frames[0].pixels[7], Argb(255, 0, 0, 0));
  EXPECT_EQ(p.frames[0].pixels[8], 0u);
  c.GrabPicture(p, 0, 0, 5);  // no such frame: ignored
}

TEST_F(CompositorTest, RegrabbedFrameDrawsItsNewPixels) {
  c.SetDrawBlend(0);
  Picture p;
  p.width = 2;
  p.height = 2;
  p.frames.resize(1);
  c.SetDrawColor(255, 0, 0);
  c.DrawFilledRect(0, 0, 2, 2);
  c.GrabPicture(p, 0, 0, 0);
  c.SetDrawBlend(kBlendMask);
  c.DrawPicture(p, 10, 10, 0);  // builds the frame's cache
  EXPECT_RGB(c, 10, 10, 255, 0, 0);
  c.SetDrawBlend(0);
  c.SetDrawColor(0, 0, 255);
  c.DrawFilledRect(0, 0, 2, 2);
  c.GrabPicture(p, 0, 0, 0);
  c.SetDrawColor(255, 255, 255);
  c.SetDrawBlend(kBlendMask);
  c.DrawPicture(p, 10, 10, 0);
  EXPECT_RGB(c, 10, 10, 0, 0, 255);
}

TEST_F(CompositorTest, CopiedPictureDoesNotShareTheCache) {
  c.SetDrawBlend(kBlendMask);
  auto original = std::make_unique<Picture>(Filled(2, 2, Argb(255, 255, 0, 0)));
  c.DrawPicture(*original, 0, 0, 0);
  Picture copy = *original;
  original.reset();  // the first cache's pixels are gone
  copy.frames[0].pixels.assign(4, Argb(255, 0, 255, 0));
  c.DrawPicture(copy, 4, 4, 0);
  EXPECT_RGB(c, 4, 4, 0, 255, 0);
}

TEST_F(CompositorTest, BadInputsDrawNothingAndDoNotCrash) {
  Picture p = Filled(2, 2, Argb(255, 255, 255, 255));
  c.DrawPicture(p, 0, 0, 1);
  c.DrawPicture(p, 0, 0, -1);
  c.TilePicture(p, 0, 0, 3);
  Picture broken = p;
  broken.frames[0].pixels.resize(1);  // size disagrees with width * height
  c.DrawPicture(broken, 0, 0, 0);
  c.TilePicture(broken, 0, 0, 0);
  Picture empty;
  c.DrawPicture(empty, 0, 0, 0);
  c.DrawPicture(p, std::nanf(""), 0, 0);
  c.DrawPicture(p, 1e30f, -1e30f, 0);
  c.SetDrawRotation(1e30f);
  c.DrawPicture(p, 5, 5, 0);
  c.SetDrawRotation(0);
  c.SetDrawScale(1e30f, 1e30f);
  c.DrawPicture(p, 5, 5, 0);
  c.SetDrawScale(1, 1);
  c.DrawFilledRect(std::nanf(""), 0, 5, 5);
  c.DrawOval(0, 0, 1e30f, 1e30f);
  c.DrawOval(-1e30f, -1e30f, 2e30f, 2e30f);
  Compositor none;  // never resized
  none.DrawPicture(p, 0, 0, 0);
  none.DrawTextAt("x", 0, 0);
  none.ClearScreen();
  none.DrawFilledRect(0, 0, 4, 4);
}

// Handles and origins are project numbers: at their extremes the picture lies far outside
// the framebuffer, and working that out must not overflow.
TEST_F(CompositorTest, ExtremeHandlesAndOriginsDrawNothing) {
  Picture p = Filled(2, 2, Argb(255, 255, 255, 255));
  for (const int e : {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
    SetPictureHandle(p, e, e);
    for (const float rotation : {0.0f, 45.0f}) {
      c.SetDrawRotation(rotation);
      c.DrawPicture(p, 5, 5, 0);
    }
    SetPictureHandle(p, 0, 0);
    c.SetDrawOrigin(e, e);
    c.DrawPicture(p, 5, 5, 0);
    c.SetDrawOrigin(0, 0);
    c.SetDrawRotation(0);
  }
  for (uint32_t pixel : c.Pixels()) ASSERT_EQ(pixel & 0xFFFFFFu, 0u);
}

}  // namespace
}  // namespace hopwerk

namespace hopwerk {
namespace {

// Text sets the framebuffer's clip; a shape drawn after the viewport changed must not keep it.
TEST(CompositorClip, ShapesFollowAViewportChangedAfterText) {
  Compositor c;
  c.Resize(100, 100);
  c.SetDrawViewport(0, 0, 10, 10);
  c.DrawTextAt("A", 0, 0);
  c.SetDrawViewport(0, 0, 100, 100);
  for (int blend : {int{kBlendAlpha}, int{kBlendLight}, int{kBlendShade}, int{kBlendMask}, 0}) {
    c.ClearScreen();
    c.SetClearColor(0, 0, 0);
    c.SetDrawBlend(blend);
    c.SetDrawColor(255, 255, 255);
    c.SetDrawAlpha(1.0f);
    if (blend == kBlendShade) {
      c.SetClearColor(200, 200, 200);
      c.ClearScreen();
    }
    c.DrawFilledRect(50, 50, 10, 10);
    c.DrawOval(70, 70, 10, 10);
    c.PlotPixel(90, 90);
    EXPECT_NE(c.Pixels()[55 * 100 + 55] & 0xFFFFFF, 0u) << blend;
    EXPECT_NE(c.Pixels()[75 * 100 + 75] & 0xFFFFFF, 0u) << blend;
    EXPECT_NE(c.Pixels()[90 * 100 + 90] & 0xFFFFFF, 0u) << blend;
  }
}

}  // namespace
}  // namespace hopwerk
