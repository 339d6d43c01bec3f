// Bounds on what a sound file may decode to. Sounds are decoded whole into memory before they
// play, and a compressed file of a few kilobytes can decode to gigabytes (long silence), as
// can a WAV of low rate and width once the mixer widens it to its own; so a sound is measured
// in playing time, with a rate the decoder itself reports, before it is kept. WAV files are
// checked with SDL's own reader, by the window platform (platform/SdlWav.h).
#pragma once

#include <cstdint>
#include <string>

namespace hopwerk {

// The longest sound or piece of music the engine decodes: far above any level's music, and at
// the mixer's rate still a few hundred megabytes.
inline constexpr int64_t kMaxSoundMillis = int64_t{20} * 60 * 1000;

// What a sound may take decoded in its own layout, before the mixer converts it: a 20-minute
// sound of many channels at a high rate is not a game's.
inline constexpr int64_t kMaxDecodedSoundBytes = int64_t{512} << 20;

// An Ogg Vorbis file decoded to a 16-bit PCM WAV image the mixer loads like any WAV; empty
// when it cannot be decoded, plays longer than maxMillis or decodes to more than
// kMaxDecodedSoundBytes.
std::string OggToWav(const std::string& ogg, int64_t maxMillis = kMaxSoundMillis);

// Whether this many sample frames at `rate` a second play no longer than maxMillis.
inline bool PlaysWithin(int64_t frames, int64_t rate, int64_t maxMillis) {
  return rate > 0 && frames <= maxMillis * rate / 1000;
}

}  // namespace hopwerk
