// Taking a pick-up: score, health, ammunition, a script, its sound and a key.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// The player has touched `item` (a collectable object): it leaves the level and gives what
// its kind gives.
void TakeCollectable(Engine& engine, ObjectType& item);

}  // namespace hopwerk
