// Switches: used once, some only with a key.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// The player touches switch `s`. A switch that waits for the activate key does nothing until
// it is held; one that needs a key the player lacks says so for as long as the key is held;
// otherwise it takes its key if it should, starts its script and shows its used picture.
void TryToUseSwitch(Engine& engine, ObjectType& s);

}  // namespace hopwerk
