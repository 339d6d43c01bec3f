// The project-wide settings of the General archive.
#pragma once

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Reads "GenData" of the General archive into engine.project (and the console's height).
LoadFault ReadGenData(Engine& engine);
// The same at start-up, before any display exists: bad data is shown in a notice and ends the
// program.
void ReadProjectSettings(Engine& engine);

std::string GeneralArchivePath(const Engine& engine);

}  // namespace hopwerk
