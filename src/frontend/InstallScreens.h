// Wires the screens of the front end into the engine's hooks.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

void InstallFrontEndScreens(Engine& engine);

}  // namespace hopwerk
