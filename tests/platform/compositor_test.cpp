#include "render/Compositor.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <random>

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

// Kept work: mirrored frames made once, clears put off, additive blends through an a8r8g8b8
// view, the presented frame kept without a copy. None of it may change a pixel.
namespace hopwerk {
namespace {

// Premultiplied pixels of every alpha, colour never above it; all opaque if asked.
std::vector<uint32_t> RandomPixels(std::mt19937& rng, size_t count, bool opaque) {
  std::vector<uint32_t> pixels(count);
  for (uint32_t& p : pixels) {
    const uint32_t a = opaque ? 255 : rng() % 256;
    p = a << 24 | (rng() % (a + 1)) << 16 | (rng() % (a + 1)) << 8 | rng() % (a + 1);
  }
  return pixels;
}

// Pixels whose colours differ (x8r8g8b8 keeps nothing in its top byte); all of them if the
// sizes differ.
size_t DifferingPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  size_t differing = 0;
  for (size_t i = 0; i < a.size(); ++i) differing += ((a[i] ^ b[i]) & 0xFFFFFF) != 0;
  return differing;
}

// A compositor showing random opaque colours, so that any blend has something to mix with.
void FillRandomly(Compositor& c, std::mt19937& rng) {
  const Picture back = MakePicture(
      c.Width(), c.Height(), RandomPixels(rng, static_cast<size_t>(c.Width()) * c.Height(), true));
  const DrawState saved = c.State();
  c.SetDrawBlend(0);
  c.SetDrawColor(255, 255, 255);
  c.SetDrawViewport(0, 0, c.Width(), c.Height());
  c.SetDrawOrigin(0, 0);
  c.DrawPicture(back, 0, 0, 0);
  c.State() = saved;
}

struct BlendCase {
  int blend, r, g, b;
  float alpha;
};
const BlendCase kBlendCases[] = {
    {kBlendMask, 255, 255, 255, 1.0f},  {kBlendMask, 200, 90, 30, 0.7f},
    {kBlendAlpha, 255, 255, 255, 0.6f}, {kBlendAlpha, 40, 250, 120, 1.0f},
    {kBlendLight, 255, 255, 255, 1.0f}, {kBlendLight, 255, 255, 255, 0.3f},
    {kBlendLight, 90, 180, 255, 0.8f},  {kBlendShade, 128, 255, 60, 1.0f},
    {0, 255, 255, 255, 1.0f},           {0, 10, 200, 100, 0.5f},
};

TEST(CompositorMirror, DrawsAsThePictureMirroredBeforehand) {
  std::mt19937 rng(11);
  const int w = 9, h = 7;
  Picture p = MakePicture(w, h, RandomPixels(rng, w * h, false));
  SetPictureHandle(p, 2, 5);
  for (int mirror = 1; mirror <= 3; ++mirror) {
    const bool mx = (mirror & 1) != 0, my = (mirror & 2) != 0;
    Picture flipped = p;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        flipped.frames[0].pixels[static_cast<size_t>(y) * w + x] =
            p.frames[0].pixels[static_cast<size_t>(my ? h - 1 - y : y) * w + (mx ? w - 1 - x : x)];
      }
    }
    // Mirrored about the handle: the handle's own offset is measured from the other side.
    SetPictureHandle(flipped, mx ? w - p.handleX : p.handleX, my ? h - p.handleY : p.handleY);
    for (const BlendCase& k : kBlendCases) {
      Compositor drawn, expected;
      for (Compositor* c : {&drawn, &expected}) {
        c->Resize(24, 20);
        std::mt19937 same(3);
        FillRandomly(*c, same);
        c->SetDrawBlend(k.blend);
        c->SetDrawColor(k.r, k.g, k.b);
        c->SetDrawAlpha(k.alpha);
        c->SetDrawViewport(3, 2, 15, 14);
        c->SetDrawOrigin(1, 2);
      }
      drawn.SetDrawScale(mx ? -1.0f : 1.0f, my ? -1.0f : 1.0f);
      // Inside, cut by the viewport, and twice (the second draw uses what the first made).
      for (const auto& [x, y] :
           {std::pair{6, 5}, std::pair{-2, 0}, std::pair{15, 14}, std::pair{6, 5}}) {
        drawn.DrawPicture(p, static_cast<float>(x), static_cast<float>(y), 0);
        expected.DrawPicture(flipped, static_cast<float>(x), static_cast<float>(y), 0);
      }
      EXPECT_EQ(DifferingPixels(drawn.Pixels(), expected.Pixels()), 0u)
          << "mirror " << mirror << " blend " << k.blend;
    }
  }
}

