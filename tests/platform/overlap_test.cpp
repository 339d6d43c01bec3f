#include <gtest/gtest.h>

#include <cmath>

#include "platform/HeadlessPlatform.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

Picture Shape(int w, int h, const std::vector<std::string>& rows, uint32_t solid = 0xFFFFFFFFu) {
  Picture p;
  p.width = w;
  p.height = h;
  p.frames.resize(1);
  p.frames[0].pixels.assign(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (rows[y][x] == '#') p.frames[0].pixels[static_cast<size_t>(y) * w + x] = solid;
    }
  }
  return p;
}

Picture Square(int n) {
  return Shape(n, n, std::vector<std::string>(n, std::string(n, '#')));
}

TEST(OverlapTest, TouchingByOnePixelOverlapsAdjacentDoesNot) {
  Picture a = Square(4), b = Square(4);
  EXPECT_TRUE(PicturesOverlap(a, 0, 0, 0, b, 3, 3, 0));
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, b, 4, 0, 0));
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, b, 0, 4, 0));
  EXPECT_TRUE(PicturesOverlap(a, 0, 0, 0, b, -3, -3, 0));
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, b, 100, 100, 0));
}

TEST(OverlapTest, HandlesAreSubtracted) {
  Picture a = Square(4), b = Square(4);
  SetPictureHandle(b, 4, 0);
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, b, 8, 0, 0));
  EXPECT_TRUE(PicturesOverlap(a, 0, 0, 0, b, 7, 0, 0));
  CentrePictureHandle(a);
  // a now covers x-2..x+1: at 8 it reaches column 6, b's last column (3..6).
  EXPECT_TRUE(PicturesOverlap(a, 8, 2, 0, b, 7, 0, 0));
  EXPECT_FALSE(PicturesOverlap(a, 9, 2, 0, b, 7, 0, 0));
  EXPECT_FALSE(PicturesOverlap(a, 8, -2, 0, b, 7, 0, 0));
}

TEST(OverlapTest, OnlyPixelsWithAlphaFrom128AreSolid) {
  Picture a = Square(2);
  Picture weak = Shape(2, 2, {"##", "##"}, 0x7F7F7F7Fu);
  Picture firm = Shape(2, 2, {"##", "##"}, 0x80808080u);
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, weak, 0, 0, 0));
  EXPECT_TRUE(PicturesOverlap(a, 0, 0, 0, firm, 0, 0, 0));
  EXPECT_FALSE(PicturesOverlapTransformed(a, 0, 0, 0, 0, -1, 1, weak, 0, 0, 0, 0, -1, 1));
  EXPECT_TRUE(PicturesOverlapTransformed(a, 0, 0, 0, 0, -1, 1, firm, 0, 0, 0, 0, -1, 1));
}

TEST(OverlapTest, TransparentHolesDoNotCollide) {
  Picture ring = Shape(3, 3, {"###", "#.#", "###"});
  Picture dot = Square(1);
  EXPECT_FALSE(PicturesOverlap(ring, 0, 0, 0, dot, 1, 1, 0));
  EXPECT_TRUE(PicturesOverlap(ring, 0, 0, 0, dot, 2, 1, 0));
}

TEST(OverlapTest, MirroredPictureCollidesOnItsMirroredSide) {
  // Solid only in its left column.
  Picture flag = Shape(4, 2, {"#...", "#..."});
  Picture dot = Square(1);
  EXPECT_TRUE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, 1, 1, dot, 10, 0, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, 1, 1, dot, 13, 0, 0, 0, 1, 1));
  // Mirrored about its handle (0, 0): it covers 6..9 and the solid column lands on 9.
  EXPECT_TRUE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, -1, 1, dot, 9, 0, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, -1, 1, dot, 10, 0, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, -1, 1, dot, 6, 0, 0, 0, 1, 1));
  // Both mirrored about the same point behave like neither.
  Picture other = Shape(4, 2, {"...#", "...#"});
  EXPECT_FALSE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, 1, 1, other, 10, 0, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, -1, 1, other, 10, 0, 0, 0, -1, 1));
  EXPECT_TRUE(PicturesOverlapTransformed(flag, 10, 0, 0, 0, -1, 1, other, 6, 0, 0, 0, 1, 1));
}

