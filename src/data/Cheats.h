// The cheat codes of the General archive, stored lightly scrambled.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

void LoadCheats(Engine& engine);

}  // namespace hopwerk