// GrabPicture writes into the picture: its mirrored frame must be made anew.
TEST_F(CompositorTest, MirroredFrameFollowsAGrabIntoThePicture) {
  Picture p = Filled(2, 1, 0);
  for (int blend : {int{kBlendMask}, 0}) {
    for (const auto& [left, right] : {std::pair{Argb(255, 250, 0, 0), Argb(255, 0, 0, 250)},
                                      std::pair{Argb(255, 0, 250, 0), Argb(255, 250, 250, 250)}}) {
      c.SetDrawScale(1, 1);
      c.SetDrawBlend(0);
      Picture source = MakePicture(2, 1, {left, right});
      c.DrawPicture(source, 0, 0, 0);
      c.GrabPicture(p, 0, 0, 0);
      c.SetDrawBlend(blend);
      c.SetDrawScale(-1, 1);
      c.DrawPicture(p, 12, 10, 0);
      EXPECT_EQ(c.Pixels()[10 * 32 + 10] & 0xFFFFFF, right & 0xFFFFFF) << blend;
      EXPECT_EQ(c.Pixels()[10 * 32 + 11] & 0xFFFFFF, left & 0xFFFFFF) << blend;
    }
  }
}

// Additive blends go through an a8r8g8b8 view of the framebuffer: every colour must be what
// adding straight into the x8r8g8b8 framebuffer gives (the slow way it used to be done).
TEST(CompositorAdd, GivesWhatAddingIntoTheX8r8g8b8FramebufferGives) {
  auto solid = [](double r, double g, double b, double a) {
    auto c16 = [](double v) { return static_cast<uint16_t>(std::lround(v * 65535.0)); };
    const pixman_color_t colour{c16(r), c16(g), c16(b), c16(a)};
    return pixman_image_create_solid_fill(&colour);
  };
  std::mt19937 rng(21);
  const int w = 23, h = 17;
  Picture glow = MakePicture(w, h, RandomPixels(rng, w * h, true));
  for (uint32_t& px : glow.frames[0].pixels) px = 0xFF000000u | (px & 255) * 0x010101u;
  const Picture pictures[] = {MakePicture(w, h, RandomPixels(rng, w * h, false)), glow};
  for (const Picture& p : pictures) {
    for (const BlendCase& k : kBlendCases) {
      const bool tinted = k.r < 255 || k.g < 255 || k.b < 255;
      if (k.blend != kBlendLight && !(k.blend == kBlendAlpha && tinted)) continue;
      Compositor c;
      c.Resize(32, 24);
      FillRandomly(c, rng);
      std::vector<uint32_t> expected = c.Pixels();
      c.SetDrawBlend(k.blend);
      c.SetDrawColor(k.r, k.g, k.b);
      c.SetDrawAlpha(k.alpha);
      for (const auto& [x, y] : {std::pair{4, 3}, std::pair{-9, 14}}) c.DrawPicture(p, x, y, 0);

      pixman_image_t* fb =
          pixman_image_create_bits(PIXMAN_x8r8g8b8, 32, 24, expected.data(), 32 * 4);
      pixman_image_t* pic = pixman_image_create_bits(
          PIXMAN_a8r8g8b8, w, h, const_cast<uint32_t*>(p.frames[0].pixels.data()), w * 4);
      const double a = k.alpha, r = k.r / 255.0, g = k.g / 255.0, b = k.b / 255.0;
      pixman_image_t* fade = solid(0, 0, 0, a);
      pixman_image_t* tint = solid(r * a, g * a, b * a, a);
      for (const auto& [x, y] : {std::pair{4, 3}, std::pair{-9, 14}}) {
        if (k.blend == kBlendAlpha) {
          pixman_image_composite32(PIXMAN_OP_OUT_REVERSE, pic, fade, fb, 0, 0, 0, 0, x, y, w, h);
        }
        if (tinted) {
          pixman_image_set_component_alpha(pic, 1);
          pixman_image_composite32(PIXMAN_OP_ADD, tint, pic, fb, 0, 0, 0, 0, x, y, w, h);
          pixman_image_set_component_alpha(pic, 0);
        } else {
          pixman_image_composite32(PIXMAN_OP_ADD, pic, a < 1.0 ? fade : nullptr, fb, 0, 0, 0, 0, x,
                                   y, w, h);
        }
      }
      for (pixman_image_t* image : {fb, pic, fade, tint}) pixman_image_unref(image);
      EXPECT_EQ(DifferingPixels(c.Pixels(), expected), 0u)
          << "blend " << k.blend << " tint " << k.r << "," << k.g << "," << k.b << " alpha "
          << k.alpha;
    }
  }
}

