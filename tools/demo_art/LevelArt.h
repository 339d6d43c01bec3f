// The pictures of the demo's levels: tiles and backgrounds, decorations, the actors' picture
// strips and the collectables. Sizes here are the sizes the level sources are written against.
#pragma once

#include <string>

namespace hopwerk {

// Writes GFX/Level/Tiles/, Pictures/, Actors/ and Collectable/ under gfxFolder (ending in "/"),
// creating the folders; false on a failure.
bool WriteLevelArt(const std::string& gfxFolder);

// Writes the DemoPack patch's pictures under gfxFolder (its Data/GFX/, ending in "/"): the
// meadow's backdrop at dusk, in place of the game's; false on a failure.
bool WritePatchArt(const std::string& gfxFolder);

}  // namespace hopwerk
