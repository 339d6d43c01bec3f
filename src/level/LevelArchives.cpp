#include "level/LevelArchives.h"

#include "data/PatchedEntry.h"

namespace hopwerk {

namespace {

ArchivePair Pair(const Engine& engine, const std::string& base, const std::string& patch) {
  return {engine.folders.ArchiveFolder + base, engine.settings.PatchFolder + "/VXR/" + patch};
}

}  // namespace

ArchivePair MapsArchives(const Engine& engine) {
  return Pair(engine, "Maps.vxr", "Maps.vxr");
}

ArchivePair ActorArchives(const Engine& engine) {
  return Pair(engine, "Actors.vxr", "Actors.vxr");
}

// A patch's collectables archive drops the plural.
ArchivePair CollectableArchives(const Engine& engine) {
  return Pair(engine, "Collectables.vxr", "Collectable.vxr");
}

ArchivePair WeaponArchives(const Engine& engine) {
  return Pair(engine, "Weapon.vxr", "Weapon.vxr");
}

VXRStreamPtr OpenArchiveEntry(Engine& engine, const ArchivePair& archives,
                              const std::string& entry) {
  return OpenPatchedEntry(engine, archives.base, archives.patch, entry);
}

bool HasArchiveEntry(Engine& engine, const ArchivePair& archives, const std::string& entry) {
  if (VXR_HasEntry(engine.vxr, archives.base, entry) == 1) return true;
  return !engine.settings.PatchFolder.empty() &&
         VXR_HasEntry(engine.vxr, archives.patch, entry) == 1;
}

}  // namespace hopwerk
