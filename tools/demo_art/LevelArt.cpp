#include "LevelArt.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

#include "ActorStrips.h"
#include "Creatures.h"
#include "GadgetArt.h"
#include "Scenery.h"

namespace hopwerk {

using namespace palette;

namespace {

constexpr float kTau = 6.2831853f;

// Tiles repeat side by side, so whatever crosses an edge is drawn again one width over.
void Wrapped(int width, const std::function<void(float)>& draw) {
  for (int shift : {-width, 0, width}) draw(static_cast<float>(shift));
}

// A skyline that repeats every `width` pixels (whole waves only), filled down to `bottom`.
void DrawRepeatingHills(Canvas& c, int width, int bottom, float base, float wave, int waves,
                        float phase, Rgb colour) {
  const Rgb rim = Lighter(colour, 0.25f);
  for (int x = 0; x < width; ++x) {
    const float t = static_cast<float>(x) / static_cast<float>(width) * kTau;
    const float top = base - wave * (0.65f * std::sin(t * static_cast<float>(waves) + phase) +
                                     0.35f * std::sin(t * static_cast<float>(waves * 3) + phase));
    const float fx = static_cast<float>(x);
    c.Rect(fx, top, 1, static_cast<float>(bottom) - top, colour);
    c.Rect(fx, top, 1, 3, rim);
  }
}

// --- Backgrounds (GFX/Level/Tiles/) ---
//
// Both are 640 x 930 and repeat in both directions. A level scrolls them at a quarter of its
// speed; on ground level the camera shows rows 200 to 680, so the seam between two copies stays
// off screen until the view climbs 800 pixels above the ground.

constexpr int kBackW = 640;
constexpr int kBackH = 930;

// The meadow's hills and far trees, drawn `shadeBy` of the way toward `shade`.
void PaintMeadowHills(Canvas& c, Rgb shade, float shadeBy) {
  const auto shaded = [&](Rgb colour) { return Mix(colour, shade, shadeBy); };
  DrawRepeatingHills(c, kBackW, kBackH, 480, 34, 2, 0.6f, shaded(Mix(kFarHill, kSkyLow, 0.3f)));
  DrawRepeatingHills(c, kBackW, kBackH, 530, 26, 3, 2.2f, shaded(Mix(kHill, kFarHill, 0.35f)));
  DrawRepeatingHills(c, kBackW, kBackH, 580, 18, 5, 4.1f, shaded(Mix(kNearHill, kHill, 0.3f)));
  // Trees on the middle hills, far away.
  ArtRandom rng(41);
  for (int i = 0; i < 9; ++i) {
    const float x = 20.0f + 70.0f * static_cast<float>(i) + rng.Unit() * 30.0f;
    const float t = x / static_cast<float>(kBackW) * kTau;
    const float ground =
        530 - 26 * (0.65f * std::sin(t * 3 + 2.2f) + 0.35f * std::sin(t * 9 + 2.2f));
    Wrapped(kBackW, [&](float dx) {
      c.Rect(x + dx - 1.5f, ground - 14, 3, 16, shaded(Darker(kWood, 0.4f)));
      c.Disc(x + dx, ground - 20, 9, 11, shaded(Darker(kHill, 0.2f)));
      c.Disc(x + dx - 3, ground - 24, 4, 4, shaded(Lighter(kHill, 0.15f)));
    });
  }
}

// The meadow's sky from skyTop down to skyLow behind the sun, clouds and hills; the hills and
// trees are drawn `shadeBy` of the way toward `shade` (0 keeps their daylight colours).
void PaintMeadowScene(Canvas& c, Rgb skyTop, Rgb skyLow, Rgb shade, float shadeBy) {
  c.VerticalGradient(0, 0, kBackW, 560, skyTop, skyLow);
  c.Rect(0, 560, kBackW, kBackH - 560, skyLow);
  Wrapped(kBackW, [&](float dx) { DrawSun(c, 520 + dx, 300, 30); });
  const float clouds[][4] = {{60, 260, 0.9f, 1}, {300, 330, 0.6f, 0.9f}, {470, 240, 0.75f, 1}};
  for (const auto& k : clouds) {
    Wrapped(kBackW, [&](float dx) { DrawCloud(c, k[0] + dx, k[1], k[2], k[3]); });
  }
  PaintMeadowHills(c, shade, shadeBy);
}

void PaintMeadowBack(Canvas& c) {
  PaintMeadowScene(c, Darker(kSkyTop, 0.15f), kSkyLow, kInk, 0.0f);
}

// The meadow at dusk, for the DemoPack patch: a violet and orange sky over darkened hills, with
// the first stars out.
void PaintDuskMeadowBack(Canvas& c) {
  PaintMeadowScene(c, {44, 30, 96}, {250, 132, 76}, {58, 34, 88}, 0.45f);
  ArtRandom rng(71);
  for (int i = 0; i < 40; ++i) {
    const float x = rng.Unit() * kBackW, y = 10 + rng.Unit() * 200;
    c.Disc(x, y, 1.2f, 1.2f, {255, 250, 220}, 0.5f + 0.5f * rng.Unit());
  }
}

// A clear night over dark hills: a deep blue sky full of stars, a pale moon, and the meadow's
// hills drawn almost black, for the last episode's evening levels.
void PaintNightBack(Canvas& c) {
  c.VerticalGradient(0, 0, kBackW, 560, {10, 14, 44}, {40, 58, 112});
  c.Rect(0, 560, kBackW, kBackH - 560, {40, 58, 112});
  ArtRandom rng(83);
  for (int i = 0; i < 120; ++i) {
    const float x = rng.Unit() * kBackW, y = 10 + rng.Unit() * 410;
    const float r = 0.6f + rng.Unit() * 0.9f, alpha = 0.4f + 0.6f * rng.Unit();
    Wrapped(kBackW, [&](float dx) { c.Disc(x + dx, y, r, r, {255, 250, 226}, alpha); });
  }
  Wrapped(kBackW, [&](float dx) {
    c.Disc(470 + dx, 250, 34, 34, {120, 130, 170}, 0.25f);
    c.Disc(470 + dx, 250, 24, 24, {246, 244, 222});
    c.Disc(462 + dx, 244, 5, 4, {214, 212, 196});
    c.Disc(478 + dx, 258, 4, 3, {222, 220, 204});
  });
  PaintMeadowHills(c, {12, 18, 40}, 0.72f);
}

// Snowy peaks under a cold morning sky, for the last episode's mountain levels.
void PaintPeakBack(Canvas& c) {
  c.VerticalGradient(0, 0, kBackW, 600, {120, 170, 226}, {226, 236, 248});
  c.Rect(0, 600, kBackW, kBackH - 600, {226, 236, 248});
  Wrapped(kBackW, [&](float dx) { DrawCloud(c, 120 + dx, 200, 0.8f, 0.9f); });
  Wrapped(kBackW, [&](float dx) { DrawCloud(c, 430 + dx, 150, 0.6f, 0.8f); });
  const struct {
    float x, top, half;
    Rgb rock;
  } peaks[] = {{80, 300, 190, {120, 130, 156}},
               {330, 250, 220, {104, 114, 140}},
               {560, 320, 170, {132, 140, 164}}};
  // Each peak column by column: rock from its slope down behind the hills, snow down to a
  // ragged line, the side away from the light a shade darker.
  for (const auto& k : peaks) {
    Wrapped(kBackW, [&](float dx) {
      for (int col = static_cast<int>(-k.half); col <= static_cast<int>(k.half); ++col) {
        const float x = k.x + dx + static_cast<float>(col);
        const float top = k.top + std::abs(static_cast<float>(col)) / k.half * 330.0f;
        const float snow = k.top + 100 + 10 * std::sin(static_cast<float>(col) * 0.35f) +
                           6 * std::sin(static_cast<float>(col) * 0.11f + k.x);
        const bool shaded = col > 0;
        const Rgb rock = shaded ? Darker(k.rock, 0.15f) : k.rock;
        c.Rect(x, top, 1, 660 - top, rock);
        if (snow > top)
          c.Rect(x, top, 1, snow - top, shaded ? Rgb{220, 230, 244} : Rgb{248, 251, 255});
      }
    });
  }
  DrawRepeatingHills(c, kBackW, kBackH, 600, 22, 3, 0.9f, {96, 150, 96});
  DrawRepeatingHills(c, kBackW, kBackH, 650, 16, 5, 2.6f, {72, 128, 70});
}

void PaintCaveBack(Canvas& c) {
  c.VerticalGradient(0, 0, kBackW, kBackH, Darker(kCaveTop, 0.3f), kCaveLow);
  ArtRandom rng(53);
  for (int i = 0; i < 70; ++i) {
    const float x = rng.Unit() * kBackW, y = 150 + rng.Unit() * 620;
    const float rx = 8 + 22 * rng.Unit(), ry = 5 + 12 * rng.Unit();
    Wrapped(kBackW, [&](float dx) { c.Disc(x + dx, y, rx, ry, Lighter(kCaveTop, 0.1f), 0.5f); });
  }
  // Rock pillars far back, and a faint glow of crystals in the depth.
  for (int i = 0; i < 5; ++i) {
    const float x = 40 + 128.0f * static_cast<float>(i) + rng.Unit() * 40;
    const float w = 26 + rng.Unit() * 20;
    Wrapped(kBackW, [&](float dx) {
      c.Rect(x + dx - w / 2, 0, w, kBackH, Mix(kCaveTop, kRock, 0.35f));
      c.Rect(x + dx - w / 2, 0, 3, kBackH, Mix(kCaveTop, kRock, 0.55f));
    });
  }
  for (int i = 0; i < 14; ++i) {
    const float x = rng.Unit() * kBackW, y = 380 + rng.Unit() * 260;
    const Rgb shard = Mix(kCrystal, kCaveTop, 0.45f);
    Wrapped(kBackW, [&](float dx) {
      c.Stroke(x + dx, y + 4, x + dx - 2, y - 6, 1.6f, shard);
      c.Stroke(x + dx + 3, y + 4, x + dx + 5, y - 2, 1.2f, shard);
    });
  }
  DrawRepeatingHills(c, kBackW, kBackH, 600, 30, 3, 1.3f, Mix(kRock, kCaveTop, 0.5f));
}

// --- Level pictures (GFX/Level/Pictures/) ---

// 64 x 64: soil with pebbles; repeats sideways and downward.
void PaintSoil(Canvas& c) {
  ArtRandom rng(61);
  c.Rect(0, 0, 64, 64, Darker(kSoil, 0.12f));
  for (int i = 0; i < 16; ++i) {
    const float x = rng.Unit() * 64, y = 4 + rng.Unit() * 56;
    const float r = 1.5f + 2.5f * rng.Unit();
    const Rgb pebble = rng.Unit() < 0.5f ? Lighter(kSoil, 0.3f) : Darker(kSoil, 0.35f);
    Wrapped(64, [&](float dx) { c.Disc(x + dx, y, r, r * 0.8f, pebble); });
  }
}

// 64 x 64: the same soil under a grass edge, the top row of the ground.
void PaintGround(Canvas& c) {
  PaintSoil(c);
  c.Rect(0, 0, 64, 12, kMeadow);
  c.Rect(0, 0, 64, 3, Lighter(kMeadow, 0.35f));
  for (int x = 0; x < 64; x += 4) {
    const float drop = 3 + static_cast<float>((x * 7) % 5);
    c.Rect(static_cast<float>(x), 12, 3, drop, Darker(kMeadow, 0.2f));
  }
}

// 64 x 64: rough rock with a pale crystal vein, for the caves.
void PaintCaveFloor(Canvas& c) {
  ArtRandom rng(67);
  c.VerticalGradient(0, 0, 64, 64, kRock, Darker(kRock, 0.35f));
  for (int i = 0; i < 10; ++i) {
    const float x = rng.Unit() * 64, y = 10 + rng.Unit() * 50;
    const float r = 3 + 4 * rng.Unit();
    Wrapped(64, [&](float dx) { c.Disc(x + dx, y, r, r * 0.7f, Darker(kRock, 0.2f)); });
  }
  c.Rect(0, 0, 64, 4, Lighter(kRock, 0.3f));
  for (int i = 0; i < 5; ++i) {
    const float x = rng.Unit() * 64, y = 14 + rng.Unit() * 44;
    Wrapped(64, [&](float dx) { c.Rect(x + dx, y, 2, 2, Mix(kCrystal, kRock, 0.3f)); });
  }
}

// 32 x 32: a bevelled stone block.
void PaintStone(Canvas& c) {
  const Rgb stone{150, 146, 160};
  c.Rect(0, 0, 32, 32, Darker(stone, 0.45f));
  c.Rect(1, 1, 30, 30, stone);
  c.Rect(1, 1, 30, 3, Lighter(stone, 0.35f));
  c.Rect(1, 1, 3, 30, Lighter(stone, 0.2f));
  c.Rect(1, 28, 30, 3, Darker(stone, 0.25f));
  c.Rect(28, 1, 3, 30, Darker(stone, 0.2f));
  c.Line(10, 10, 15, 17, Darker(stone, 0.3f));
  c.Line(15, 17, 13, 23, Darker(stone, 0.3f));
}

// 64 x 16: a plank with a mossy top, nailed at both ends.
void PaintLedge(Canvas& c) {
  c.Rect(0, 0, 64, 16, Darker(kWood, 0.5f));
  c.Rect(0, 1, 64, 14, kWood);
  c.Rect(0, 1, 64, 2, Lighter(kWood, 0.3f));
  c.Line(0, 8, 64, 8, Darker(kWood, 0.25f));
  c.Rect(0, 0, 64, 3, kMeadow);
  for (float x : {5.0f, 59.0f}) c.Disc(x, 10, 1.5f, 1.5f, Darker(kWood, 0.6f));
}

// 64 x 16: a shelf of cave rock, the cave's own ledge: a pale worn top, pebbles, a glint of
// crystal, and no moss.
void PaintCaveLedge(Canvas& c) {
  c.Rect(0, 0, 64, 16, Darker(kRock, 0.45f));
  c.VerticalGradient(0, 1, 64, 14, Lighter(kRock, 0.1f), Darker(kRock, 0.25f));
  c.Rect(0, 1, 64, 2, Lighter(kRock, 0.35f));
  for (const float x : {9.0f, 27.0f, 44.0f, 58.0f}) {
    c.Disc(x, 9, 2.5f, 1.8f, Darker(kRock, 0.3f));
  }
  c.Stroke(36, 12, 38, 6, 1.0f, Mix(kCrystal, kRock, 0.3f));
  c.Pixel(38, 6, Lighter(kCrystal, 0.5f));
}

// 64 x 40: a round bush.
void PaintBush(Canvas& c) {
  const float puffs[][3] = {{16, 26, 14}, {32, 20, 18}, {48, 26, 14}, {26, 30, 12}, {40, 30, 12}};
  for (const auto& p : puffs) c.Disc(p[0], p[1], p[2] + 2, p[2], kOutline);
  for (const auto& p : puffs) c.Disc(p[0], p[1], p[2], p[2] - 2, kNearHill);
  for (const auto& p : puffs) c.Disc(p[0] - 3, p[1] - 4, p[2] * 0.45f, p[2] * 0.35f, kHill);
  c.Disc(24, 18, 2, 2, {255, 120, 140});
  c.Disc(44, 24, 2, 2, {255, 120, 140});
}

// 4 cells of 32 x 48: a flower swaying in the wind.
void PaintFlowerStrip(Canvas& c) {
  const float sway[4] = {-3, 0, 3, 0};
  for (int f = 0; f < 4; ++f) {
    const float ox = 32.0f * static_cast<float>(f);
    const float headX = ox + 16 + sway[f], headY = 14;
    c.Stroke(ox + 16, 47, headX, headY + 4, 1.2f, Darker(kMeadow, 0.3f));
    c.Disc(ox + 11 + sway[f] * 0.4f, 34, 5, 2.5f, kMeadow);
    c.Disc(ox + 21 + sway[f] * 0.5f, 28, 5, 2.5f, kMeadow);
    for (int k = 0; k < 6; ++k) {
      const float a = static_cast<float>(k) * kTau / 6.0f + sway[f] * 0.05f;
      c.Disc(headX + std::cos(a) * 6, headY + std::sin(a) * 6, 4.5f, 4.5f, {255, 150, 176});
    }
    c.Disc(headX, headY, 4, 4, {255, 214, 60});
  }
}

// 4 cells of 48 x 96: a pennant on a pole, waving.
void PaintFlagStrip(Canvas& c) {
  for (int f = 0; f < 4; ++f) {
    const float ox = 48.0f * static_cast<float>(f);
    c.Rect(ox + 4, 6, 4, 90, Darker(kWood, 0.3f));
    c.Rect(ox + 4, 6, 2, 90, Lighter(kWood, 0.2f));
    c.Disc(ox + 6, 6, 4, 4, {255, 214, 60});
    for (int x = 0; x < 36; ++x) {
      const float t = static_cast<float>(x) / 36.0f;
      const float wave = std::sin(t * 5.0f - static_cast<float>(f) * kTau / 4.0f) * 3.0f * t;
      const float h = 26.0f * (1.0f - t * 0.6f);
      const float top = 12 + wave + (26.0f - h) / 2;
      const Rgb cloth = Mix({232, 56, 64}, {255, 120, 90}, 0.5f + 0.5f * std::sin(t * 5.0f));
      c.Rect(ox + 8 + static_cast<float>(x), top, 1, h, cloth);
    }
  }
}

// 3 cells of 32 x 48: a crystal cluster with a glint that wanders from spike to spike.
void PaintCrystalStrip(Canvas& c) {
  const float spikes[][3] = {{16, 8, 4}, {9, 20, 3}, {23, 18, 3}};
  for (int f = 0; f < 3; ++f) {
    const float ox = 32.0f * static_cast<float>(f);
    for (const auto& s : spikes) {
      c.Stroke(ox + s[0], 46, ox + s[0], s[1], s[2] + 1, Darker(kCrystal, 0.5f));
      c.Stroke(ox + s[0], 46, ox + s[0], s[1], s[2], kCrystal);
      c.Stroke(ox + s[0] - 1, 44, ox + s[0] - 1, s[1] + 3, 1, Lighter(kCrystal, 0.6f));
    }
    DrawSparkle(c, ox + spikes[f][0], spikes[f][1] + 2, 4, {255, 255, 240});
  }
}

// --- Actors (GFX/Level/Actors/<bundle>/) ---

constexpr int kFrogCell = 48;
constexpr float kFrogScale = 0.34f;

// 4 cells: the frog's step cycle, facing right (the engine mirrors it for walking left).
void PaintFrogWalk(Canvas& c) {
  for (int f = 0; f < 4; ++f) {
    FrogLook look;
    look.scale = kFrogScale;
    look.stride = f;
    DrawFrog(c, static_cast<float>(kFrogCell * f + kFrogCell / 2), kFrogCell, look);
  }
}

// 3 cells: the take-off, the stretch of the hop, and the fall with arms up (the fall shows the
// last cell).
void PaintFrogJump(Canvas& c) {
  for (int f = 0; f < 3; ++f) {
    FrogLook look;
    look.scale = kFrogScale * (f == 0 ? 1.0f : 0.92f);
    look.hopping = f > 0;
    look.cheer = f == 2;
    DrawFrog(c, static_cast<float>(kFrogCell * f + kFrogCell / 2), kFrogCell, look);
  }
}

// A beetle in a 40 x 28 cell with its feet on the bottom row; legs alternate with `step`.
void DrawBeetle(Canvas& c, float ox, int step, bool upsideDown) {
  const Rgb shell{214, 52, 60}, dark{120, 24, 40};
  auto Y = [&](float y) { return upsideDown ? 28.0f - y : y; };
  for (int leg = 0; leg < 3; ++leg) {
    const float lx = ox + 10 + 9.0f * static_cast<float>(leg);
    const float swing = ((leg + step) % 2 == 0) ? -2.0f : 2.0f;
    c.Stroke(lx, Y(20), lx + swing, Y(27), 1.2f, kInk);
  }
  c.Disc(ox + 19, Y(17), 15, 10, kInk);
  c.Disc(ox + 19, Y(17), 13.5f, 8.5f, shell);
  c.Line(ox + 19, Y(8), ox + 19, Y(25), dark);
  for (const float sx : {13.0f, 24.0f}) c.Disc(ox + sx, Y(15), 2.2f, 2.2f, kInk);
  c.Disc(ox + 15, Y(11), 3, 1.6f, Lighter(shell, 0.5f));
  c.Disc(ox + 33, Y(18), 6, 6, kInk);
  c.Disc(ox + 35, Y(16), 1.6f, 1.6f, kEyeWhite);
  const float twitch = step == 0 ? 0.0f : 2.0f;
  c.Stroke(ox + 35, Y(13), ox + 38, Y(6 - twitch), 0.8f, kInk);
  c.Stroke(ox + 33, Y(13), ox + 34, Y(5 + twitch), 0.8f, kInk);
}

// --- Collectables (GFX/Level/Collectable/) ---

// 6 cells of 24 x 24: a gold coin turning.
void PaintCoinStrip(Canvas& c) {
  const Rgb gold{255, 206, 60}, deep{206, 136, 30};
  for (int f = 0; f < 6; ++f) {
    const float ox = 24.0f * static_cast<float>(f) + 12;
    const float w = std::max(1.5f, 10.0f * std::fabs(std::cos(static_cast<float>(f) * kTau / 12)));
    c.Disc(ox, 12, w + 1, 11, Darker(deep, 0.4f));
    c.Disc(ox, 12, w, 10, deep);
    c.Disc(ox - w * 0.15f, 11, std::max(1.0f, w - 2), 8, gold);
    if (w > 4) c.Rect(ox - 1, 7, 2, 10, Lighter(gold, 0.5f));
  }
}

// 24 x 24: a cut gem.
void PaintGem(Canvas& c) {
  for (int row = 0; row < 22; ++row) {
    const float t = static_cast<float>(row);
    const float half = row < 8 ? 4 + t * 1.1f : 12.8f * (21 - t) / 13;
    c.Rect(12 - half - 1, 1 + t, 2 * half + 2, 1, Darker(kCrystal, 0.6f));
    c.Rect(12 - half, 1 + t, 2 * half, 1, Mix(kCrystal, {60, 120, 230}, t / 22));
  }
  c.Rect(8, 4, 3, 4, Lighter(kCrystal, 0.7f));
  c.Line(2, 9, 22, 9, Lighter(kCrystal, 0.3f));
}

// 24 x 24: a small sack of seeds, ammunition for the seed spitter.
void PaintSeedBag(Canvas& c) {
  const Rgb sack{206, 170, 110};
  c.Disc(12, 15, 9, 8, Darker(sack, 0.6f));
  c.Disc(12, 15, 8, 7, sack);
  c.Rect(9, 4, 6, 5, sack);
  c.Rect(8, 8, 8, 2, Darker(kWood, 0.3f));
  c.Disc(10, 13, 2.5f, 2, Lighter(sack, 0.4f));
  for (const float sx : {9.0f, 13.0f, 16.0f}) c.Disc(sx, 18, 1.5f, 1.2f, Darker(kWood, 0.2f));
}

// 40 x 48: the golden frog statue that ends the level.
void PaintGoal(Canvas& c) {
  const Rgb gold{255, 206, 60}, deep{206, 136, 30};
  c.Rect(8, 38, 24, 10, Darker(deep, 0.3f));
  c.Rect(10, 38, 20, 3, Lighter(gold, 0.3f));
  FrogLook look;
  look.scale = 0.28f;
  look.cheer = true;
  Canvas frog(40, 40);
  DrawFrog(frog, 20, 38, look);
  Layer golden = frog.Grab();
  for (uint32_t& p : golden.pixels) {
    if (p == 0) continue;
    const float lum =
        (static_cast<float>((p >> 16) & 255) * 0.3f + static_cast<float>((p >> 8) & 255) * 0.59f +
         static_cast<float>(p & 255) * 0.11f) /
        255.0f;
    const Rgb g = Mix(Darker(deep, 0.5f), Lighter(gold, 0.4f), lum);
    p = 0xff000000u | (static_cast<uint32_t>(g.r) << 16) | (static_cast<uint32_t>(g.g) << 8) |
        static_cast<uint32_t>(g.b);
  }
  c.Paste(golden, 0, 0);
}

bool Paint(int w, int h, bool opaque, const std::string& path,
           const std::function<void(Canvas&)>& paint) {
  Canvas canvas(w, h);
  paint(canvas);
  return canvas.Save(path, opaque);
}

}  // namespace

bool WriteLevelArt(const std::string& gfxFolder) {
  const std::string tiles = gfxFolder + "Level/Tiles/";
  const std::string pictures = gfxFolder + "Level/Pictures/";
  const std::string frog = gfxFolder + "Level/Actors/Frog/";
  const std::string actors = gfxFolder + "Level/Actors/";
  const std::string beetle = actors + "Beetle/";
  const std::string collectables = gfxFolder + "Level/Collectable/";
  for (const std::string& folder : {tiles, pictures, frog, beetle, collectables}) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;
  }
  bool ok = Paint(kBackW, kBackH, true, tiles + "MeadowBack.png", PaintMeadowBack);
  ok = Paint(kBackW, kBackH, true, tiles + "CaveBack.png", PaintCaveBack) && ok;
  ok = Paint(kBackW, kBackH, true, tiles + "NightBack.png", PaintNightBack) && ok;
  ok = Paint(kBackW, kBackH, true, tiles + "PeakBack.png", PaintPeakBack) && ok;

