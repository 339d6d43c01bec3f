// The pause screen: the frame just drawn, shrunk, spinning and bouncing over the glow effect.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Returns when the pause key is pressed again.
void PauseGame(Engine& engine);

}  // namespace hopwerk
