// The front end: a state loop over GameState and the main menu.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

extern const char* const kMenuTexts[6];

// Dispatches on GameState forever; each screen returns after choosing the next state.
[[noreturn]] void FrontEndLoop(Engine& engine);
// Shows the main menu until an item leaves it (setting GameState) or the program ends.
void MainMenu(Engine& engine);

}  // namespace hopwerk
