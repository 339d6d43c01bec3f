// How much of the project-wide data the engine takes in. Each limit is far above any real game;
// an entry that crosses one is damaged or hostile, and loading it ends like any other damage,
// with the loader's own message, before memory or loading time grow with it.
#pragma once

#include <cstddef>

namespace hopwerk {

// Cheat codes (records that define one). Each prints a console line while loading.
constexpr size_t kMaxCheatCodes = 256;
// Elements of the status screen, and their conditions all together: every frame draws them.
constexpr size_t kMaxStatusElements = 4096;
constexpr size_t kMaxStatusConditions = 16384;
// Lines of the Welcome entry shown on the loading console; each redraws the console, so the
// rest of a longer entry is left unshown.
constexpr size_t kMaxWelcomeLines = 1024;
// Records of one weapon or enemy-weapon entry. A real one has a handful; a picture record
// decodes its picture again each time it comes, so thousands of them would take hours.
constexpr size_t kMaxWeaponRecords = 256;

}  // namespace hopwerk
