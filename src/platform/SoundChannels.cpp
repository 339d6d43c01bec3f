#include "platform/SoundChannels.h"

#include <climits>
#include <cmath>

namespace hopwerk {

namespace {
constexpr int kSerialLimit = INT_MAX / kMaxMixerChannels;
}

Channel AssignChannel(ChannelTable& table, int mixerChannel) {
  if (mixerChannel < 0 || mixerChannel >= kMaxMixerChannels) return kNoChannel;
  if (table.occupant.size() <= static_cast<size_t>(mixerChannel)) {
    table.occupant.resize(static_cast<size_t>(mixerChannel) + 1, kNoChannel);
  }
  table.serial = (table.serial + 1) % kSerialLimit;
  const Channel handle = table.serial * kMaxMixerChannels + mixerChannel;
  table.occupant[static_cast<size_t>(mixerChannel)] = handle;
  return handle;
}

int MixerChannelOf(const ChannelTable& table, Channel handle) {
  if (handle < 0) return -1;
  const int mixerChannel = handle % kMaxMixerChannels;
  if (static_cast<size_t>(mixerChannel) >= table.occupant.size()) return -1;
  return table.occupant[static_cast<size_t>(mixerChannel)] == handle ? mixerChannel : -1;
}

int MixerVolume(float volume) {
  if (!(volume > 0.0f)) return 0;  // also NaN
  if (volume >= 1.0f) return 128;
  return static_cast<int>(std::lround(volume * 128.0f));
}

}  // namespace hopwerk
