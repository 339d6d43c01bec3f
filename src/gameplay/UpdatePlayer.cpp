#include "gameplay/UpdatePlayer.h"

#include <algorithm>

#include "gameplay/AnimateObject.h"
#include "gameplay/IsBlocked.h"
#include "gameplay/MoveObject.h"
#include "gameplay/PlayerWeapons.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

// Picture slots of the player's actor.

// A pusher may hand the jump any speed; no single step can carry further than the world.
int JumpStep(float value) {
  return static_cast<int>(
      std::clamp(value, -static_cast<float>(kWorldSize), static_cast<float>(kWorldSize)));
}

// Walking, jumping and falling. Returns whether the player did anything.
bool MoveWithGravity(Engine& engine, ObjectType& player) {
  PlayerSettings& settings = engine.settings;
  RunningLevel& run = engine.run;
  Platform& p = engine.platform;
  const ActorType& actor = *player.Actor;
  bool acted = false;

  const bool grounded =
      IsBlocked(engine, actor.Pic[kSlotWalk].get(), player.X, static_cast<int64_t>(player.Y) + 1);
  const bool falling = !grounded && run.Jumping == 0;
  if (falling) {
    MoveObject(engine, player, 0, kFallSpeed);
    // Falling shows the last frame of the jump strip.
    if (actor.Pic[kSlotJump]) {
      player.ActiveFrame = std::max(LastFrameIndex(actor, kSlotJump), 0);
      player.Pic = actor.Pic[kSlotJump];
    }
    acted = true;
  }

  // Tested as held: keeping the key down jumps again as soon as the last jump has landed.
  if (p.IsKeyDown(settings.KeyJump) && (run.Jumping == 0 || run.InfiniteJump == 1) &&
      (!falling || run.InfiniteJump == 1)) {
    run.Jumping = 1;
    run.JumpValue = kJumpStart;
    acted = true;
  }

  // The curve runs its whole course whatever it meets: a ceiling only stops single pixels.
  if (run.Jumping == 1) {
    MoveObject(engine, player, 0, JumpStep(run.JumpValue));
    run.JumpValue += kJumpGain;
    if (run.JumpValue >= kJumpEnd) {
      run.JumpValue = 0.0f;
      run.Jumping = 0;
    }
    AnimateObject(engine, player, kSlotJump, LastFrameIndex(actor, kSlotJump));
    acted = true;
  }

  const bool onGround = run.Jumping == 0 && !falling;
  if (p.IsKeyDown(kKeyLeft)) {
    MoveObject(engine, player, -kWalkSpeed, 0);
    player.Mirror = 1;
    if (onGround) AnimateObject(engine, player, kSlotWalk, 1);
    acted = true;
  }
  if (p.IsKeyDown(kKeyRight)) {
    MoveObject(engine, player, kWalkSpeed, 0);
    player.Mirror = 0;
    if (onGround) AnimateObject(engine, player, kSlotWalk, 1);
    acted = true;
  }
  return acted;
}

// Flying: four directions, no gravity, no jump.
void MoveFreely(Engine& engine, ObjectType& player) {
  PlayerSettings& settings = engine.settings;
  Platform& p = engine.platform;
  if (p.IsKeyDown(settings.KeyJump) || p.IsKeyDown(kKeyUp))
    MoveObject(engine, player, 0, -kWalkSpeed);
  if (p.IsKeyDown(kKeyDown)) MoveObject(engine, player, 0, kWalkSpeed);
  if (p.IsKeyDown(kKeyLeft)) {
    MoveObject(engine, player, -kWalkSpeed, 0);
    player.Mirror = 1;
  }
  if (p.IsKeyDown(kKeyRight)) {
    MoveObject(engine, player, kWalkSpeed, 0);
    player.Mirror = 0;
  }
  AnimateObject(engine, player, kSlotFly, 0);
}

// The standing pose, or the next frame of the flying picture. The flying frame wraps by the
// firing strip's frame count, but never runs past the frames the flying picture has.
void ShowIdleFrame(ObjectType& player, bool freeMoving) {
  const ActorType& actor = *player.Actor;
  if (!freeMoving) {
    player.Pic = actor.Pic[kSlotWalk];
    player.ActiveFrame = 0;
    return;
  }
  player.Pic = actor.Pic[kSlotFly];
  const int64_t shown = player.Pic ? static_cast<int64_t>(player.Pic->frames.size()) : 0;
  const int64_t limit = std::min<int64_t>(actor.SpriteFrames[kSlotFire], shown);
  ++player.ActiveFrame;
  if (player.ActiveFrame < 0 || player.ActiveFrame >= limit) player.ActiveFrame = 0;
}

}  // namespace

void UpdatePlayer(Engine& engine) {
  ObjectType* player = engine.level.Player;
  // A pusher moved the player last frame: this frame belongs to it.
  if (engine.run.Automove == 1 || !player || !player->Actor) return;
  const bool freeMoving = player->Actor->Move[kMoveFlies] != 0;
  bool acted = false;
  if (freeMoving) {
    MoveFreely(engine, *player);
  } else {
    acted = MoveWithGravity(engine, *player);
  }
  FireWeaponIfHeld(engine, *player);
  ChooseWeaponByDigits(engine);
  if (!acted) ShowIdleFrame(*player, freeMoving);
}

}  // namespace hopwerk
