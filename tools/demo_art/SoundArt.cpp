#include "SoundArt.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ArtCanvas.h"
#include "files/FileWriter.h"

namespace hopwerk {

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

// A tone whose pitch glides from f0 to f1, shaped by an attack-decay envelope. The phase is
// accumulated so the glide has no clicks; wave 0 sine, 1 square, 2 triangle.
struct Tone {
  float f0, f1, seconds, volume;
  int wave;
  float noise = 0.0f;  // share of white noise mixed in
};

void Render(std::vector<float>& mix, const Tone& tone, float startSeconds, ArtRandom& rng) {
  const int start = static_cast<int>(startSeconds * kSfxRate);
  const int count = static_cast<int>(tone.seconds * kSfxRate);
  if (mix.size() < static_cast<size_t>(start + count))
    mix.resize(static_cast<size_t>(start + count), 0);
  double phase = 0;
  const int attack = std::max(1, kSfxRate / 500);
  for (int i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(count);
    const double f =
        tone.f0 * std::pow(static_cast<double>(tone.f1 / tone.f0), static_cast<double>(t));
    phase += f / kSfxRate;
    phase -= std::floor(phase);
    float v = 0;
    switch (tone.wave) {
      case 1:
        v = phase < 0.5 ? 0.6f : -0.6f;
        break;
      case 2:
        v = static_cast<float>(phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase);
        break;
      default:
        v = static_cast<float>(std::sin(2 * std::numbers::pi * phase));
    }
    const float n = rng.Unit() * 2 - 1;
    v = v * (1 - tone.noise) + n * tone.noise;
    const float env =
        std::min(1.0f, static_cast<float>(i) / static_cast<float>(attack)) * (1 - t) * (1 - t);
    mix[static_cast<size_t>(start + i)] += v * env * tone.volume;
  }
}

std::vector<int16_t> ToPcm(const std::vector<float>& mix) {
  std::vector<int16_t> out;
  out.reserve(mix.size());
  for (float v : mix) {
    out.push_back(static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32000.0f)));
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomically(path, bytes.data(), bytes.size());
}

bool WriteEffect(const std::string& path, std::initializer_list<std::pair<Tone, float>> parts,
                 uint32_t seed) {
  ArtRandom rng(seed);
  std::vector<float> mix;
  for (const auto& [tone, at] : parts) Render(mix, tone, at, rng);
  return WriteFile(path, EncodeWav(ToPcm(mix), kSfxRate));
}

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, static_cast<uint32_t>(rate));
  PutU32(out, static_cast<uint32_t>(rate) * 2);
  PutU16(out, 2);
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, dataBytes);
  for (int16_t s : samples) PutU16(out, static_cast<uint16_t>(s));
  return out;
}

bool WriteSoundArt(const std::string& folder) {
  bool ok = true;
  // A bright "pew": a falling square wave over a puff of noise.
  ok = WriteEffect(
           folder + "Shot.wav",
           {{{1400, 300, 0.16f, 0.45f, 1}, 0.0f}, {{800, 200, 0.06f, 0.35f, 0, 0.9f}, 0.0f}}, 1) &&
       ok;
  // A round bubble pop: a fast sine drop with a tiny click.
  ok = WriteEffect(folder + "Pop.wav",
                   {{{900, 160, 0.12f, 0.8f, 0}, 0.0f}, {{3000, 3000, 0.01f, 0.3f, 0, 1.0f}, 0.0f}},
                   2) &&
       ok;
  // The hop: a springy rising triangle sweep.
  ok = WriteEffect(folder + "Jump.wav", {{{220, 880, 0.22f, 0.7f, 2}, 0.0f}}, 3) && ok;
  // A happy two-note chime (E6 then B6) with a soft octave under it.
  ok = WriteEffect(folder + "Pickup.wav",
                   {{{1318.5f, 1318.5f, 0.12f, 0.5f, 0}, 0.0f},
                    {{1975.5f, 1975.5f, 0.28f, 0.5f, 0}, 0.08f},
                    {{659.3f, 659.3f, 0.3f, 0.2f, 2}, 0.0f}},
                   4) &&
       ok;
  // The bolt: an electric zap, a high buzz falling fast over a crackle.
  ok = WriteEffect(folder + "Zap.wav",
                   {{{2200, 500, 0.18f, 0.4f, 1, 0.25f}, 0.0f},
                    {{320, 80, 0.22f, 0.45f, 0}, 0.0f},
                    {{5000, 5000, 0.05f, 0.3f, 0, 1.0f}, 0.0f}},
                   5) &&
       ok;
  // The bubble wand: two rising bloops.
  ok = WriteEffect(folder + "Bubble.wav",
                   {{{300, 900, 0.1f, 0.7f, 0}, 0.0f}, {{500, 1400, 0.09f, 0.55f, 2}, 0.07f}}, 6) &&
       ok;
  // A fly swallowed: a low, wet gulp.
  ok = WriteEffect(folder + "Gulp.wav",
                   {{{420, 140, 0.14f, 0.85f, 0}, 0.0f}, {{260, 90, 0.1f, 0.6f, 2}, 0.1f}}, 7) &&
       ok;
  // A key: three bright bell notes (C7, E7, G7).
  ok = WriteEffect(folder + "Jingle.wav",
                   {{{2093, 2093, 0.1f, 0.45f, 0}, 0.0f},
                    {{2637, 2637, 0.1f, 0.45f, 0}, 0.06f},
                    {{3136, 3136, 0.26f, 0.5f, 0}, 0.12f},
                    {{6000, 6000, 0.2f, 0.06f, 0, 1.0f}, 0.12f}},
                   8) &&
       ok;
  // A gate grinding open: a rumble between two clanks.
  ok = WriteEffect(folder + "Gate.wav",
                   {{{700, 300, 0.05f, 0.6f, 1}, 0.0f},
                    {{90, 60, 0.6f, 0.45f, 1, 0.45f}, 0.02f},
                    {{55, 45, 0.6f, 0.5f, 0}, 0.02f},
                    {{600, 250, 0.06f, 0.6f, 1}, 0.58f}},
                   9) &&
       ok;
  // The frog hurt: a short falling squeak.
  ok = WriteEffect(folder + "Ouch.wav",
                   {{{700, 350, 0.14f, 0.5f, 1}, 0.0f}, {{500, 250, 0.14f, 0.4f, 2}, 0.0f}}, 10) &&
       ok;
  // The frog's last croak: three low notes, each lower than the one before.
  ok = WriteEffect(folder + "Croak.wav",
                   {{{170, 140, 0.12f, 0.6f, 1, 0.1f}, 0.0f},
                    {{150, 120, 0.12f, 0.6f, 1, 0.1f}, 0.16f},
                    {{140, 80, 0.32f, 0.65f, 1, 0.1f}, 0.32f}},
                   11) &&
       ok;
  return ok;
}

}  // namespace hopwerk
