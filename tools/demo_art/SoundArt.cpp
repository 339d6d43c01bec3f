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

// One voice of a tune: MIDI note numbers, one per step (0 rests), each sounding for `length`
// steps, in one timbre.
struct Voice {
  std::vector<int> notes;
  int length;
  int wave;
  float volume;
};

// A looping tune: every voice is rendered step by step, and whatever rings on past the end of
// the loop is folded back onto its start, so the file repeats without a seam or a click.
bool WriteTune(const std::string& path, float stepSeconds, std::initializer_list<Voice> voices,
               uint32_t seed) {
  ArtRandom rng(seed);
  size_t steps = 0;
  for (const Voice& v : voices) steps = std::max(steps, v.notes.size());
  const size_t loop = static_cast<size_t>(static_cast<float>(steps) * stepSeconds * kSfxRate);
  std::vector<float> mix(loop, 0.0f);
  for (const Voice& v : voices) {
    for (size_t i = 0; i < v.notes.size(); ++i) {
      if (v.notes[i] == 0) continue;
      const float f = 440.0f * std::pow(2.0f, static_cast<float>(v.notes[i] - 69) / 12.0f);
      Render(mix, {f, f, stepSeconds * static_cast<float>(v.length), v.volume, v.wave},
             stepSeconds * static_cast<float>(i), rng);
    }
  }
  for (size_t i = loop; i < mix.size(); ++i) mix[i % loop] += mix[i];
  mix.resize(loop);
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
  // A round bubble pop, the sound of a creature beaten: a fast sine drop with a tiny click.
  ok = WriteEffect(folder + "Pop.wav",
                   {{{900, 160, 0.12f, 0.8f, 0}, 0.0f}, {{3000, 3000, 0.01f, 0.3f, 0, 1.0f}, 0.0f}},
                   2) &&
       ok;
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
  // A lift's winch: a low motor hum with a ratchet ticking over it.
  ok = WriteEffect(folder + "Lift.wav",
                   {{{110, 130, 0.7f, 0.45f, 1, 0.2f}, 0.0f},
                    {{55, 65, 0.7f, 0.4f, 0}, 0.0f},
                    {{3000, 2000, 0.03f, 0.3f, 1, 0.5f}, 0.1f},
                    {{3000, 2000, 0.03f, 0.3f, 1, 0.5f}, 0.3f},
                    {{3000, 2000, 0.03f, 0.3f, 1, 0.5f}, 0.5f}},
                   12) &&
       ok;
  return ok;
}

