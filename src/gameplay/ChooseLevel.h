// The level chooser a cheat opens: every level of the maps archives, one to pick.
#pragma once

#include <string>
#include <vector>

#include "engine/Engine.h"

namespace hopwerk {

// The levels of the patch's maps archive (when a patch is chosen), then those of the project's,
// in listing order: one for each entry whose name ends in "objects" in any letter case. A level
// in both archives is listed twice.
std::vector<std::string> ListLevels(Engine& engine);

// Up and Down move through the list, Escape goes back to play unchanged, Enter plays the chosen
// level from its start with the score of the last checkpoint.
void ChooseLevel(Engine& engine);

}  // namespace hopwerk
