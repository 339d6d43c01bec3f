// The pieces of the themed tilesets that only the tileset sheets need: painted here, in memory,
// with demo-art's brushes and palette, so they never land in the game's Data/ unused. Each
// repeats sideways at its own width, and the fills downward too.
#pragma once

#include "ArtCanvas.h"

namespace hopwerk {

// Caves: 64 x 64 rock that carries on below the cave floor's top rows, and a 32 x 32 block of
// the same rock, chipped, with a crystal glint.
void PaintCaveRock(Canvas& c);
void PaintCaveStone(Canvas& c);

// Peaks: 64 x 64 frozen soil, the same under a snow cap, a 32 x 32 frosted stone block, and a
// 64 x 32 snowy plank with icicles hanging into the empty half of its cells.
void PaintFrozenSoil(Canvas& c);
void PaintSnowGround(Canvas& c);
void PaintFrostStone(Canvas& c);
void PaintSnowLedge(Canvas& c);

}  // namespace hopwerk
