// The keys the game answers between frames.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// F5 opens the save slots; the pause key, or the window losing the focus, opens the pause
// screen.
void HandleGameKeys(Engine& engine);

}  // namespace hopwerk
