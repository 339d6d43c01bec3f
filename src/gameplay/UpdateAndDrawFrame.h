// The first step of every pass of the level loop: the world moved on and drawn, not presented.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

void UpdateAndDrawFrame(Engine& engine);

}  // namespace hopwerk
