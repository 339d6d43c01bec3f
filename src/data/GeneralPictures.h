// The pictures of the front-end screens, loaded once at start-up.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// A project picture from Data/GFX/General/, or a built-in one; reports either on the console.
// A built-in picture that cannot be had is a fault of the engine itself.
PicturePtr LoadGeneralPicture(Engine& engine, const std::string& name, bool builtIn);
void LoadFrontEndPictures(Engine& engine);

}  // namespace hopwerk
