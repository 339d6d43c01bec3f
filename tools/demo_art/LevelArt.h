// The pictures of the demo's levels: tiles and backgrounds, decorations, the actors' picture
// strips and the collectables. Sizes here are the sizes the level sources are written against.
#pragma once

#include <string>

namespace hopwerk {

// Writes GFX/Level/Tiles/, Pictures/, Actors/ and Collectable/ under gfxFolder (ending in "/"),
// creating the folders; false on a failure.
bool WriteLevelArt(const std::string& gfxFolder);

}  // namespace hopwerk