  ok = Paint(64, 64, true, pictures + "Ground.png", PaintGround) && ok;
  ok = Paint(64, 64, true, pictures + "Soil.png", PaintSoil) && ok;
  ok = Paint(64, 64, true, pictures + "CaveFloor.png", PaintCaveFloor) && ok;
  ok = Paint(64, 16, true, pictures + "CaveLedge.png", PaintCaveLedge) && ok;
  ok = Paint(32, 32, true, pictures + "Stone.png", PaintStone) && ok;
  ok = Paint(64, 16, true, pictures + "Ledge.png", PaintLedge) && ok;
  ok = Paint(64, 40, false, pictures + "Bush.png", PaintBush) && ok;
  ok = Paint(128, 48, false, pictures + "Flower.png", PaintFlowerStrip) && ok;
  ok = Paint(192, 96, false, pictures + "Flag.png", PaintFlagStrip) && ok;
  ok = Paint(96, 48, false, pictures + "Crystal.png", PaintCrystalStrip) && ok;

  ok = Paint(4 * kFrogCell, kFrogCell, false, frog + "Walk.png", PaintFrogWalk) && ok;
  ok = Paint(3 * kFrogCell, kFrogCell, false, frog + "Jump.png", PaintFrogJump) && ok;
  ok = WriteDeathStrip(frog + "Die.png", kFrogCell, kFrogCell, DeathPicture::Puff,
                       [](Canvas& c, float ox, int) {
                         FrogLook look;
                         look.scale = kFrogScale;
                         DrawFrog(c, ox + kFrogCell / 2, kFrogCell, look);
                       }) &&
       ok;
  ok = Paint(80, 28, false, beetle + "Walk.png",
             [](Canvas& c) {
               DrawBeetle(c, 0, 0, false);
               DrawBeetle(c, 40, 1, false);
             }) &&
       ok;
  ok = Paint(40, 28, false, beetle + "Die.png", [](Canvas& c) { DrawBeetle(c, 0, 0, true); }) && ok;

  ok = Paint(144, 24, false, collectables + "Coin.png", PaintCoinStrip) && ok;
  ok = Paint(24, 24, false, collectables + "Gem.png", PaintGem) && ok;
  ok = Paint(24, 24, false, collectables + "SeedBag.png", PaintSeedBag) && ok;
  ok = Paint(40, 48, false, collectables + "Goal.png", PaintGoal) && ok;

  ok = WriteWalkerArt(actors) && ok;
  ok = WriteFlyerArt(actors) && ok;
  ok = WriteGadgetArt(gfxFolder) && ok;
  return ok;
}

bool WritePatchArt(const std::string& gfxFolder) {
  const std::string tiles = gfxFolder + "Level/Tiles/";
  std::error_code error;
  std::filesystem::create_directories(tiles, error);
  if (error) return false;
  return Paint(kBackW, kBackH, true, tiles + "MeadowBack.png", PaintDuskMeadowBack);
}

}  // namespace hopwerk
