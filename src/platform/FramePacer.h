// Keeps the game at one presented frame per 1/60 s whatever the monitor does. Pure arithmetic on
// performance-counter ticks, so its rules are testable without a clock or a display.
#pragma once

#include <cstdint>

namespace hopwerk {

struct FramePacer {
  int64_t period = 0;  // counter ticks per frame
  // Presents block on a 60 Hz retrace. Then we only make sure not to run early, anchored on the
  // end of the previous present, so a retrace a hair faster or slower than ours never makes us
  // skip one.
  bool vsync = false;
  bool running = false;  // a paced frame was presented and the schedule holds
  int64_t next = 0;      // without vsync: deadline of the next present
  int64_t lastEnd = 0;   // with vsync: when the previous present returned
  // Checks that vsync really holds frames at the period: some drivers accept it and ignore it.
  int measuredFrames = 0;
  int64_t measureStart = 0;
};

FramePacer MakeFramePacer(int64_t ticksPerSecond, int framesPerSecond, bool vsync);
// Ticks to wait before the next paced present (0: present at once).
int64_t FramePacerWait(const FramePacer& pacer, int64_t now);
// After a paced present returned at `now`.
void FramePacerPresented(FramePacer& pacer, int64_t now);
// After an unpaced present: the next paced frame starts a fresh schedule.
void FramePacerReset(FramePacer& pacer);

}  // namespace hopwerk
