// The numbers project data gives meaning to, by name: what kind of thing a map object is, an
// actor's picture slots, movement, touch and dying codes, and the commands of scripts. The
// values are what entries store; they never change.
#pragma once

#include <cstdint>

namespace hopwerk {

// ObjectType.OType. A killed actor turns kDying while it plays out, ignored by everything.
enum ObjectKind : int32_t {
  kDying = -1,
  kDecoration = 0,
  kWall = 1,
  kActor = 2,
  kCollectable = 3,
  kTextLabel = 4,
  kSwitch = 5,
};

// ActorType.Pic, SpriteFrames, SpriteWait: the actor's picture strips.
enum SpriteSlot : int {
  kSlotWalk = 0,
  kSlotJump = 1,  // a computer actor's falling too
  kSlotFly = 2,
  kSlotFire = 3,
  kSlotDie = 4,
};

// ActorType.Move: each code on when non-zero. 1, 7, 8 and 9 do nothing.
enum MoveCode : int {
  kMoveChase = 0,
  kMoveRandomTurns = 2,
  kMoveAcross = 3,
  kMoveFlies = 4,  // the player's own kind: moves freely in four directions
  kMoveWalkOffLedges = 5,
  kMoveShoots = 6,
  kMoveUpDown = 10,
  kMoveRandomUpDown = 11,
};

// ActorType.Touch: what the player's touch does, each on when non-zero. 3 does nothing.
enum TouchCode : int {
  kTouchHurts = 0,
  kTouchKills = 1,
  kTouchVanishes = 2,
};

// ActorType.Die: how a killed actor leaves.
enum DieStyle : int32_t {
  kDieInPlace = 0,  // its dying strip plays where it stands, once
  kDieFalls = 1,
  kDieThrown = 2,  // thrown up and off to the side
};

// ScriptType.Command.
enum ScriptCommand : int32_t {
  kCheckpoint = 0,
  kLevelEnd = 1,
  kEpisodeEnd = 2,
  kMoveObjects = 4,
  kPlaySound = 5,
  kPlaceObjects = 6,
  kDeleteObjects = 7,
  kCameraGlide = 8,
  kCameraReturn = 9,
  kEnergyBar = 10,
};

}  // namespace hopwerk
