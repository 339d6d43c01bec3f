// The project-wide settings of the General archive.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Reads "GenData" of the General archive into engine.project (and the console's height).
// Runs before any display exists, so bad data ends the program through a notice.
void ReadProjectSettings(Engine& engine);

std::string GeneralArchivePath(const Engine& engine);

}  // namespace hopwerk
