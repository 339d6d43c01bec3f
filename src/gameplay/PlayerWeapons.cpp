#include "gameplay/PlayerWeapons.h"

#include "gameplay/ActivityArea.h"
#include "gameplay/PlayEffect.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

constexpr int kKeyDigit0 = 48;

bool HasRounds(const WeaponType& weapon) {
  return weapon.AmmoUsage == 1 || weapon.AmmoUsage == 2 ||
         (weapon.AmmoUsage == 0 && weapon.Ammo != 0);
}

}  // namespace

bool WeaponUsable(const WeaponType& weapon) {
  return weapon.Image && HasRounds(weapon);
}

void FireWeaponIfHeld(Engine& engine, ObjectType& player) {
  PlayerSettings& settings = engine.settings;
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  Platform& p = engine.platform;
  if (!p.IsKeyDown(settings.KeyFire)) return;
  if (session.SelectedWeapon < 0 || session.SelectedWeapon >= kWeaponSlots) return;
  WeaponType& weapon = engine.data.Weapons[session.SelectedWeapon];
  if (!HasRounds(weapon)) return;
  const int32_t now = p.ClockMillis();
  if (MillisBetween(now, weapon.OldTime) <= weapon.MS) return;

  BulletType bullet;
  bullet.X = player.X;
  bullet.Dir = player.Mirror == 1 ? -1 : 1;
  bullet.Y = player.Y - (player.Pic ? player.Pic->height : 0) / 2;
  bullet.Weapon = &weapon;
  weapon.OldTime = now;
  if (weapon.AmmoUsage == 0) {
    weapon.Ammo = SatSub(weapon.Ammo, 1);
    if (weapon.Ammo == 0) {
      for (int slot = 0; slot < kWeaponSlots; ++slot) {
        if (WeaponUsable(engine.data.Weapons[slot])) session.SelectedWeapon = slot;
      }
    }
  }
  run.Bullets.Append(bullet);
  PlayEffect(engine, weapon.Sample);
}

void ChooseWeaponByDigits(Engine& engine) {
  for (int slot = 0; slot < kWeaponSlots; ++slot) {
    if (!WeaponUsable(engine.data.Weapons[slot])) continue;
    if (engine.platform.KeyHits(kKeyDigit0 + slot) != 0) engine.session.SelectedWeapon = slot;
  }
}

}  // namespace hopwerk
