// The painted pieces every demo picture is made of: the frog, the meadow and the caves. All
// share one warm palette so the front end and the previews look like one game.
#pragma once

#include "ArtCanvas.h"

namespace hopwerk {

namespace palette {
constexpr Rgb kSkyTop{92, 166, 226};
constexpr Rgb kSkyLow{255, 226, 168};
constexpr Rgb kSun{255, 236, 140};
constexpr Rgb kCloud{255, 252, 240};
constexpr Rgb kCloudShade{214, 226, 240};
constexpr Rgb kFarHill{150, 190, 150};
constexpr Rgb kHill{110, 184, 72};
constexpr Rgb kNearHill{78, 156, 52};
constexpr Rgb kMeadow{96, 176, 58};
constexpr Rgb kSoil{140, 92, 52};
constexpr Rgb kFrog{112, 198, 62};
constexpr Rgb kFrogDark{70, 146, 46};
constexpr Rgb kFrogBelly{222, 244, 150};
constexpr Rgb kOutline{36, 62, 30};
constexpr Rgb kInk{28, 26, 34};
constexpr Rgb kEyeWhite{252, 252, 240};
constexpr Rgb kBlush{246, 132, 112};
constexpr Rgb kCaveTop{30, 22, 48};
constexpr Rgb kCaveLow{86, 54, 70};
constexpr Rgb kRock{110, 80, 92};
constexpr Rgb kCrystal{120, 230, 220};
constexpr Rgb kPanel{28, 74, 46};
constexpr Rgb kWood{168, 104, 52};
}  // namespace palette

struct FrogLook {
  float scale = 1.0f;    // 1: about 116 pixels wide and 120 high
  bool mirror = false;   // faces left instead of right
  bool hopping = false;  // legs stretched out below, mid-jump
  bool cheer = false;    // arms up, mouth open
  int stride = -1;       // walking: 0 to 3, the phase of a step cycle; -1 standing still
};

// A frog standing (or hopping) with the middle of its feet at (x, groundY).
void DrawFrog(Canvas& canvas, float x, float groundY, const FrogLook& look);

void DrawSky(Canvas& canvas, int x, int y, int w, int h, Rgb top, Rgb low);
void DrawSun(Canvas& canvas, float cx, float cy, float radius);
void DrawCloud(Canvas& canvas, float x, float y, float size, float alpha = 1.0f);
// A rolling skyline from x to x + w filled down to the bottom edge; base is its mean top,
// wave its height, phase picks the shape.
void DrawHills(Canvas& canvas, int x, int w, int bottom, float base, float wave, float phase,
               Rgb colour, float alpha = 1.0f);
void DrawGrassTufts(Canvas& canvas, int x, int y, int w, int h, ArtRandom& rng, int count);
void DrawFlower(Canvas& canvas, float cx, float cy, float size, Rgb petals);
void DrawMeadowGround(Canvas& canvas, int x, int y, int w, int h, ArtRandom& rng);
// A cave interior filling the rectangle: dark gradient, rock floor, stalactites, crystals.
void DrawCave(Canvas& canvas, int x, int y, int w, int h, ArtRandom& rng);
void DrawBee(Canvas& canvas, float cx, float cy, float size);
void DrawSparkle(Canvas& canvas, float cx, float cy, float size, Rgb colour);

}  // namespace hopwerk
