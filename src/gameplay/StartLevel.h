// Entering a level from the front end.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

constexpr int kStartFresh = 0;
constexpr int kStartAtCheckpoint = 1;

// Loads CurrentLevelName and plays it until the episode ends. kStartFresh begins at the level's
// start; kStartAtCheckpoint puts the player and score back at the stored checkpoint (a loaded
// saved game).
void StartLevel(Engine& engine, int mode);

// The front end's states 2 (a fresh level) and 3 (a loaded saved game) start the level.
void InstallLevelPlay(Engine& engine);

}  // namespace hopwerk
