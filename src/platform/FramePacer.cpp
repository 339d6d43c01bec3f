#include "platform/FramePacer.h"

namespace hopwerk {

namespace {
// With vsync we wake this far ahead of the retrace so the present is in time for it.
constexpr int64_t kVsyncSlackDivisor = 8;
// Frames over which a vsync that does not block is detected.
constexpr int kVsyncCheckFrames = 30;
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
    if (!pacer.running) pacer.measureStart = now;
    if (pacer.running && pacer.measuredFrames < kVsyncCheckFrames) {
      ++pacer.measuredFrames;
      if (pacer.measuredFrames == kVsyncCheckFrames) {
        const int64_t average = (now - pacer.measureStart) / kVsyncCheckFrames;
        // A real retrace holds frames near the period; without one they come a slack early.
        if (average < pacer.period - pacer.period / (2 * kVsyncSlackDivisor)) {
          pacer.vsync = false;
          pacer.next = now + pacer.period;
        }
      }
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
