#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/SoundChannels.h"

namespace hopwerk {
namespace {

TEST(SoundChannels, HandleFindsItsMixerChannel) {
  ChannelTable table;
  const Channel a = AssignChannel(table, 0);
  const Channel b = AssignChannel(table, 5);
  EXPECT_GE(a, 0);
  EXPECT_GE(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(MixerChannelOf(table, a), 0);
  EXPECT_EQ(MixerChannelOf(table, b), 5);
}

TEST(SoundChannels, StaleHandleDoesNotReachTheNextSoundOnItsChannel) {
  ChannelTable table;
  const Channel music = AssignChannel(table, 3);
  const Channel effect = AssignChannel(table, 3);  // music ended, channel reused
  EXPECT_EQ(MixerChannelOf(table, music), -1);
  EXPECT_EQ(MixerChannelOf(table, effect), 3);
}

TEST(SoundChannels, UnknownHandles) {
  ChannelTable table;
  EXPECT_EQ(MixerChannelOf(table, kNoChannel), -1);
  EXPECT_EQ(MixerChannelOf(table, 0), -1);
  EXPECT_EQ(MixerChannelOf(table, 123456), -1);
  EXPECT_EQ(MixerChannelOf(table, std::numeric_limits<int>::min()), -1);
  EXPECT_EQ(AssignChannel(table, -1), kNoChannel);
  EXPECT_EQ(AssignChannel(table, kMaxMixerChannels), kNoChannel);
}

TEST(SoundChannels, HandlesStayNonNegativeOverManyPlays) {
  ChannelTable table;
  for (int i = 0; i < 3000000; i += 1) {
    const Channel h = AssignChannel(table, kMaxMixerChannels - 1);
    if (h < 0 || MixerChannelOf(table, h) != kMaxMixerChannels - 1) {
      FAIL() << "play " << i << " got handle " << h;
    }
  }
}

TEST(SoundChannels, VolumeScaleAndClamp) {
  EXPECT_EQ(MixerVolume(0.0f), 0);
  EXPECT_EQ(MixerVolume(1.0f), 128);
  EXPECT_EQ(MixerVolume(0.5f), 64);
  EXPECT_EQ(MixerVolume(-3.0f), 0);
  EXPECT_EQ(MixerVolume(7.0f), 128);
  EXPECT_EQ(MixerVolume(std::nanf("")), 0);
  EXPECT_EQ(MixerVolume(std::numeric_limits<float>::infinity()), 128);
}

}  // namespace
}  // namespace hopwerk
