// Loading one level of the maps archive: its general data and activity margins, then its map
// objects, definitions, actor set-up, player, music and the scripts of its checkpoint list.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Loads the level named play.CurrentLevelName, replacing the previous level completely.
// Damaged level data is shown on the console and ends the program (FatalError).
void LoadLevel(Engine& engine);

}  // namespace hopwerk
