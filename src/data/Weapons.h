// The ten weapon slots of the Weapon archive.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

std::string WeaponArchivePath(const Engine& engine);
// Fills the slots that have an entry; the others stay empty.
void LoadWeapons(Engine& engine);

}  // namespace hopwerk
