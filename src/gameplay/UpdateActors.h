// The computer-controlled actors near the view: they move, shoot, take the player's bullets
// and act on the player's touch.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// One frame of every actor the frame's drawing found in or near the view, in that order.
void UpdateActors(Engine& engine);

}  // namespace hopwerk
