#include "gameplay/IsBlocked.h"

#include "gameplay/ActivityArea.h"

namespace hopwerk {

namespace {

using Box = WallBox;

bool InClosed(int64_t a, int64_t low, int64_t high) {
  return low <= a && a <= high;
}
bool InOpen(int64_t a, int64_t low, int64_t high) {
  return low < a && a < high;
}

// A corner of one rectangle inside the other. Moving a pixel at a time, a shape can never
// cross a wall without this happening first.
bool Touches(const Box& s, const Box& w) {
  const bool leftIn = InClosed(s.left, w.left, w.right);
  const bool rightIn = InClosed(s.right, w.left, w.right);
  const bool topIn = InOpen(s.top, w.top, w.bottom);
  const bool bottomIn = InOpen(s.bottom, w.top, w.bottom);
  if ((leftIn || rightIn) && (topIn || bottomIn)) return true;
  const bool wallLeftIn = InClosed(w.left, s.left, s.right);
  const bool wallRightIn = InClosed(w.right, s.left, s.right);
  const bool wallTopIn = InOpen(w.top, s.top, s.bottom);
  const bool wallBottomIn = InOpen(w.bottom, s.top, s.bottom);
  return (wallLeftIn || wallRightIn) && (wallTopIn || wallBottomIn);
}

}  // namespace

bool IsBlocked(const Engine& engine, const Picture* picture, int64_t x, int64_t y) {
  if (x < 0 || x > kWorldSize || y < 0 || y > kWorldSize) return true;
  const WorldArea area = ActivityArea(engine);
  if (x < area.left || y < area.top || x > area.right || y > area.bottom) return true;

  const int64_t w = picture ? picture->width : 0;
  const int64_t h = picture ? picture->height : 0;
  const Box shape{x - w / 2, y - h, x + w / 2, y};
  if (shape.right >= area.right || shape.left <= area.left || shape.bottom >= area.bottom ||
      shape.top <= area.top) {
    return true;
  }

  // The edges are open at the top and one pixel below the last row at the bottom: a shape
  // standing exactly on the top edge is free, one whose top meets the underside is not.
  const auto touches = [&](const ObjectType& wall) {
    return wall.Pic && Touches(shape, WallBoxOf(wall));
  };
  const RunningLevel& run = engine.run;
  if (run.ActiveWallGrid.Built()) {
    return run.ActiveWallGrid.Any(shape.left, shape.top, shape.right, shape.bottom, touches);
  }
  // While the frame is still listing them, every wall listed so far.
  for (const ObjectType* wall : run.ActiveWalls) {
    if (touches(*wall)) return true;
  }
  return false;
}

}  // namespace hopwerk