// A clear is put off until a draw that does not cover the screen, or a read, needs it. Each
// case draws after a clear twice: once with the clear done at once (read back first), once
// put off; both over stale pixels, before and after a presented frame left its buffer.
TEST(CompositorClear, APutOffClearShowsWhereverTheNextDrawDoesNotReach) {
  std::mt19937 rng(9);
  const int w = 20, h = 12;
  const Picture opaque = MakePicture(w, h, RandomPixels(rng, w * h, true));
  std::vector<uint32_t> holed = opaque.frames[0].pixels;
  holed[37] = 0;
  const Picture holey = MakePicture(w, h, holed);
  const Picture tile = MakePicture(3, 2, RandomPixels(rng, 6, true));
  using Draw = std::function<void(Compositor&)>;
  const std::pair<const char*, Draw> cases[] = {
      {"nothing", [](Compositor&) {}},
      {"opaque mask cover", [&](Compositor& c) { c.DrawPicture(opaque, 0, 0, 0); }},
      {"holed mask cover", [&](Compositor& c) { c.DrawPicture(holey, 0, 0, 0); }},
      {"shifted cover", [&](Compositor& c) { c.DrawPicture(opaque, 1, 0, 0); }},
      {"cover in a viewport",
       [&](Compositor& c) {
         c.SetDrawViewport(2, 2, 10, 5);
         c.DrawPicture(opaque, 0, 0, 0);
       }},
      {"solid cover",
       [&](Compositor& c) {
         c.SetDrawBlend(0);
         c.DrawPicture(holey, 0, 0, 0);
       }},
      {"light cover",
       [&](Compositor& c) {
         c.SetDrawBlend(kBlendLight);
         c.DrawPicture(opaque, 0, 0, 0);
       }},
      {"faded mask cover",
       [&](Compositor& c) {
         c.SetDrawAlpha(0.6f);
         c.DrawPicture(holey, 0, 0, 0);
       }},
      {"mirrored cover",
       [&](Compositor& c) {
         c.SetDrawScale(-1, -1);
         c.DrawPicture(opaque, w, h, 0);
       }},
      {"tiles", [&](Compositor& c) { c.TilePicture(tile, 1, 1, 0); }},
      {"tiles in a viewport",
       [&](Compositor& c) {
         c.SetDrawViewport(0, 0, 5, 12);
         c.TilePicture(tile, 0, 0, 0);
       }},
      {"solid rectangle cover",
       [&](Compositor& c) {
         c.SetDrawBlend(0);
         c.SetDrawColor(30, 60, 90);
         c.DrawFilledRect(-1, -1, w + 2, h + 2);
       }},
      {"alpha rectangle cover",
       [&](Compositor& c) {
         c.SetDrawBlend(kBlendAlpha);
         c.SetDrawAlpha(0.5f);
         c.DrawFilledRect(0, 0, w, h);
       }},
      {"text", [&](Compositor& c) { c.DrawTextAt("Hop", 1, -3); }},
      {"grab",
       [&](Compositor& c) {
         Picture grabbed = Filled(w, h, 0);
         c.GrabPicture(grabbed, 0, 0, 0);
         c.SetDrawBlend(0);
         c.DrawPicture(grabbed, 3, 3, 0);
       }},
  };
  for (const auto& [name, draw] : cases) {
    Compositor lazy, eager;
    for (Compositor* c : {&lazy, &eager}) {
      c->Resize(w, h);
      std::mt19937 same(5);
      FillRandomly(*c, same);
      c->MarkPresented();
      FillRandomly(*c, same);  // drawing over a presented frame keeps it aside
    }
    for (int round = 0; round < 3; ++round) {
      for (Compositor* c : {&lazy, &eager}) {
        c->State() = DrawState{};
        c->SetDrawViewport(0, 0, w, h);
        c->SetClearColor(round * 40, 200, 100);
        c->ClearScreen();
        if (c == &eager) (void)c->Pixels();
        draw(*c);
      }
      EXPECT_EQ(DifferingPixels(lazy.Pixels(), eager.Pixels()), 0u) << name << ", round " << round;
      lazy.MarkPresented();
      eager.MarkPresented();
    }
  }
}

