// The frame's drawing rules set colour and scale as they go. These scopes make sure none of it
// outlives the rule that set it, so the next screen starts from plain white, unscaled drawing.
#pragma once

#include "platform/Platform.h"

namespace hopwerk {

// On leaving: white, scale 1 x 1, no rotation.
class DrawStateScope {
 public:
  explicit DrawStateScope(Platform& platform) : platform_(platform) {}
  ~DrawStateScope() {
    platform_.SetDrawScale(1, 1);
    platform_.SetDrawRotation(0);
    platform_.SetDrawColor(255, 255, 255);
  }
  DrawStateScope(const DrawStateScope&) = delete;
  DrawStateScope& operator=(const DrawStateScope&) = delete;

 private:
  Platform& platform_;
};

// A scale for one drawing (mirroring, shrinking), back to 1 x 1 afterwards.
class ScaleScope {
 public:
  ScaleScope(Platform& platform, float sx, float sy) : platform_(platform) {
    platform_.SetDrawScale(sx, sy);
  }
  ~ScaleScope() { platform_.SetDrawScale(1, 1); }
  ScaleScope(const ScaleScope&) = delete;
  ScaleScope& operator=(const ScaleScope&) = delete;

 private:
  Platform& platform_;
};

}  // namespace hopwerk
