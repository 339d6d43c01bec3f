#include <gtest/gtest.h>

#include <cmath>

#include "platform/FramePacer.h"

namespace hopwerk {
namespace {

constexpr int64_t kFreq = 600000;   // ticks per second
constexpr int64_t kPeriod = 10000;  // one 60th

// Presents `frames` frames whose work takes `work` ticks each, sleeping as the pacer says;
// `present` ticks pass inside the present itself. Returns the time at the end.
int64_t RunFrames(FramePacer& pacer, int64_t start, int frames, int64_t work, int64_t present = 0) {
  int64_t now = start;
  for (int i = 0; i < frames; ++i) {
    now += work;
    now += FramePacerWait(pacer, now);
    now += present;
    FramePacerPresented(pacer, now);
  }
  return now;
}

TEST(FramePacer, FirstFrameIsNotDelayed) {
  FramePacer pacer = MakeFramePacer(kFreq, 60, false);
  EXPECT_EQ(pacer.period, kPeriod);
  EXPECT_EQ(FramePacerWait(pacer, 12345), 0);
}

TEST(FramePacer, SixtyFramesTakeOneSecondWhateverTheWork) {
  for (const int64_t work : {0, 1000, 9000}) {
    FramePacer pacer = MakeFramePacer(kFreq, 60, false);
    FramePacerPresented(pacer, 0);
    EXPECT_EQ(RunFrames(pacer, 0, 60, work), kFreq) << "work " << work;
  }
}

TEST(FramePacer, SlowFrameIsMadeUpOnceThenScheduleHolds) {
  FramePacer pacer = MakeFramePacer(kFreq, 60, false);
  FramePacerPresented(pacer, 0);
  // One frame half a period late: the next comes sooner, then the rhythm is as before.
  int64_t now = RunFrames(pacer, 0, 1, kPeriod + kPeriod / 2);
  EXPECT_EQ(now, kPeriod + kPeriod / 2);
  now = RunFrames(pacer, now, 1, 0);
  EXPECT_EQ(now, 2 * kPeriod);
}

TEST(FramePacer, LongPauseStartsANewScheduleInsteadOfRacing) {
  FramePacer pacer = MakeFramePacer(kFreq, 60, false);
  FramePacerPresented(pacer, 0);
  int64_t now = 5 * kFreq;  // five seconds without a frame (a notice box, a sleep)
  FramePacerPresented(pacer, now);
  EXPECT_EQ(FramePacerWait(pacer, now), kPeriod);
}

TEST(FramePacer, ResetPresentsAtOnce) {
  FramePacer pacer = MakeFramePacer(kFreq, 60, false);
  FramePacerPresented(pacer, 0);
  EXPECT_GT(FramePacerWait(pacer, 1), 0);
  FramePacerReset(pacer);
  EXPECT_EQ(FramePacerWait(pacer, 1), 0);
}

TEST(FramePacer, WorkingVsyncIsTrustedAtSlightlyOffRates) {
  // A retrace a little faster than 60 Hz: the present blocks until it comes.
  FramePacer pacer = MakeFramePacer(kFreq, 60, true);
  const int64_t retrace = kPeriod - 5;
  int64_t now = 0;
  int64_t lastRetrace = 0;
  for (int i = 0; i < 200; ++i) {
    now += 2000;  // work
    now += FramePacerWait(pacer, now);
    // The present returns at the next retrace.
    const int64_t next = (now / retrace + 1) * retrace;
    if (i > 0) {
      EXPECT_EQ(next - lastRetrace, retrace) << "skipped a retrace at frame " << i;
    }
    lastRetrace = next;
    now = next;
    FramePacerPresented(pacer, now);
  }
  EXPECT_TRUE(pacer.vsync);
}

TEST(FramePacer, VsyncThatDoesNotBlockIsDetectedAndPacedByTheClock) {
  FramePacer pacer = MakeFramePacer(kFreq, 60, true);
  RunFrames(pacer, 0, 40, 100);  // presents return at once
  EXPECT_FALSE(pacer.vsync);
  const int64_t start = 10 * kFreq;
  FramePacerReset(pacer);
  FramePacerPresented(pacer, start);
  EXPECT_EQ(RunFrames(pacer, start, 60, 100), start + kFreq);
}

}  // namespace
}  // namespace hopwerk

namespace hopwerk {
namespace {

// Ten simulated seconds on a display retracing `hertz` times a second. The window platform asks
// for vsync only where the display reports the game's own rate; where the driver refuses it or
// the display has no fixed rate (variable refresh), presents return at once. Some drivers claim
// vsync and ignore it, with presents that cost time of their own (software rendering on X).
TEST(FramePacer, SixtyStepsASecondOnEveryDisplayRate) {
  struct Case {
    double hertz;
    bool claimed;  // the renderer says it has vsync
    bool blocks;   // the retrace really holds presents
    int64_t presentCost;
  };
  for (const Case& c :
       {Case{60, true, true, 0}, Case{59.94, true, true, 0}, Case{60.05, true, true, 0},
        Case{60, true, false, 0}, Case{60, true, false, 600}, Case{60, true, false, 1300},
        Case{60, true, false, 2000}, Case{60, false, false, 0}, Case{75, false, false, 0},
        Case{120, false, false, 0}, Case{144, false, false, 0}, Case{165, false, false, 0},
        Case{0, false, false, 2000}}) {
    FramePacer pacer = MakeFramePacer(kFreq, 60, c.claimed);
    const double retrace = c.hertz > 0 ? kFreq / c.hertz : 0;
    int64_t now = 0;
    int steps = 0;
    for (uint32_t work = 12345; now < 10 * kFreq; ++steps) {
      work = work * 1103515245u + 12345u;
      now += 500 + static_cast<int64_t>(work % 7000);  // 1 to 12 ms of game work
      now += FramePacerWait(pacer, now) + c.presentCost;
      if (c.blocks) now = static_cast<int64_t>(std::ceil((now + 1) / retrace) * retrace);
      FramePacerPresented(pacer, now);
    }
    EXPECT_NEAR(steps * static_cast<double>(kFreq) / static_cast<double>(now), 60.0, 0.5)
        << c.hertz << " Hz" << (c.claimed ? " claimed" : "") << (c.blocks ? " blocking" : "")
        << ", presents cost " << c.presentCost;
  }
}

}  // namespace
}  // namespace hopwerk
