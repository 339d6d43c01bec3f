// The player's settings file: four key bindings and the performance level.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

std::string ConfigFile(const Engine& engine);
// Reads Config.PCF; a missing file leaves the defaults, unknown tags are skipped alone.
void LoadConfig(Engine& engine);
// Writes the five settings records; returns whether the file could be written.
bool SaveConfig(Engine& engine);

}  // namespace hopwerk
