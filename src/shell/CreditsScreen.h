// The credits: coloured text rows the player scrolls with the arrow keys.
#pragma once

#include <cstddef>
#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// Rows of the credits screen: every frame draws all of them, so an entry with more rows shows
// only its first ones. Far above any real game's credits.
constexpr size_t kMaxCreditLines = 8192;

// Rebuilds engine.data.CreditLines from a credits entry.
void LoadCredits(Engine& engine, const std::string& archive, const std::string& entry);
void CreditsScreen(Engine& engine, const std::string& archive, const std::string& entry);

}  // namespace hopwerk
