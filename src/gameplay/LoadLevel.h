// Loading a level for play: the level folder's loading steps, with the running level's
// values set back between them, at the moments a level starts afresh.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Loads the level named session.CurrentLevelName, replacing the previous level completely.
// Damaged level data is shown on the console and ends the program (FatalError).
void LoadLevel(Engine& engine);

}  // namespace hopwerk
