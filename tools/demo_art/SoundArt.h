// The demo game's sound effects, synthesised: 22050 Hz, 16-bit, mono PCM WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hopwerk {

constexpr int kSfxRate = 22050;

// The bytes of a canonical 44-byte-header PCM WAV holding these samples.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate);

// Writes every effect of the demo (Shot, Pop, Jump, Pickup, Zap, Bubble, Gulp, Jingle, Gate,
// Ouch, Croak and Lift) into folder (ending in "/").
bool WriteSoundArt(const std::string& folder);

// Writes the levels' looping music (Meadow, Brook, Hill and Caves, a few seconds each, in the same
// WAV form) into folder (ending in "/").
bool WriteMusicArt(const std::string& folder);

}  // namespace hopwerk
