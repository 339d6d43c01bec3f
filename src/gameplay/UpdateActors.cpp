#include "gameplay/UpdateActors.h"

#include <string>

#include "data/Console.h"
#include "gameplay/ActorMovement.h"
#include "gameplay/FloatingText.h"
#include "gameplay/HurtPlayer.h"
#include "level/LevelScripts.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

void Shoot(Engine& engine, const ObjectType& a) {
  const ActorType& kind = *a.Actor;
  if (kind.Move[kMoveShoots] == 0 || !kind.ShootWeapon) return;
  if (engine.platform.RandomInt(1, kind.ShootWeapon->Chance) != 1) return;
  EnemyBullet bullet;
  bullet.X = a.X;
  bullet.Y = SatSub(a.Y, a.Pic ? a.Pic->height / 2 : 0);
  bullet.Dir = 1 - 2 * (a.Mirror == 1 ? 1 : 0);
  bullet.Weapon = kind.ShootWeapon;
  engine.run.EnemyBullets.Append(std::move(bullet));
}

// The actor starts its death in front of everything; the frame's drawing plays it out.
void Kill(Engine& engine, ObjectType& a, const BulletType& bullet) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  const ActorType& kind = *a.Actor;
  if (kind.KillScore != 0) {
    AddFloatingText(engine, std::to_string(kind.KillScore), bullet.X, bullet.Y);
    session.Score = SatAdd(session.Score, kind.KillScore);
  }
  session.Kills = SatAdd(session.Kills, 1);
  a.OType = kDying;
  MoveToFrontLayer(engine.level, a);
  if (!a.TScript.empty()) EndOnLoadError(engine, RunScriptFile(engine, a.TScript));
  if (run.BossObject == &a) run.BossObject = nullptr;
}

// Every bullet that meets the actor costs it one hit point and is spent; the one that takes
// the last point kills it, and later ones in the same frame only hit the body.
void TakeBullets(Engine& engine, ObjectType& a) {
  if (!a.Pic) return;
  Platform& p = engine.platform;
  engine.run.Bullets.Walk([&](BulletType& b) {
    if (!b.Weapon || !b.Weapon->Image) return false;
    if (!p.PicturesOverlap(*b.Weapon->Image, static_cast<float>(b.X), static_cast<float>(b.Y), 0,
                           *a.Pic, static_cast<float>(a.X), static_cast<float>(a.Y),
                           a.ActiveFrame)) {
      return false;
    }
    a.HP = SatSub(a.HP, 1);
    a.Hurt = 1;
    if (a.HP < 1 && a.OType == kActor) Kill(engine, a, b);
    return true;
  });
}

bool TouchesPlayer(Engine& engine, const ObjectType& a, const ObjectType& player) {
  if (!a.Pic || !player.Pic) return false;
  return engine.platform.PicturesOverlapTransformed(
      *a.Pic, static_cast<float>(a.X), static_cast<float>(a.Y), a.ActiveFrame, 0,
      a.Mirror == 1 ? -1.0f : 1.0f, 1, *player.Pic, static_cast<float>(player.X),
      static_cast<float>(player.Y), player.ActiveFrame, 0, player.Mirror == 1 ? -1.0f : 1.0f, 1);
}

void ActOnTouch(Engine& engine, ObjectType& a, ObjectType& player) {
  const ActorType& kind = *a.Actor;
  if (kind.Touch[kTouchHurts] != 0) HurtPlayer(engine, kind.HurtPlayer);
  if (kind.Touch[kTouchKills] != 0 && engine.run.GodMode == 0) player.HP = 0;
  if (kind.Touch[kTouchVanishes] != 0) RemoveFromLevel(engine.level, a);
}

void UpdateActor(Engine& engine, ObjectType& a, ObjectType& player) {
  // A script may have taken it out of the level since the frame listed it.
  if (!a.Actor || a.OType != kActor || !engine.level.AllObjects.Contains(a)) return;
  if (a.Actor->Control != 0) FatalError(engine, "*Player in computer actor list");
  if (a.Actor->Move[kMoveFlies] != 0) {
    MoveFlyer(engine, a, player);
  } else {
    MoveWalker(engine, a, player);
  }
  Shoot(engine, a);
  TakeBullets(engine, a);
  // An actor shot dead this frame is already dying: its body no longer hurts or kills.
  if (a.OType == kActor && TouchesPlayer(engine, a, player)) ActOnTouch(engine, a, player);
}

}  // namespace

void UpdateActors(Engine& engine) {
  ObjectType* player = engine.level.Player;
  if (!player) return;
  for (ObjectType* actor : engine.run.ActiveActors) UpdateActor(engine, *actor, *player);
}

}  // namespace hopwerk
