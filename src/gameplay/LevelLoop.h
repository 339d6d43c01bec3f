// The loop that runs while a level is played: one pass is one frame.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Plays until the episode has ended, shows its end, then leaves the front end at the main menu.
// Quitting from inside the game ends the program instead.
void RunLevelLoop(Engine& engine);

// One frame of the loop. Returns true once the episode has ended.
bool RunLevelLoopPass(Engine& engine);

}  // namespace hopwerk
