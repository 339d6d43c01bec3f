#include "platform/Letterbox.h"

#include <gtest/gtest.h>

namespace hopwerk {
namespace {

void ExpectRect(const ScreenRect& r, int x, int y, int w, int h) {
  EXPECT_EQ(r.x, x);
  EXPECT_EQ(r.y, y);
  EXPECT_EQ(r.w, w);
  EXPECT_EQ(r.h, h);
}

TEST(Letterbox, SameSizeFillsTheWindow) {
  ExpectRect(LetterboxRect(640, 480, 640, 480), 0, 0, 640, 480);
}

TEST(Letterbox, LargestWholeScaleThatFitsCentred) {
  ExpectRect(LetterboxRect(640, 480, 1920, 1080), 320, 60, 1280, 960);
  ExpectRect(LetterboxRect(640, 480, 640, 1000), 0, 260, 640, 480);
  ExpectRect(LetterboxRect(320, 200, 1920, 1200), 0, 0, 1920, 1200);
}

TEST(Letterbox, WindowSmallerThanTheFrameShrinksItKeepingProportions) {
  ExpectRect(LetterboxRect(640, 480, 320, 400), 0, 80, 320, 240);
  ExpectRect(LetterboxRect(640, 480, 600, 240), 140, 0, 320, 240);
}

TEST(Letterbox, TinyAndDegenerateSizes) {
  const ScreenRect r = LetterboxRect(640, 480, 1, 1);
  EXPECT_GE(r.w, 1);
  EXPECT_GE(r.h, 1);
  ExpectRect(LetterboxRect(0, 480, 800, 600), 0, 0, 0, 0);
  ExpectRect(LetterboxRect(640, 480, 0, 600), 0, 0, 0, 0);
  ExpectRect(LetterboxRect(640, 480, -5, 600), 0, 0, 0, 0);
}

TEST(Letterbox, HugeSizesDoNotOverflow) {
  const ScreenRect r = LetterboxRect(100000, 1, 2000000000, 2000000000);
  EXPECT_EQ(r.w, 2000000000);
  EXPECT_EQ(r.h, 20000);
}

TEST(Letterbox, WholeScale) {
  EXPECT_TRUE(IsWholeScale(640, 480, LetterboxRect(640, 480, 1280, 1000)));
  EXPECT_FALSE(IsWholeScale(640, 480, LetterboxRect(640, 480, 500, 500)));
  EXPECT_TRUE(IsWholeScale(640, 480, LetterboxRect(640, 480, 640, 480)));
  EXPECT_FALSE(IsWholeScale(0, 480, ScreenRect{}));
}

}  // namespace
}  // namespace hopwerk
