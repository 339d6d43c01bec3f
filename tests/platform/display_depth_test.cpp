#include <SDL_pixels.h>
#include <gtest/gtest.h>

#include "platform/SdlPlatform.h"

namespace hopwerk {
namespace {

TEST(DisplayDepth, TrueColourInFourBytesCountsAs32) {
  EXPECT_EQ(DepthOfPixelFormat(SDL_PIXELFORMAT_RGB888), 32);
  EXPECT_EQ(DepthOfPixelFormat(SDL_PIXELFORMAT_BGR888), 32);
  EXPECT_EQ(DepthOfPixelFormat(SDL_PIXELFORMAT_ARGB8888), 32);
}

TEST(DisplayDepth, OtherFormatsKeepTheirBits) {
  EXPECT_EQ(DepthOfPixelFormat(SDL_PIXELFORMAT_RGB565), 16);
  EXPECT_EQ(DepthOfPixelFormat(SDL_PIXELFORMAT_RGB24), 24);
  EXPECT_EQ(DepthOfPixelFormat(SDL_PIXELFORMAT_INDEX8), 8);
}

}  // namespace
}  // namespace hopwerk
