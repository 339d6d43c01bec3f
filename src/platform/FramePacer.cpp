#include "platform/FramePacer.h"

namespace hopwerk {

namespace {
// With vsync we wake this far ahead of the retrace so the present is in time for it.
constexpr int64_t kVsyncSlackDivisor = 8;
// Frames over which the retrace is checked, again and again: a present that costs more after a
// switch to full screen can turn a vsync that seemed to work into one that does not.
constexpr int kVsyncCheckFrames = 30;
// How far the average frame may be off the period with a working retrace: a monitor at 59.94
// Hz is 0.1 % off. Any more and the game would visibly run at another speed.
constexpr int64_t kVsyncToleranceDivisor = 200;
// A frame this many periods late is a stall, not a retrace.
constexpr int64_t kStallPeriods = 4;
}  // namespace

FramePacer MakeFramePacer(int64_t ticksPerSecond, int framesPerSecond, bool vsync) {
  FramePacer pacer;
  pacer.period = framesPerSecond > 0 ? ticksPerSecond / framesPerSecond : 0;
  if (pacer.period < 1) pacer.period = 1;
  pacer.vsync = vsync;
  return pacer;
}

int64_t FramePacerWait(const FramePacer& pacer, int64_t now) {
  if (!pacer.running) return 0;
  const int64_t target =
      pacer.vsync ? pacer.lastEnd + pacer.period - pacer.period / kVsyncSlackDivisor : pacer.next;
  return target > now ? target - now : 0;
}

void FramePacerPresented(FramePacer& pacer, int64_t now) {
  if (pacer.vsync) {
    // A stall (a notice box, loading) says nothing about the retrace: measure afresh after it.
    if (!pacer.running || now - pacer.lastEnd > kStallPeriods * pacer.period) {
      pacer.measureStart = now;
      pacer.measuredFrames = 0;
    } else if (++pacer.measuredFrames == kVsyncCheckFrames) {
      // A real retrace holds frames at the period. Presents that return early (vsync ignored)
      // or late (vsync ignored while presenting itself takes time, or frames missing retraces)
      // would set another speed than the game's: the clock paces instead.
      const int64_t average = (now - pacer.measureStart) / kVsyncCheckFrames;
      const int64_t off = average > pacer.period ? average - pacer.period : pacer.period - average;
      if (off > pacer.period / kVsyncToleranceDivisor) {
        pacer.vsync = false;
        pacer.next = now + pacer.period;
        pacer.running = true;
        return;
      }
      pacer.measureStart = now;
      pacer.measuredFrames = 0;
    }
    pacer.lastEnd = now;
    pacer.running = true;
    return;
  }
  if (!pacer.running) {
    pacer.next = now + pacer.period;
    pacer.running = true;
    return;
  }
  pacer.next += pacer.period;
  // Far behind (a long pause, a slow frame): start a new schedule instead of racing through
  // frames to catch up.
  if (now - pacer.next > pacer.period) pacer.next = now + pacer.period;
}

void FramePacerReset(FramePacer& pacer) {
  pacer.running = false;
  pacer.measuredFrames = 0;
}

}  // namespace hopwerk
