#include "platform/SdlWav.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

namespace hopwerk {

std::string CheckedWav(std::string wav, int64_t maxMillis) {
  if (wav.size() < 12 || wav.size() > static_cast<size_t>(INT32_MAX)) return {};
  // Every chunk is cut to the bytes that follow it: SDL allocates what a chunk claims before it
  // reads, so a few bytes could ask for gigabytes. A cut data chunk plays what the file has.
  auto* bytes = reinterpret_cast<unsigned char*>(wav.data());
  const auto fit = [&](size_t at, uint64_t room) {
    const uint64_t claimed = static_cast<uint64_t>(bytes[at]) | (uint64_t{bytes[at + 1]} << 8) |
                             (uint64_t{bytes[at + 2]} << 16) | (uint64_t{bytes[at + 3]} << 24);
    const uint64_t length = std::min(claimed, room);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(length >> (8 * i));
    return length;
  };
  fit(4, wav.size() - 8);
  for (size_t at = 12; at + 8 <= wav.size();) {
    const uint64_t length = fit(at + 4, wav.size() - at - 8);
    at += 8 + length + (length & 1);
  }

  SDL_RWops* memory = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  if (memory == nullptr) return {};
  SDL_AudioSpec spec;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(memory, 1, &spec, &samples, &length) == nullptr) return {};
  SDL_FreeWAV(samples);
  const int64_t frameBytes = int64_t{SDL_AUDIO_BITSIZE(spec.format) / 8} * spec.channels;
  if (frameBytes <= 0 || !PlaysWithin(length / frameBytes, spec.freq, maxMillis)) return {};
  return wav;
}

}  // namespace hopwerk