TEST(CompositorPresent, ThePresentedFrameStaysWhileTheNextIsDrawn) {
  Compositor c;
  EXPECT_TRUE(c.PresentedPixels().empty());
  c.Resize(8, 6);
  c.SetClearColor(200, 0, 0);
  c.ClearScreen();
  EXPECT_TRUE(c.PresentedPixels().empty());
  c.MarkPresented();
  const std::vector<uint32_t> red(48, 0xFFC80000u);
  EXPECT_EQ(c.PresentedPixels(), red);
  EXPECT_EQ(c.PresentedWidth(), 8);
  // Drawn over without a clear, then cleared and covered: the presented frame stays.
  c.SetDrawBlend(0);
  c.SetDrawColor(0, 0, 255);
  c.PlotPixel(1, 1);
  EXPECT_EQ(c.PresentedPixels(), red);
  EXPECT_EQ(c.Pixels()[9], 0xFF0000FFu);
  c.MarkPresented();
  std::vector<uint32_t> marked = red;
  marked[9] = 0xFF0000FFu;
  EXPECT_EQ(c.PresentedPixels(), marked);
  c.SetClearColor(0, 200, 0);
  c.ClearScreen();
  EXPECT_EQ(c.PresentedPixels(), marked);
  c.DrawFilledRect(0, 0, 8, 6);
  EXPECT_EQ(c.PresentedPixels(), marked);
  EXPECT_EQ(c.Pixels()[0], 0xFF0000FFu);
  c.MarkPresented();
  c.ClearScreen();
  EXPECT_EQ(c.PresentedPixels(), std::vector<uint32_t>(48, 0xFF0000FFu));
  EXPECT_EQ(c.Pixels()[0], 0xFF00C800u);
  // A new display size leaves the presented frame as it was shown.
  c.MarkPresented();
  c.Resize(4, 4);
  EXPECT_EQ(c.PresentedPixels(), std::vector<uint32_t>(48, 0xFF00C800u));
  EXPECT_EQ(c.PresentedWidth(), 8);
  EXPECT_EQ(c.PresentedHeight(), 6);
  EXPECT_EQ(c.Pixels().size(), 16u);
}

}  // namespace
}  // namespace hopwerk
