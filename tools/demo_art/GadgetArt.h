// The moving parts of the demo's levels and the new pick-ups: spikes, springs, conveyor belts,
// the gate, the lever switch, the fly that heals and the keys.
#pragma once

#include <string>

namespace hopwerk {

// Writes into GFX/Level/Pictures/, Switch/ and Collectable/ under gfxFolder (ending in "/"),
// creating the Switch folder; false on a failure.
bool WriteGadgetArt(const std::string& gfxFolder);

}  // namespace hopwerk
