// Opening the game's display: a window, full screen, or a larger full-screen mode with the
// game centred in it.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

void OpenGameDisplay(Engine& engine);
// Opens the first listed mode at least width x height of the given depth; false if none.
bool FindAlternateMode(Engine& engine, int width, int height, int depth);

}  // namespace hopwerk
