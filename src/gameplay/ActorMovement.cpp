#include "gameplay/ActorMovement.h"

#include <algorithm>

#include "gameplay/AnimateObject.h"
#include "gameplay/IsBlocked.h"
#include "gameplay/MoveObject.h"

namespace hopwerk {

namespace {

constexpr int kCruise = 4;
constexpr int kChase = 12;
constexpr int kFallSpeed = 5;

bool On(const ActorType& kind, int code) {
  return kind.Move[static_cast<size_t>(code)] != 0;
}

// Across: a cruise, or a chase while heading toward the player.
int HorizontalSpeed(const ObjectType& a, const ObjectType& player) {
  const ActorType& kind = *a.Actor;
  if (!On(kind, kMoveRandomTurns) && !On(kind, kMoveAcross)) return 0;
  const bool towardPlayer = (a.Mirror == 1 && player.X < a.X) || (a.Mirror == 0 && a.X < player.X);
  return On(kind, kMoveChase) && towardPlayer ? kChase : kCruise;
}

void MaybeTurnAtRandom(Engine& engine, ObjectType& a) {
  if (!On(*a.Actor, kMoveRandomTurns)) return;
  Platform& p = engine.platform;
  if (p.RandomInt(1, 100) == 1) a.Mirror = p.RandomInt(0, 1);
}

void MoveAcross(Engine& engine, ObjectType& a, int speed) {
  MoveObject(engine, a, a.Mirror == 1 ? -speed : speed, 0);
}

// Facing a wall, an actor turns round in the frame it reached it.
void TurnAtWalls(const Engine& engine, ObjectType& a, const Picture* shape) {
  if (a.Mirror == 1 && IsBlocked(engine, shape, static_cast<int64_t>(a.X) - 1, a.Y)) a.Mirror = 0;
  if (a.Mirror == 0 && IsBlocked(engine, shape, static_cast<int64_t>(a.X) + 1, a.Y)) a.Mirror = 1;
}

// Ground under the next step is tested one pixel beyond the actor's half width.
void TurnAtLedges(const Engine& engine, ObjectType& a, int& speed) {
  const Picture* dot = engine.pictures.DotPic.get();
  const int64_t halfWidth = a.Actor->Pic[kSlotWalk] ? a.Actor->Pic[kSlotWalk]->width / 2 : 0;
  const int64_t below = static_cast<int64_t>(a.Y) + 1;
  if (a.Mirror == 1 && !IsBlocked(engine, dot, a.X - speed - halfWidth, below)) {
    a.Mirror = 0;
    speed = 0;
  }
  if (a.Mirror == 0 && !IsBlocked(engine, dot, a.X + speed + halfWidth, below)) {
    a.Mirror = 1;
    speed = 0;
  }
}

}  // namespace

void MoveWalker(Engine& engine, ObjectType& a, const ObjectType& player) {
  const ActorType& kind = *a.Actor;
  const Picture* shape = kind.Pic[kSlotWalk].get();
  if (!IsBlocked(engine, shape, a.X, static_cast<int64_t>(a.Y) + 1)) {
    MoveObject(engine, a, 0, kFallSpeed);
    if (kind.Pic[kSlotJump]) {
      a.Pic = kind.Pic[kSlotJump];
      a.ActiveFrame = std::max(LastFrameIndex(kind, kSlotJump), 0);
    }
    return;
  }
  int speed = HorizontalSpeed(a, player);
  MaybeTurnAtRandom(engine, a);
  if (!On(kind, kMoveWalkOffLedges)) TurnAtLedges(engine, a, speed);
  MoveAcross(engine, a, speed);
  TurnAtWalls(engine, a, shape);
  AnimateObject(engine, a, kSlotWalk, 0);
}

void MoveFlyer(Engine& engine, ObjectType& a, const ObjectType& player) {
  const ActorType& kind = *a.Actor;
  Platform& p = engine.platform;
  const Picture* shape = kind.Pic[kSlotFly].get();
  MaybeTurnAtRandom(engine, a);
  MoveAcross(engine, a, HorizontalSpeed(a, player));
  TurnAtWalls(engine, a, shape);

  int vertical = 0;
  if (On(kind, kMoveUpDown) || On(kind, kMoveRandomUpDown)) {
    // A flyer heading up chases a player below it as well as one above it.
    const bool chasing = (a.VMove != 0 && a.Y < player.Y) || (a.VMove != 1 && player.Y < a.Y);
    vertical = On(kind, kMoveChase) && chasing ? kChase : kCruise;
  }
  if (On(kind, kMoveRandomUpDown) && p.RandomInt(1, 100) == 1) {
    a.VMove = 1 - 2 * p.RandomInt(0, 1);
  }
  MoveObject(engine, a, 0, vertical * a.VMove);
  if (a.VMove == 1 && IsBlocked(engine, shape, a.X, static_cast<int64_t>(a.Y) + 1)) a.VMove = -1;
  if (a.VMove == -1 && IsBlocked(engine, shape, a.X, static_cast<int64_t>(a.Y) - 1)) a.VMove = 1;
  AnimateObject(engine, a, kSlotFly, 0);
}

}  // namespace hopwerk
