#include <string>

#include "data/StatusScreen.h"
#include "gameplay/ActivityArea.h"
#include "gameplay/FrameSteps.h"

namespace hopwerk {

namespace {

// What the status screen shows for the weapon in hand: its rounds, its readiness, or nothing.
void UpdateWeaponStatusText(Engine& engine) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  if (session.SelectedWeapon < 0 || session.SelectedWeapon >= kWeaponSlots) return;
  const WeaponType& weapon = engine.data.Weapons[session.SelectedWeapon];
  switch (weapon.AmmoUsage) {
    case 0:
      run.WeaponStatusText = std::to_string(weapon.Ammo);
      break;
    case 1:
      run.WeaponStatusText =
          MillisBetween(engine.platform.ClockMillis(), weapon.OldTime) < weapon.MS ? "Recharging"
                                                                                   : "Ready";
      break;
    case 2:
      run.WeaponStatusText.clear();
      break;
    default:
      break;
  }
}

}  // namespace

void DrawStatus(Engine& engine) {
  if (const ObjectType* player = engine.level.Player) engine.run.HudHP = player->HP;
  UpdateWeaponStatusText(engine);
  DrawStatusScreen(engine, engine.data.StatusElements);
}

}  // namespace hopwerk
