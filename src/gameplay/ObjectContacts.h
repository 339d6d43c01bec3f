// What the player touches each frame: spikes, springs and conveyors, pick-ups and switches.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// One pass over the frame's active objects, in their order: damaging decorations hurt, pushers
// move the player (and take the next frame's input away), collectables are taken and switches
// used.
void UpdateObjectContacts(Engine& engine);

}  // namespace hopwerk
