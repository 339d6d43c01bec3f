// The demo's computer-controlled creatures, one picture bundle each under GFX/Level/Actors/.
// Cell sizes here are the sizes the actor definitions in demo/Actors are written against.
#pragma once

#include <string>

namespace hopwerk {

// Ant, Hedgehog, Mouse, Boar, Lizard and Snapper into actorsFolder (ending in "/").
bool WriteWalkerArt(const std::string& actorsFolder);
// Bird, Spider and Wasp into actorsFolder (ending in "/").
bool WriteFlyerArt(const std::string& actorsFolder);

}  // namespace hopwerk
