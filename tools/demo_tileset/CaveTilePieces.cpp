#include <utility>

#include "Scenery.h"
#include "TilePieces.h"

namespace hopwerk {

using namespace palette;

namespace {

// Whatever crosses an edge of a piece that repeats both ways is drawn again one size over.
template <typename Draw>
void WrappedBoth(int size, Draw draw) {
  for (int sy : {-size, 0, size}) {
    for (int sx : {-size, 0, size}) draw(static_cast<float>(sx), static_cast<float>(sy));
  }
}

}  // namespace

void PaintCaveRock(Canvas& c) {
  // Darker than the blocks that wall the passages, so the rock behind them reads as mass and
  // the blocks as the edge the frog walks on.
  const Rgb base = Darker(kRock, 0.3f);
  ArtRandom rng(89);
  c.Rect(0, 0, 64, 64, base);
  for (int i = 0; i < 9; ++i) {
    const float x = rng.Unit() * 64, y = rng.Unit() * 64;
    const float r = 3 + 4 * rng.Unit();
    WrappedBoth(
        64, [&](float dx, float dy) { c.Disc(x + dx, y + dy, r, r * 0.7f, Darker(base, 0.12f)); });
  }
  // Pebbles lit from above, so the rock reads as lumps and not as noise.
  for (int i = 0; i < 7; ++i) {
    const float x = rng.Unit() * 64, y = rng.Unit() * 64;
    const float r = 1.5f + 1.2f * rng.Unit();
    WrappedBoth(64, [&](float dx, float dy) {
      c.Disc(x + dx, y + dy + 1, r, r * 0.8f, Darker(base, 0.3f));
      c.Disc(x + dx, y + dy, r, r * 0.8f, Lighter(base, 0.1f));
    });
  }
  for (int i = 0; i < 3; ++i) {
    const int x = rng.Range(0, 62), y = rng.Range(0, 62);
    c.Rect(static_cast<float>(x), static_cast<float>(y), 2, 1, Mix(kCrystal, kRock, 0.4f));
  }
}

void PaintCaveStone(Canvas& c) {
  // The meadow's stone block gone mauve with the cave's rock: the same bevel, so the caves'
  // walls and floors read as blocks the frog stands on.
  const Rgb stone = Mix({150, 146, 160}, kRock, 0.4f);
  const Rgb edge = Darker(stone, 0.5f);
  c.Rect(0, 0, 32, 32, edge);
  c.Rect(1, 1, 30, 30, stone);
  c.Rect(1, 1, 30, 3, Lighter(stone, 0.3f));
  c.Rect(1, 1, 3, 30, Lighter(stone, 0.15f));
  c.Rect(1, 28, 30, 3, Darker(stone, 0.25f));
  c.Rect(28, 1, 3, 30, Darker(stone, 0.2f));
  // Worn corners and a pit or two: older and rougher than the meadow's masonry.
  for (const int x : {1, 30}) {
    for (const int y : {1, 30}) c.Pixel(x, y, edge);
  }
  for (const auto& pit : {std::pair{21.0f, 20.0f}, {9.0f, 22.0f}}) {
    c.Disc(pit.first, pit.second, 1.5f, 1.1f, Darker(stone, 0.25f));
    c.Pixel(static_cast<int>(pit.first), static_cast<int>(pit.second) + 2, Lighter(stone, 0.2f));
  }
  c.Line(8, 8, 13, 12, Darker(stone, 0.3f));
  c.Line(13, 12, 12, 17, Darker(stone, 0.3f));
}

}  // namespace hopwerk
