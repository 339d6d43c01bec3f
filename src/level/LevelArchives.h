// The archives level data comes from, each with the patch archive that may replace its entries.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

struct ArchivePair {
  std::string base;   // in the project's archive folder
  std::string patch;  // under the chosen patch folder; used only when a patch is chosen
};

ArchivePair MapsArchives(const Engine& engine);
ArchivePair ActorArchives(const Engine& engine);
ArchivePair CollectableArchives(const Engine& engine);
ArchivePair WeaponArchives(const Engine& engine);

// The entry from the patch archive when a patch is chosen and holds it, else from the base.
VXRStreamPtr OpenArchiveEntry(Engine& engine, const ArchivePair& archives,
                              const std::string& entry);
// Whether the base archive or, with a patch chosen, the patch archive holds the entry.
bool HasArchiveEntry(Engine& engine, const ArchivePair& archives, const std::string& entry);

}  // namespace hopwerk