TEST(OverlapTest, RotationTurnsAboutTheHandle) {
  Picture bar = Shape(8, 1, {"########"});
  Picture dot = Square(1);
  EXPECT_TRUE(PicturesOverlapTransformed(bar, 10, 10, 0, 0, 1, 1, dot, 17, 10, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(bar, 10, 10, 0, 90, 1, 1, dot, 17, 10, 0, 0, 1, 1));
  // Turned clockwise by 90 degrees, the bar hangs down from its handle.
  EXPECT_TRUE(PicturesOverlapTransformed(bar, 10, 10, 0, 90, 1, 1, dot, 9, 17, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(bar, 10, 10, 0, 90, 1, 1, dot, 9, 18, 0, 0, 1, 1));
  // Scaled twice as long.
  EXPECT_TRUE(PicturesOverlapTransformed(bar, 10, 10, 0, 0, 2, 1, dot, 25, 10, 0, 0, 1, 1));
  EXPECT_FALSE(PicturesOverlapTransformed(bar, 10, 10, 0, 0, 2, 1, dot, 26, 10, 0, 0, 1, 1));
}

TEST(OverlapTest, PlainTransformMatchesUntransformed) {
  Picture a = Shape(3, 3, {"#..", ".#.", "..#"});
  Picture b = Shape(3, 3, {"..#", ".#.", "#.."});
  for (int dx = -4; dx <= 4; ++dx) {
    for (int dy = -4; dy <= 4; ++dy) {
      EXPECT_EQ(PicturesOverlap(a, 0, 0, 0, b, dx, dy, 0),
                PicturesOverlapTransformed(a, 0, 0, 0, 360, 1, 1, b, dx, dy, 0, 0, 1, 1));
      // A quarter turn about the centre of a 3 x 3 pixel grid is exact with a 1.5 handle; with
      // a whole-pixel handle compare mirrored-twice instead.
      EXPECT_EQ(PicturesOverlap(a, 0, 0, 0, b, dx, dy, 0),
                PicturesOverlapTransformed(a, 0, 0, 0, 0, 1, 1, b, dx, dy, 0, 180, -1, -1));
    }
  }
}

TEST(OverlapTest, BadFramesAndScalesNeverCollide) {
  Picture a = Square(2);
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 1, a, 0, 0, 0));
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, a, 0, 0, -1));
  EXPECT_FALSE(PicturesOverlapTransformed(a, 0, 0, 0, 0, 0, 1, a, 0, 0, 0, 0, 1, 1));
  Picture broken = a;
  broken.frames[0].pixels.clear();
  EXPECT_FALSE(PicturesOverlap(a, 0, 0, 0, broken, 0, 0, 0));
  EXPECT_FALSE(PicturesOverlap(a, std::nanf(""), 0, 0, a, 0, 0, 0));
  EXPECT_FALSE(PicturesOverlap(a, 3e9f, 0, 0, a, -3e9f, 0, 0));
}

// The collision test turns and scales its own copies: the drawing that follows it keeps the
// rotation and scale the game set before.
TEST(OverlapTest, TransformedTestLeavesTheDrawingStateAlone) {
  HeadlessOptions options;
  options.output = [](const std::string&) {};
  HeadlessPlatform p(options);
  p.SetDrawRotation(30);
  p.SetDrawScale(2, 3);
  Picture a = Square(4), b = Square(4);
  EXPECT_TRUE(p.PicturesOverlapTransformed(a, 0, 0, 0, 90, -1, 1, b, -2, -2, 0, 0, 0.5f, 2));
  EXPECT_FALSE(p.PicturesOverlapTransformed(a, 0, 0, 0, 0, -1, 1, b, 1, 0, 0, 0, 1, 1));
  const DrawState& state = p.GetCompositor().State();
  EXPECT_EQ(state.rotation, 30.0f);
  EXPECT_EQ(state.scaleX, 2.0f);
  EXPECT_EQ(state.scaleY, 3.0f);
}

}  // namespace
}  // namespace hopwerk
