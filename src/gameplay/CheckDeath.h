// The player's death: its animation, then the level again from the last checkpoint.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Once a frame. When the player's hit points are gone: the death animation plays (nothing else
// of the game moves, Escape cuts it short), then the level reloads with the player and the
// score back at the checkpoint. Weapons, ammunition and the counters are not rolled back.
void CheckDeath(Engine& engine);

}  // namespace hopwerk
