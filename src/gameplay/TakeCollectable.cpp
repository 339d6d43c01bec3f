#include "gameplay/TakeCollectable.h"

#include <string>

#include "data/Console.h"
#include "gameplay/FloatingText.h"
#include "gameplay/PlayEffect.h"
#include "level/LevelScripts.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

// Easy doubles what a pick-up holds and Hard halves it, but every pick-up gives at least one.
int64_t AmmoForSkill(int32_t ammo, int32_t skill) {
  int64_t amount = ammo;
  if (skill == 0) amount *= 2;
  if (skill == 2) amount /= 2;
  return amount < 1 ? 1 : amount;
}

void GiveAmmo(Engine& engine, const CollectableType& kind) {
  SessionState& session = engine.session;
  const int32_t slot = kind.Weapon;
  if (slot >= 0 && slot < kWeaponSlots) {
    WeaponType& weapon = engine.data.Weapons[slot];
    // An empty hand-held weapon is taken up again as soon as it has something to fire.
    if (weapon.Image && weapon.Ammo == 0) session.SelectedWeapon = slot;
    const int64_t ammo = static_cast<int64_t>(weapon.Ammo) + AmmoForSkill(kind.Ammo, session.Skill);
    weapon.Ammo = SatInt32(ammo > weapon.MaxAmmo ? weapon.MaxAmmo : ammo);
  }
  engine.platform.TraceLine("Weapon = " + std::to_string(session.SelectedWeapon) + "  Ammo for " +
                            std::to_string(slot));
}

// A pick-up sound is loaded on the first pick-up of its kind and kept with the kind; a sound
// found nowhere is reported once and not looked for again.
void PlayPickupSound(Engine& engine, CollectableType& kind) {
  if (kind.SoundFile.empty()) return;
  Platform& p = engine.platform;
  if (!kind.Sound) {
    kind.Sound = LoadEffectSound(engine, kind.SoundFile);
    if (!kind.Sound) {
      p.TraceLine(engine.folders.DataFolder + "SFX/" + kind.SoundFile +
                  " could not be loaded. Request skipped");
      kind.SoundFile.clear();
      return;
    }
  }
  PlayEffect(engine, kind.Sound);
}

}  // namespace

void TakeCollectable(Engine& engine, ObjectType& item) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  RemoveFromLevel(engine.level, item);
  session.Items = SatAdd(session.Items, 1);
  CollectableType* kind = item.Collectable;
  if (!kind) return;

  if (kind->Score != 0) {
    session.Score = SatAdd(session.Score, kind->Score);
    AddFloatingText(engine, std::to_string(kind->Score), item.X, item.Y);
  }
  if (kind->HP != 0) {
    if (ObjectType* player = engine.level.Player) {
      int64_t hp = static_cast<int64_t>(player->HP) + kind->HP;
      if (player->Actor && hp > player->Actor->HP) hp = player->Actor->HP;
      player->HP = SatInt32(hp);
    }
  }
  if (kind->Ammo != 0) GiveAmmo(engine, *kind);
  if (!item.TScript.empty()) {
    EndOnLoadError(engine, RunScriptFile(engine, item.TScript));
    engine.platform.TraceLine("Loading script: " + item.TScript);
  }
  PlayPickupSound(engine, *kind);
  if (kind->GiveKey >= 1 && kind->GiveKey <= 9) {
    run.Keys[kind->GiveKey] = SatAdd(run.Keys[kind->GiveKey], 1);
  }
}

}  // namespace hopwerk
