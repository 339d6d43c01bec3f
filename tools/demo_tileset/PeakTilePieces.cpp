#include <functional>
#include <utility>

#include "Scenery.h"
#include "TilePieces.h"

namespace hopwerk {

using namespace palette;

namespace {

constexpr Rgb kSnow{236, 243, 252};
constexpr Rgb kSnowLit{252, 253, 255};
constexpr Rgb kSnowShade{192, 210, 236};
constexpr Rgb kIce{168, 214, 242};
// The soil and wood of the meadow, cooled: the same materials under a winter sky.
constexpr Rgb kCold{84, 96, 128};

void Wrapped(int width, const std::function<void(float)>& draw) {
  for (int shift : {-width, 0, width}) draw(static_cast<float>(shift));
}

// An icicle hanging from (x, top): a sliver narrowing to a point, lit on its left.
void DrawIcicle(Canvas& c, int x, int top, int length) {
  for (int row = 0; row < length; ++row) {
    const int width = row < length / 3 ? 3 : (row < 2 * length / 3 ? 2 : 1);
    c.Rect(static_cast<float>(x), static_cast<float>(top + row), static_cast<float>(width), 1,
           kIce);
    if (width > 1) c.Pixel(x, top + row, kSnowLit);
  }
}

}  // namespace

void PaintFrozenSoil(Canvas& c) {
  const Rgb soil = Darker(Mix(kSoil, kCold, 0.5f), 0.12f);
  ArtRandom rng(97);
  c.Rect(0, 0, 64, 64, soil);
  for (int i = 0; i < 16; ++i) {
    const float x = rng.Unit() * 64, y = 4 + rng.Unit() * 56;
    const float r = 1.5f + 2.5f * rng.Unit();
    const Rgb pebble = rng.Unit() < 0.5f ? Lighter(soil, 0.25f) : Darker(soil, 0.35f);
    Wrapped(64, [&](float dx) { c.Disc(x + dx, y, r, r * 0.8f, pebble); });
  }
  // Rime in the cracks: pale specks, a few pebbles glazed with ice.
  for (int i = 0; i < 6; ++i) {
    const int x = rng.Range(0, 63), y = rng.Range(1, 62);
    c.Pixel(x, y, Mix(kSnowShade, soil, 0.3f));
  }
  for (int i = 0; i < 2; ++i) {
    const float x = rng.Unit() * 64, y = 8 + rng.Unit() * 50;
    Wrapped(64, [&](float dx) {
      c.Disc(x + dx, y, 2, 1.5f, Mix(kIce, soil, 0.35f));
      c.Pixel(static_cast<int>(x + dx) - 1, static_cast<int>(y) - 1, kSnowLit);
    });
  }
}

void PaintSnowGround(Canvas& c) {
  PaintFrozenSoil(c);
  const Rgb soil = Darker(Mix(kSoil, kCold, 0.5f), 0.12f);
  // The cap's lower edge hangs in lumps, each with its shadow on the soil under it.
  const float sags[8] = {3.5f, 2.0f, 4.5f, 2.5f, 3.0f, 5.0f, 2.0f, 4.0f};
  for (int i = 0; i < 8; ++i) {
    const float x = 8.0f * static_cast<float>(i) + 4;
    Wrapped(64, [&](float dx) {
      c.Disc(x + dx, 10, 5, sags[i] + 2, Darker(soil, 0.4f));
      c.Disc(x + dx, 9, 5, sags[i], kSnowShade);
      c.Disc(x + dx - 1, 8, 3.5f, sags[i] - 1, kSnow);
    });
  }
  c.Rect(0, 0, 64, 10, kSnow);
  c.Rect(0, 7, 64, 3, Mix(kSnow, kSnowShade, 0.5f));
  c.Rect(0, 0, 64, 2, kSnowLit);
  // Dimples in the snow, and icicles where the cap overhangs most.
  ArtRandom rng(101);
  for (int i = 0; i < 7; ++i) {
    const int x = rng.Range(1, 61), y = rng.Range(3, 6);
    c.Rect(static_cast<float>(x), static_cast<float>(y), 2, 1, kSnowShade);
  }
  for (const int x : {14, 37, 53}) DrawIcicle(c, x, 11, 5 + (x % 3));
}

void PaintFrostStone(Canvas& c) {
  // The meadow's stone block in the cold: bluer, with rime caught on its top edge. Only a
  // little: ridges are walled with hundreds of these, and a white band on each would stripe.
  const Rgb stone{146, 158, 184};
  c.Rect(0, 0, 32, 32, Darker(stone, 0.5f));
  c.Rect(1, 1, 30, 30, stone);
  c.Rect(1, 1, 30, 3, Lighter(stone, 0.35f));
  c.Rect(1, 1, 3, 30, Lighter(stone, 0.2f));
  c.Rect(1, 28, 30, 3, Darker(stone, 0.25f));
  c.Rect(28, 1, 3, 30, Darker(stone, 0.2f));
  for (const int x : {3, 9, 10, 17, 23, 24, 25}) c.Pixel(x, 1, kSnowLit);
  for (const int x : {9, 24}) c.Pixel(x, 2, kSnowLit);
  c.Line(18, 9, 14, 15, Darker(stone, 0.3f));
  c.Line(14, 15, 17, 22, Darker(stone, 0.3f));
  for (const auto& speck : {std::pair{7, 17}, {24, 12}, {22, 23}}) {
    c.Pixel(speck.first, speck.second, Lighter(stone, 0.45f));
  }
}

void PaintSnowLedge(Canvas& c) {
  const Rgb wood = Mix(kWood, kCold, 0.4f);
  c.Rect(0, 2, 64, 14, Darker(wood, 0.5f));
  c.Rect(0, 3, 64, 12, wood);
  c.Line(0, 9, 64, 9, Darker(wood, 0.25f));
  c.Rect(0, 10, 64, 1, Lighter(wood, 0.15f));
  for (float x : {5.0f, 59.0f}) c.Disc(x, 12, 1.5f, 1.5f, Darker(wood, 0.6f));
  // Snow piled on the plank, slumping over its front in places.
  for (int x = 0; x < 64; x += 8) {
    const float sag = 1.0f + static_cast<float>((x * 3) % 5) * 0.5f;
    c.Disc(static_cast<float>(x) + 4, 4, 4.5f, sag, kSnowShade);
  }
  c.Rect(0, 0, 64, 4, kSnow);
  c.Rect(0, 0, 64, 1, kSnowLit);
  for (const int x : {10, 24, 33, 47, 55}) DrawIcicle(c, x, 16, 4 + (x * 7) % 6);
}

}  // namespace hopwerk