bool WriteMusicArt(const std::string& folder) {
  bool ok = true;
  // The meadow: a bouncy tune in C major over a walking bass, eight beats.
  ok = WriteTune(folder + "Meadow.wav", 0.25f,
                 {{{72, 0, 76, 0, 79, 0, 76, 0, 77, 0, 81, 0, 79, 77, 76, 74,
                    72, 0, 76, 0, 79, 0, 84, 0, 83, 0, 79, 0, 74, 0,  72, 0},
                   2,
                   2,
                   0.32f},
                  {{48, 0, 55, 0, 53, 0, 55, 0, 48, 0, 55, 0, 53, 0, 55, 0,
                    48, 0, 55, 0, 52, 0, 55, 0, 43, 0, 47, 0, 48, 0, 43, 0},
                   2,
                   1,
                   0.22f}},
                 21) &&
       ok;
  // The brook: a lilting waltz in G, a triangle lead over a soft sine bass.
  ok = WriteTune(folder + "Brook.wav", 0.2f,
                 {{{67, 71, 74, 72, 71, 69, 67, 0,  71, 74, 79, 78, 76, 74, 72,
                    71, 69, 0,  67, 71, 74, 76, 74, 72, 71, 69, 66, 67, 0,  0},
                   2,
                   2,
                   0.34f},
                  {{43, 0, 0, 50, 0, 0, 43, 0, 0, 50, 0, 0, 48, 0, 0,
                    45, 0, 0, 43, 0, 0, 48, 0, 0, 50, 0, 0, 43, 0, 0},
                   3,
                   0,
                   0.4f}},
                 22) &&
       ok;
  // The hill: a driving minor tune for the climb and the boar at the top.
  ok = WriteTune(folder + "Hill.wav", 0.15f,
                 {{{69, 0, 72, 76, 0, 72, 74, 0,  71, 0, 74, 77, 0,  74, 76, 0,
                    69, 0, 72, 76, 0, 81, 79, 77, 76, 0, 74, 0,  72, 71, 69, 0},
                   2,
                   1,
                   0.22f},
                  {{45, 45, 0, 45, 45, 0, 45, 0, 43, 43, 0, 43, 43, 0, 43, 0,
                    41, 41, 0, 41, 41, 0, 41, 0, 40, 40, 0, 40, 44, 0, 44, 0},
                   1,
                   2,
                   0.38f}},
                 23) &&
       ok;
  // The caves: slow bells in D minor, each answered by a quiet echo, over a deep drone.
  ok = WriteTune(folder + "Caves.wav", 0.25f,
                 {{{74, 0, 0, 0, 77, 0, 0, 0, 81, 0, 0, 0, 79, 0, 76, 0,
                    74, 0, 0, 0, 72, 0, 0, 0, 69, 0, 0, 0, 73, 0, 0,  0},
                   4,
                   0,
                   0.35f},
                  {{0, 0, 74, 0, 0, 0, 77, 0, 0, 0, 81, 0, 0, 0, 79, 0,
                    0, 0, 74, 0, 0, 0, 72, 0, 0, 0, 69, 0, 0, 0, 73, 0},
                   3,
                   0,
                   0.12f},
                  {{38, 0, 0, 0, 0, 0, 0, 0, 34, 0, 0, 0, 0, 0, 0, 0,
                    38, 0, 0, 0, 0, 0, 0, 0, 33, 0, 0, 0, 0, 0, 0, 0},
                   8,
                   2,
                   0.3f}},
                 24) &&
       ok;
  // The marsh: a slow, swaying tune in E minor, a sine lead over a croaking square bass.
  ok = WriteTune(folder + "Marsh.wav", 0.22f,
                 {{{64, 0, 67, 0, 71, 0, 69, 67, 66, 0, 64, 0,  62, 0, 64, 0,
                    67, 0, 71, 0, 74, 0, 72, 71, 69, 0, 67, 66, 64, 0, 0,  0},
                   2,
                   0,
                   0.36f},
                  {{40, 0, 0, 40, 47, 0, 0, 0, 38, 0, 0, 38, 45, 0, 0, 0,
                    36, 0, 0, 36, 43, 0, 0, 0, 35, 0, 0, 35, 47, 0, 0, 0},
                   2,
                   1,
                   0.2f}},
                 25) &&
       ok;
  // The grotto: glowworm twinkles in A minor, high triangle arpeggios over a slow sine drone.
  ok = WriteTune(folder + "Grotto.wav", 0.18f,
                 {{{81, 76, 72, 76, 81, 84, 81, 76, 79, 74, 71, 74, 79, 83, 79, 74,
                    77, 72, 69, 72, 77, 81, 77, 72, 76, 71, 68, 71, 76, 80, 76, 71},
                   1,
                   2,
                   0.2f},
                  {{45, 0, 0, 0, 0, 0, 0, 0, 43, 0, 0, 0, 0, 0, 0, 0,
                    41, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0},
                   8,
                   0,
                   0.34f}},
                 26) &&
       ok;
  // The orchard: a skipping jig in F major, a square lead over a plucked triangle bass.
  ok = WriteTune(folder + "Orchard.wav", 0.16f,
                 {{{77, 0, 81, 84, 0, 81, 79, 77, 76, 0, 79, 82, 0,  79, 77, 76,
                    74, 0, 77, 81, 0, 77, 76, 74, 72, 0, 76, 79, 77, 0,  0,  0},
                   1,
                   1,
                   0.2f},
                  {{41, 0, 48, 0, 41, 0, 48, 0, 46, 0, 53, 0, 46, 0, 53, 0,
                    38, 0, 45, 0, 38, 0, 45, 0, 36, 0, 43, 0, 41, 0, 0,  0},
                   1,
                   2,
                   0.36f}},
                 27) &&
       ok;
  // The hollow: a soft, stepping tune in D dorian, sine bells over a pulsing square bass.
  ok = WriteTune(folder + "Hollow.wav", 0.2f,
                 {{{74, 0, 77, 0, 81, 0, 83, 0, 81, 0, 77, 0, 76, 0, 74, 0,
                    72, 0, 76, 0, 79, 0, 81, 0, 79, 0, 76, 0, 74, 0, 0,  0},
                   2,
                   0,
                   0.34f},
                  {{38, 38, 0, 38, 45, 0, 38, 0, 36, 36, 0, 36, 43, 0, 36, 0,
                    34, 34, 0, 34, 41, 0, 34, 0, 33, 33, 0, 33, 45, 0, 33, 0},
                   1,
                   1,
                   0.16f}},
                 28) &&
       ok;
  // The mine: a clanking work song in E minor, a square lead over a hammering bass.
  ok = WriteTune(folder + "Mine.wav", 0.17f,
                 {{{64, 0, 67, 64, 71, 0, 69, 67, 66, 0, 64, 0,  62, 64, 66, 0,
                    64, 0, 67, 64, 71, 0, 74, 72, 71, 0, 69, 67, 66, 0,  64, 0},
                   1,
                   1,
                   0.2f},
                  {{40, 0, 40, 0, 47, 0, 40, 0, 38, 0, 38, 0, 45, 0, 38, 0,
                    36, 0, 36, 0, 43, 0, 36, 0, 35, 0, 35, 0, 42, 0, 47, 0},
                   1,
                   2,
                   0.36f}},
                 29) &&
       ok;
  // The crystal throne: a grave march in C minor, bells over a slow, heavy bass.
  ok = WriteTune(folder + "Throne.wav", 0.24f,
                 {{{72, 0, 75, 0, 79, 0, 78, 0, 79, 0, 75, 0, 72, 0, 0, 0,
                    70, 0, 74, 0, 77, 0, 75, 0, 74, 0, 71, 0, 67, 0, 0, 0},
                   2,
                   0,
                   0.34f},
                  {{36, 0, 0, 0, 36, 0, 0, 0, 39, 0, 0, 0, 43, 0, 0, 0,
                    34, 0, 0, 0, 34, 0, 0, 0, 38, 0, 0, 0, 31, 0, 0, 0},
                   4,
                   1,
                   0.24f}},
                 30) &&
       ok;
  // The moonlit path: a quiet lullaby in A flat, a sine lead over soft rolling chords.
  ok = WriteTune(folder + "Moon.wav", 0.26f,
                 {{{68, 0, 72, 75, 0, 72, 73, 0, 77, 0,  75, 73, 72, 0, 70, 0,
                    68, 0, 72, 75, 0, 80, 79, 0, 77, 75, 73, 0,  72, 0, 0,  0},
                   2,
                   0,
                   0.3f},
                  {{44, 51, 56, 51, 44, 51, 56, 51, 49, 56, 61, 56, 49, 56, 61, 56,
                    44, 51, 56, 51, 39, 46, 51, 46, 37, 44, 49, 44, 44, 51, 56, 51},
                   1,
                   2,
                   0.16f}},
                 31) &&
       ok;
  // Windmill hill: a breezy tune in G that climbs, a triangle lead over an oom-pah bass.
  ok = WriteTune(folder + "Windmill.wav", 0.16f,
                 {{{67, 71, 74, 79, 0, 78, 76, 74, 72, 76, 79, 84, 0,  83, 81, 79,
                    76, 79, 83, 86, 0, 84, 83, 81, 79, 0,  78, 0,  79, 0,  0,  0},
                   1,
                   2,
                   0.24f},
                  {{43, 0, 50, 0, 43, 0, 50, 0, 48, 0, 52, 0, 48, 0, 52, 0,
                    45, 0, 52, 0, 45, 0, 50, 0, 43, 0, 50, 0, 43, 0, 0,  0},
                   1,
                   1,
                   0.2f}},
                 32) &&
       ok;
  // The fen at dusk: a drowsy tune in D minor, sine notes with long rests over a soft drone.
  ok = WriteTune(folder + "Fen.wav", 0.22f,
                 {{{62, 0, 0, 65, 0, 69, 0, 0,  67, 0, 65, 0, 64, 0, 0, 0,
                    62, 0, 0, 65, 0, 69, 0, 72, 70, 0, 69, 0, 65, 0, 0, 0},
                   2,
                   0,
                   0.32f},
                  {{38, 0, 0, 0, 0, 0, 0, 0, 36, 0, 0, 0, 0, 0, 0, 0,
                    34, 0, 0, 0, 0, 0, 0, 0, 33, 0, 0, 0, 0, 0, 0, 0},
                   8,
                   0,
                   0.3f}},
                 33) &&
       ok;
  // Thunder ridge: a tense, galloping tune in B minor over a rumbling square bass.
  ok = WriteTune(folder + "Ridge.wav", 0.14f,
                 {{{71, 0, 74, 71, 78, 0, 74, 71, 76, 0, 79, 76, 81, 0, 79, 76,
                    74, 0, 78, 74, 81, 0, 78, 74, 73, 0, 76, 73, 71, 0, 0,  0},
                   1,
                   1,
                   0.2f},
                  {{35, 35, 0, 35, 35, 0, 35, 0, 33, 33, 0, 33, 33, 0, 33, 0,
                    31, 31, 0, 31, 31, 0, 31, 0, 30, 30, 0, 30, 35, 0, 0,  0},
                   1,
                   1,
                   0.3f}},
                 34) &&
       ok;
  // The eagle's summit: a bold fanfare in D major over a marching bass, for the last fight.
  ok = WriteTune(folder + "Summit.wav", 0.15f,
                 {{{74, 0, 74, 78, 81, 0, 78, 0, 86, 0, 85, 83, 81, 0, 0,  0,
                    79, 0, 79, 83, 86, 0, 83, 0, 81, 0, 79, 78, 76, 0, 74, 0},
                   1,
                   1,
                   0.22f},
                  {{38, 0, 45, 0, 38, 0, 45, 0, 43, 0, 50, 0, 43, 0, 50, 0,
                    40, 0, 47, 0, 40, 0, 47, 0, 45, 0, 45, 0, 38, 0, 0,  0},
                   1,
                   2,
                   0.36f}},
                 35) &&
       ok;
  return ok;
}

}  // namespace hopwerk
