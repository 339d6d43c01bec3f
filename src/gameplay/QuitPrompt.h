// Leaving the game from inside a level.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// After Escape: asks whether to quit; Y ends the program, any other key plays on.
void AskToQuitOnEscape(Engine& engine);

}  // namespace hopwerk
