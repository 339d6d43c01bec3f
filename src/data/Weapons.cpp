#include "data/Weapons.h"

#include "data/Console.h"
#include "data/DataFields.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "platform/Paths.h"

namespace hopwerk {

std::string WeaponArchivePath(const Engine& engine) {
  return engine.folders.ArchiveFolder + "Weapon.vxr";
}

namespace {

LoadFault WeaponCorrupt(int slot, int tag) {
  return Fault("Weapon file " + std::to_string(slot) +
               " is corrupt, or written in later version  (Code " + std::to_string(tag) + ")");
}

LoadFault ReadWeapon(Engine& engine, int slot, EntryReader& entry) {
  WeaponType& weapon = engine.data.Weapons[slot];
  Platform& p = engine.platform;
  static const RecordBinder<WeaponType> binder(EntryFormatTitled("Weapon.N"), WeaponFields());
  EntryRecordReader reader(binder.format(), entry);
  EntryRecord record;
  // An entry that stops without its end tag ends there rather than reading foreign bytes.
  for (size_t records = 0;; ++records) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) return {};
    const int tag = step == ReadStep::Fault ? reader.Fault().tag : record.tag();
    if (records == kMaxWeaponRecords || step == ReadStep::Fault) return WeaponCorrupt(slot, tag);
    binder.Fill(weapon, record);
    if (tag == 0) {
      const DataFilePath file =
          JoinDataName(engine.folders.DataFolder + "GFX/Weapon/", weapon.Picture);
      weapon.Image = p.LoadPicture(file.path);
      if (!weapon.Image) return Fault("Could not load: " + file.shown);
      CentrePictureHandle(*weapon.Image);
    } else if (tag == 1) {
      const DataFilePath file = JoinDataName(engine.folders.DataFolder + "SFX/", weapon.Sound);
      weapon.Sample = p.LoadSoundFile(file.path, false);
      if (!weapon.Sample && !weapon.Sound.empty()) return Fault("Could Not Load: " + file.shown);
    }
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
    LoadFault fault;
    {
      EntryReader entry(engine, VXR_Open(engine.vxr, archive, name, "", 0));
      fault = ReadWeapon(engine, slot, entry);
    }
    EndOnLoadError(engine, fault);
  }
}

}  // namespace hopwerk
