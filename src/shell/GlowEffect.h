// The engine's one decorative background: large soft light blobs that drift, bounce and swing.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Makes the glow picture and scatters the blobs; run right after a display has been opened.
void PrepareGlowEffect(Engine& engine);
// Clears the screen and draws one frame of the effect: 60 blobs, or 8 when manyBlobs is 0.
void DrawGlowEffect(Engine& engine, int manyBlobs);
// Moves blob i one step and bounces it off the edges of the bounce area.
void MoveGlowBlob(GlowState& glow, int i);
// The 512x512 light: brightness falls from 254 in the middle to black at the rim.
PicturePtr MakeGlowPicture(Platform& platform);

}  // namespace hopwerk
