// Leaving a completed level once its message has been shown long enough.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Once a frame. When the level is completed and its countdown has run out, the next level
// becomes the current one and the music stops; unless the episode ends there, the next level
// is loaded and its start becomes the checkpoint, keeping the score reached.
void ChangeLevelIfDue(Engine& engine);

}  // namespace hopwerk
