// The level's music, silenced when the player dies or a level is left.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Stops the level music's channel. The loaded music stays with the level: a next level without
// music of its own keeps it, silent.
void StopLevelMusic(Engine& engine);

}  // namespace hopwerk
