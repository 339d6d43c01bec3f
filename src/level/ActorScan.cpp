#include "level/ActorScan.h"

#include "data/Console.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/LevelArchives.h"
#include "level/LevelPictures.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

[[noreturn]] void WeaponCorrupted(Engine& engine, EntryReader& entry, const std::string& name,
                                  const std::string& what) {
  entry.Close();
  FatalError(engine, "Enemy Weapon \"" + name + "\" corrupted (" + what + ")");
}

}  // namespace

int32_t SkillHitPoints(int32_t hp, int32_t skill) {
  // Three quarters and seven quarters, truncated toward zero as integer division does.
  if (skill == 0) {
    const int32_t easy = static_cast<int32_t>(static_cast<int64_t>(hp) * 3 / 4);
    return easy < 0 ? 1 : easy;
  }
  if (skill == 2) return SatInt32(static_cast<int64_t>(hp) * 7 / 4);
  return hp;
}

std::shared_ptr<EnemyWeapon> LoadEnemyWeapon(Engine& engine, const std::string& name) {
  EntryReader entry(engine, OpenArchiveEntry(engine, WeaponArchives(engine), "Enemy/" + name));
  if (!entry.IsOpen()) return nullptr;
  auto weapon = std::make_shared<EnemyWeapon>();
  for (size_t records = 0;; ++records) {
    if (entry.AtEnd()) WeaponCorrupted(engine, entry, name, "end of entry");
    const int tag = entry.Byte();
    if (tag == 255) break;
    if (records == kMaxWeaponRecords) WeaponCorrupted(engine, entry, name, std::to_string(tag));
    switch (tag) {
      case 0: {
        weapon->Pic = entry.String();
        // A name cut off by the entry's end is damage, not a file to look for.
        if (entry.Overran()) WeaponCorrupted(engine, entry, name, std::to_string(tag));
        const std::string path = ResolveProjectFile(engine, "Data/GFX/Weapon/", "GFX/Weapon/",
                                                    weapon->Pic, PatchCopy::File);
        weapon->Image = LoadLevelPicture(engine, path);
        if (!weapon->Image) {
          entry.Close();
          FatalError(engine, "Image \"" + engine.folders.DataFolder + "GFX/Weapon/" + weapon->Pic +
                                 "\" could not be loaded!");
        }
        CentrePictureHandle(*weapon->Image);
        break;
      }
      case 1:
        weapon->R = entry.Byte();
        weapon->G = entry.Byte();
        weapon->B = entry.Byte();
        break;
      case 2:
        weapon->HSpeed = entry.Int();
        weapon->VSpeed = entry.Int();
        break;
      case 3:
        weapon->Chance = entry.Int();
        break;
      default:
        WeaponCorrupted(engine, entry, name, std::to_string(tag));
    }
    if (entry.Overran()) WeaponCorrupted(engine, entry, name, std::to_string(tag));
  }
  return weapon;
}

void ScanActors(Engine& engine) {
  Platform& p = engine.platform;
  LevelState& level = engine.level;
  const int32_t skill = engine.play.Skill;
  p.TraceLine("Scanning Actors");
  for (const auto& d : level.ActorDefs) {
    if (!d) continue;
    p.TraceLine("Actor control: " + std::to_string(d->Control));
    if (d->Control != 0) continue;
    p.TraceLine("Difficulty = " + std::to_string(skill));
    d->HP = SkillHitPoints(d->HP, skill);
    // Every shooting kind gets its own copy, also when two kinds name the same weapon.
    if (d->Move[kMoveShoots] != 0) d->ShootWeapon = LoadEnemyWeapon(engine, d->ShootWeaponName);
  }
  // A skill outside the object's table (a damaged saved game) removes nothing.
  const bool skillKnown = skill >= 0 && skill < static_cast<int32_t>(ObjectType{}.Skill.size());
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.Actor) o.HP = o.Actor->HP;
    if (!skillKnown || o.Skill[static_cast<size_t>(skill)] != 0) return;
    RemoveFromLevel(level, o);
  });
}

void FindPlayer(Engine& engine) {
  LevelState& level = engine.level;
  level.Player = nullptr;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.OType == kActor && o.Actor && o.Actor->Control == 1) level.Player = &o;
  });
  if (!level.Player) {
    FatalError(engine, "No start player actor in level \"" + engine.play.CurrentLevelName + "\"");
  }
}

}  // namespace hopwerk
