// The point a dead player comes back to, and the scripts that run when the level reloads.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// The checkpoint becomes the player's position and the score, with only the "Start" script.
void RecordCheckpoint(Engine& engine);

}  // namespace hopwerk
