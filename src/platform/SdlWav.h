// WAV files as the mixer is given them. They are checked with SDL's own WAV reader, the one the
// mixer loads them with, so what passes is exactly what will play; that reader is why this
// lives with the window platform and not with the decoders of codec/, which need no SDL.
#pragma once

#include <cstdint>
#include <string>

#include "codec/SoundDecode.h"

namespace hopwerk {

// A WAV file as the mixer may be given it: every chunk's length cut to what the file holds.
// Empty when it does not decode or plays longer than maxMillis.
std::string CheckedWav(std::string wav, int64_t maxMillis = kMaxSoundMillis);

}  // namespace hopwerk
