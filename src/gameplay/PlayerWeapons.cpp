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
  PlayState& play = engine.play;
  Platform& p = engine.platform;
  if (!p.IsKeyDown(play.KeyFire)) return;
  if (play.SelectedWeapon < 0 || play.SelectedWeapon >= kWeaponSlots) return;
  WeaponType& weapon = engine.data.Weapons[play.SelectedWeapon];
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
        if (WeaponUsable(engine.data.Weapons[slot])) play.SelectedWeapon = slot;
      }
    }
  }
  play.Bullets.Append(bullet);
  PlayEffect(engine, weapon.Sample);
}

void ChooseWeaponByDigits(Engine& engine) {
  for (int slot = 0; slot < kWeaponSlots; ++slot) {
    if (!WeaponUsable(engine.data.Weapons[slot])) continue;
    if (engine.platform.KeyHits(kKeyDigit0 + slot) != 0) engine.play.SelectedWeapon = slot;
  }
}

}  // namespace hopwerk
