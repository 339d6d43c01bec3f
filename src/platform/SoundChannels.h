// The channels the engine holds are handles of single plays, not raw mixer channels: a mixer
// channel is reused as soon as its sound ends, and the engine may stop a channel long after
// that (the level music's channel is stopped on every death and level change). A handle whose
// play is over therefore never reaches the sound that now occupies its mixer channel.
#pragma once

#include <vector>

#include "platform/Platform.h"

namespace hopwerk {

constexpr int kMaxMixerChannels = 1024;

struct ChannelTable {
  std::vector<Channel> occupant;  // per mixer channel: the handle of its latest play
  int serial = 0;                 // distinguishes plays on the same mixer channel
};

// A new handle for a play just started on mixerChannel (0 .. kMaxMixerChannels - 1).
Channel AssignChannel(ChannelTable& table, int mixerChannel);
// The mixer channel a handle plays on, or -1 when the handle is unknown or was overtaken by a
// later play on that channel.
int MixerChannelOf(const ChannelTable& table, Channel handle);

// Engine volume 0.0 .. 1.0 as mixer volume 0 .. 128; out-of-range and NaN values are clamped.
int MixerVolume(float volume);

}  // namespace hopwerk
