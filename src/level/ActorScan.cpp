#include "level/ActorScan.h"

#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/LevelArchives.h"
#include "level/LevelFields.h"
#include "level/LevelPictures.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

LoadFault WeaponCorrupted(const std::string& name, const std::string& what) {
  return Fault("Enemy Weapon \"" + name + "\" corrupted (" + what + ")");
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

Loaded<std::shared_ptr<EnemyWeapon>> LoadEnemyWeapon(Engine& engine, const std::string& name) {
  EntryReader entry(engine, OpenArchiveEntry(engine, WeaponArchives(engine), "Enemy/" + name));
  if (!entry.IsOpen()) return {};
  auto weapon = std::make_shared<EnemyWeapon>();
  static const RecordBinder<EnemyWeapon> binder(EntryFormatTitled("Enemy/NAME"),
                                                EnemyWeaponFields());
  EntryRecordReader reader(binder.format(), entry);
  EntryRecord record;
  for (size_t records = 0;; ++records) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) {
      if (!reader.SawEndTag()) return {nullptr, WeaponCorrupted(name, "end of entry")};
      break;
    }
    const int tag = step == ReadStep::Fault ? reader.Fault().tag : record.tag();
    if (records == kMaxWeaponRecords || step == ReadStep::Fault) {
      return {nullptr, WeaponCorrupted(name, std::to_string(tag))};
    }
    binder.Fill(*weapon, record);
    if (tag != 0) continue;
    const std::string path =
        ResolveProjectFile(engine, "Data/GFX/Weapon/", "GFX/Weapon/", weapon->Pic, PatchCopy::File);
    weapon->Image = LoadLevelPicture(engine, path);
    if (!weapon->Image) {
      return {nullptr, Fault("Image \"" + engine.folders.DataFolder + "GFX/Weapon/" + weapon->Pic +
                             "\" could not be loaded!")};
    }
    CentrePictureHandle(*weapon->Image);
  }
  return {std::move(weapon), {}};
}

LoadFault ScanActors(Engine& engine) {
  Platform& p = engine.platform;
  LevelState& level = engine.level;
  const int32_t skill = engine.session.Skill;
  p.TraceLine("Scanning Actors");
  for (const auto& d : level.ActorDefs) {
    if (!d) continue;
    p.TraceLine("Actor control: " + std::to_string(d->Control));
    if (d->Control != 0) continue;
    p.TraceLine("Difficulty = " + std::to_string(skill));
    d->HP = SkillHitPoints(d->HP, skill);
    // Every shooting kind gets its own copy, also when two kinds name the same weapon.
    if (d->Move[kMoveShoots] == 0) continue;
    auto loaded = LoadEnemyWeapon(engine, d->ShootWeaponName);
    if (loaded.error) return loaded.error;
    d->ShootWeapon = std::move(loaded.value);
  }
  // A skill outside the object's table (a damaged saved game) removes nothing.
  const bool skillKnown = skill >= 0 && skill < static_cast<int32_t>(ObjectType{}.Skill.size());
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.Actor) o.HP = o.Actor->HP;
    if (!skillKnown || o.Skill[static_cast<size_t>(skill)] != 0) return;
    RemoveFromLevel(level, o);
  });
  return {};
}

LoadFault FindPlayer(Engine& engine) {
  LevelState& level = engine.level;
  level.Player = nullptr;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.OType == kActor && o.Actor && o.Actor->Control == 1) level.Player = &o;
  });
  if (!level.Player) {
    return Fault("No start player actor in level \"" + engine.session.CurrentLevelName + "\"");
  }
  return {};
}

}  // namespace hopwerk
