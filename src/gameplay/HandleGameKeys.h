// The keys the game answers between frames.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// The pause key opens the pause screen.
void HandleGameKeys(Engine& engine);

}  // namespace hopwerk
