#include <string>

#include "data/StatusScreen.h"
#include "gameplay/ActivityArea.h"
#include "gameplay/FrameSteps.h"

namespace hopwerk {

namespace {

// What the status screen shows for the weapon in hand: its rounds, its readiness, or nothing.
void UpdateWeaponStatusText(Engine& engine) {
  PlayState& play = engine.play;
  if (play.SelectedWeapon < 0 || play.SelectedWeapon >= kWeaponSlots) return;
  const WeaponType& weapon = engine.data.Weapons[play.SelectedWeapon];
  switch (weapon.AmmoUsage) {
    case 0:
      play.WeaponStatusText = std::to_string(weapon.Ammo);
      break;
    case 1:
      play.WeaponStatusText =
          MillisBetween(engine.platform.ClockMillis(), weapon.OldTime) < weapon.MS ? "Recharging"
                                                                                   : "Ready";
      break;
    case 2:
      play.WeaponStatusText.clear();
      break;
    default:
      break;
  }
}

}  // namespace

void DrawStatus(Engine& engine) {
  if (const ObjectType* player = engine.level.Player) engine.play.HudHP = player->HP;
  UpdateWeaponStatusText(engine);
  DrawStatusScreen(engine, engine.data.StatusElements);
}

}  // namespace hopwerk
