#include "gameplay/MoveObject.h"

#include <cstdint>
#include <cstdlib>

#include "gameplay/IsBlocked.h"

namespace hopwerk {

namespace {

// Nothing changes between two tries of the same step, so once one is blocked all the rest
// are: stopping there gives the same place and keeps a huge push from running for ever.
void Slide(Engine& engine, const Picture* shape, ObjectType& object, int64_t distance,
           bool horizontal) {
  const int step = distance < 0 ? -1 : 1;
  for (int64_t i = 0; i < std::llabs(distance); ++i) {
    const int64_t x = horizontal ? static_cast<int64_t>(object.X) + step : object.X;
    const int64_t y = horizontal ? object.Y : static_cast<int64_t>(object.Y) + step;
    if (IsBlocked(engine, shape, x, y)) return;
    object.X = static_cast<int32_t>(x);
    object.Y = static_cast<int32_t>(y);
  }
}

}  // namespace

const Picture* CollisionShape(const ObjectType& object) {
  if (!object.Actor) return nullptr;
  const ActorType& actor = *object.Actor;
  return (actor.Move[kMoveFlies] != 0 ? actor.Pic[kSlotFly] : actor.Pic[kSlotWalk]).get();
}

void MoveObject(Engine& engine, ObjectType& object, int dx, int dy) {
  const Picture* shape = CollisionShape(object);
  Slide(engine, shape, object, dx, true);
  Slide(engine, shape, object, dy, false);
}

}  // namespace hopwerk
