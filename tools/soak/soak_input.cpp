// hopwerk-soak-input: writes a seeded random input file for hopwerk-replay that plays a game
// from the main menu the way a restless player would. The same seed always gives the same
// file, so a soak run that goes wrong can be replayed exactly.
//
//   hopwerk-soak-input [--loading N] SEED FRAMES
//
// N is the number of frames the loading console takes (one per console line; see
// tools/soak.sh): the logo and the title are skipped just after it and New Game is chosen on
// the main menu. From then on keys are weighted toward play: a direction held for a while,
// jumps, shots and activations tapped while moving, now and then a pause and its resume, an
// Escape answered with N and an F5 save into the first slot. Y is never sent. The script cannot
// see where the game is, so it keeps the main menu (where a finished episode leads) safe: every
// Escape comes just after three Spaces, one of which there opens New Game (or the screen under
// the cursor) where Escape does no harm, and the cursor never reaches Quit. Should Escape
// reach the main menu all the same, it ends the run: `end| reason=exit status=0`.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

class Script {
 public:
  Script(uint32_t seed, int64_t frames) : random_(seed), frames_(frames) {}

  // A whole number from lo to hi, both included.
  int64_t Pick(int64_t lo, int64_t hi) {
    return lo + static_cast<int64_t>(random_() % static_cast<uint64_t>(hi - lo + 1));
  }
  bool Fits(int64_t frame) const { return frame < frames_; }
  void Event(int64_t frame, const char* command, const char* key) {
    if (Fits(frame)) std::printf("%lld %s %s\n", static_cast<long long>(frame), command, key);
  }
  void Tap(int64_t frame, const char* key) { Event(frame, "tap", key); }
  // Escape, with three Spaces before it: in a level and on the slot screen they do no harm,
  // but should the game be back on the main menu (a finished episode leads there through up
  // to two "any key" waits) one of them opens New Game, where Escape is ignored, instead of
  // Escape quitting. Returns the frame after the Escape.
  int64_t SafeEscape(int64_t from) {
    for (int i = 0; i < 3; ++i) Tap(from + 3 * i, "SPACE");
    Tap(from + 9, "ESC");
    return from + 10;
  }

 private:
  std::mt19937 random_;
  int64_t frames_;
};

int Usage() {
  std::fprintf(stderr, "usage: hopwerk-soak-input [--loading N] SEED FRAMES\n");
  return 2;
}

bool ParseNumber(const char* text, int64_t& value) {
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  if (end == text || *end != '\0' || v < 0) return false;
  value = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int64_t loading = 40;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--loading") {
    if (!ParseNumber(argv[2], loading)) return Usage();
    first = 3;
  }
  int64_t seed = 0, frames = 0;
  if (argc - first != 2 || !ParseNumber(argv[first], seed) ||
      !ParseNumber(argv[first + 1], frames)) {
    return Usage();
  }
  Script s(static_cast<uint32_t>(seed), frames);
  std::printf("# hopwerk-soak-input --loading %lld %lld %lld\n", static_cast<long long>(loading),
              static_cast<long long>(seed), static_cast<long long>(frames));

  // Logo and title skipped, New Game, the episode by the seed (one of three), Medium.
  const int64_t menu = loading + 30;
  s.Tap(loading + 5, "ESC");
  s.Tap(loading + 10, "ESC");
  s.Tap(menu, "ENTER");
  for (int64_t i = 0; i < seed % 3; ++i) s.Tap(menu + 8 + 2 * i, "DOWN");
  s.Tap(menu + 12, "ENTER");
  s.Tap(menu + 17, "ENTER");

  // Play: the held direction changes now and then; between changes the other keys come.
  int64_t frame = menu + 20;
  const char* held = nullptr;
  int64_t change = frame;
  const auto release = [&](int64_t at) {
    if (held != nullptr) s.Event(at, "up", held);
    // Every Down is taken back by an Up, so on the main menu the cursor never walks to Quit.
    if (held != nullptr && std::string(held) == "DOWN") s.Tap(at + 1, "UP");
    held = nullptr;
  };
  while (s.Fits(frame)) {
    if (frame >= change) {
      release(frame);
      const int64_t way = s.Pick(0, 9);
      held = way < 6   ? "RIGHT"
             : way < 8 ? "LEFT"
             : way < 9 ? (s.Pick(0, 1) ? "UP" : "DOWN")
                       : nullptr;
      if (held != nullptr) s.Event(frame, "down", held);
      change = frame + s.Pick(20, 300);
    }
    const int64_t what = s.Pick(0, 99);
    if (what < 40) {  // jump, a tap or held for a higher leap
      const int64_t hold = s.Pick(0, 2) == 0 ? 1 : s.Pick(2, 30);
      s.Event(frame, "down", "LALT");
      s.Event(frame + hold, "up", "LALT");
      frame += hold + s.Pick(1, 40);
    } else if (what < 65) {  // fire
      s.Tap(frame, "LCTRL");
      frame += s.Pick(2, 30);
    } else if (what < 75) {  // activate
      s.Tap(frame, "SPACE");
      frame += s.Pick(2, 30);
    } else if (what < 90) {  // let the direction carry on
      frame += s.Pick(5, 80);
    } else if (what < 94) {  // pause, then resume
      release(frame);
      s.Tap(frame, "F1");
      frame += s.Pick(10, 150);
      s.Tap(frame, "F1");
      frame += 5;
      change = frame;
    } else if (what < 97) {  // Escape, and No at the quit prompt
      release(frame);
      frame = s.SafeEscape(frame);
      frame += s.Pick(5, 60);
      s.Tap(frame, "N");
      frame += 5;
      change = frame;
    } else {  // F5: save into the first slot and leave the slot screen
      release(frame);
      s.Tap(frame, "F5");
      s.Tap(frame + 10, "ENTER");
      frame = s.SafeEscape(frame + 11) + 10;
      change = frame;
    }
  }
  return 0;
}
