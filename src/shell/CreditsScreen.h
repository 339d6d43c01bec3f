// The credits: coloured text rows the player scrolls with the arrow keys.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// Rebuilds engine.data.CreditLines from a credits entry.
void LoadCredits(Engine& engine, const std::string& archive, const std::string& entry);
void CreditsScreen(Engine& engine, const std::string& archive, const std::string& entry);

}  // namespace hopwerk
