#include "data/Weapons.h"

#include "data/Console.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "platform/Paths.h"

namespace hopwerk {

std::string WeaponArchivePath(const Engine& engine) {
  return engine.folders.ArchiveFolder + "Weapon.vxr";
}

namespace {

[[noreturn]] void WeaponCorrupt(Engine& engine, int slot, int tag) {
  FatalError(engine, "Weapon file " + std::to_string(slot) +
                         " is corrupt, or written in later version  (Code " + std::to_string(tag) +
                         ")");
}

void ReadWeapon(Engine& engine, int slot, EntryReader& entry) {
  WeaponType& weapon = engine.data.Weapons[slot];
  Platform& p = engine.platform;
  // An entry that stops without its end tag ends there rather than reading foreign bytes.
  for (size_t records = 0; !entry.AtEnd(); ++records) {
    const int tag = entry.Byte();
    if (tag == 255) return;
    if (records == kMaxWeaponRecords) WeaponCorrupt(engine, slot, tag);
    switch (tag) {
      case 0: {
        weapon.Picture = entry.String();
        // A name cut off by the entry's end is damage, not a file to look for.
        if (entry.Overran()) WeaponCorrupt(engine, slot, tag);
        const DataFilePath file =
            JoinDataName(engine.folders.DataFolder + "GFX/Weapon/", weapon.Picture);
        weapon.Image = p.LoadPicture(file.path);
        if (!weapon.Image) FatalError(engine, "Could not load: " + file.shown);
        CentrePictureHandle(*weapon.Image);
        break;
      }
      case 1: {
        weapon.Sound = entry.String();
        if (entry.Overran()) WeaponCorrupt(engine, slot, tag);
        const DataFilePath file = JoinDataName(engine.folders.DataFolder + "SFX/", weapon.Sound);
        weapon.Sample = p.LoadSoundFile(file.path, false);
        if (!weapon.Sample && !weapon.Sound.empty()) {
          FatalError(engine, "Could Not Load: " + file.shown);
        }
        break;
      }
      case 2:
        weapon.AmmoUsage = entry.Byte();
        break;
      case 3:
        weapon.MS = entry.Int();
        break;
      case 4:
        weapon.MaxAmmo = entry.Int();
        break;
      case 5:
        weapon.BulletSpeed = entry.Int();
        break;
      case 6:
        weapon.StartAmmo = entry.Int();
        break;
      default:
        WeaponCorrupt(engine, slot, tag);
    }
    if (entry.Overran()) WeaponCorrupt(engine, slot, tag);
  }
}

}  // namespace

void LoadWeapons(Engine& engine) {
  ConsolePrint(engine, "Loading weapons", 255, 255, 255);
  const std::string archive = WeaponArchivePath(engine);
  for (int slot = 0; slot < kWeaponSlots; ++slot) {
    const std::string name = "Weapon." + std::to_string(slot);
    if (VXR_HasEntry(engine.vxr, archive, name) == 0) continue;
    ConsolePrint(engine, "- " + std::to_string(slot), 255, 255, 255);
    EntryReader entry(engine, VXR_Open(engine.vxr, archive, name, "", 0));
    ReadWeapon(engine, slot, entry);
  }
}

}  // namespace hopwerk
