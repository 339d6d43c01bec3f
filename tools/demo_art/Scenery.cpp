#include "Scenery.h"

#include <algorithm>
#include <cmath>

namespace hopwerk {

using namespace palette;

namespace {

struct Blob {
  float x, y, rx, ry;  // centre and radii in frog units (x to the right, y up from the feet)
  Rgb colour;
};

struct Limb {
  float x1, y1, x2, y2, radius;
  Rgb colour;
};

}  // namespace

void DrawFrog(Canvas& canvas, float x, float groundY, const FrogLook& look) {
  const float s = look.scale;
  const float dir = look.mirror ? -1.0f : 1.0f;
  const float lift = look.hopping ? 22.0f : 0.0f;
  auto px = [&](float u) { return x + dir * u * s; };
  auto py = [&](float v) { return groundY - (v + lift) * s; };

  std::vector<Limb> limbs;
  std::vector<Blob> body;
  if (look.hopping) {
    limbs.push_back({-26, 22, -40, -4, 9, kFrogDark});
    limbs.push_back({-40, -4, -30, -20, 7, kFrogDark});
    limbs.push_back({26, 22, 40, -4, 9, kFrogDark});
    limbs.push_back({40, -4, 30, -20, 7, kFrogDark});
    body.push_back({-30, -22, 14, 6, kFrog});
    body.push_back({30, -22, 14, 6, kFrog});
  } else {
    // A step cycle: feet together, back foot swinging forward, feet together, front foot
    // reaching out; the body bobs up while a foot is off the ground.
    const int phase = look.stride < 0 ? 0 : look.stride % 4;
    const float backLift = phase == 1 ? 7.0f : 0.0f, frontLift = phase == 3 ? 7.0f : 0.0f;
    const float reach = phase == 1 ? 8.0f : (phase == 3 ? 6.0f : 0.0f);
    body.push_back({-34, 20 + backLift * 0.5f, 22, 20, kFrogDark});
    body.push_back({34, 20 + frontLift * 0.5f, 22, 20, kFrogDark});
    body.push_back({-42 + (phase == 1 ? reach : 0.0f), 5 + backLift, 16, 6, kFrog});
    body.push_back({42 + (phase == 3 ? reach : 0.0f), 5 + frontLift, 16, 6, kFrog});
  }
  body.push_back({0, 36, 38, 36, kFrog});     // body
  body.push_back({0, 78, 46, 28, kFrog});     // head
  body.push_back({-22, 100, 18, 17, kFrog});  // eye bumps
  body.push_back({22, 100, 18, 17, kFrog});
  if (look.cheer) {
    limbs.push_back({-30, 46, -58, 96, 6.5f, kFrog});
    limbs.push_back({30, 46, 58, 96, 6.5f, kFrog});
  } else {
    body.push_back({-16, 6, 10, 6, kFrog});
    body.push_back({16, 6, 10, 6, kFrog});
  }

  // One dark silhouette first, so every part shares a single clean outline.
  const float edge = 3.0f;
  for (const Limb& l : limbs) {
    canvas.Stroke(px(l.x1), py(l.y1), px(l.x2), py(l.y2), (l.radius + edge) * s, kOutline);
  }
  for (const Blob& b : body)
    canvas.Disc(px(b.x), py(b.y), (b.rx + edge) * s, (b.ry + edge) * s, kOutline);
  if (look.cheer) {
    for (float side : {-1.0f, 1.0f}) {
      canvas.Disc(px(side * 60), py(102), (9 + edge) * s, (9 + edge) * s, kOutline);
    }
  }
  for (const Limb& l : limbs) {
    canvas.Stroke(px(l.x1), py(l.y1), px(l.x2), py(l.y2), l.radius * s, l.colour);
  }
  for (const Blob& b : body) canvas.Disc(px(b.x), py(b.y), b.rx * s, b.ry * s, b.colour);
  if (look.cheer) {
    for (float side : {-1.0f, 1.0f}) {
      canvas.Disc(px(side * 60), py(102), 9 * s, 9 * s, kFrog);
      canvas.Disc(px(side * 60), py(104), 5 * s, 4 * s, kFrogBelly);
    }
  }
  // Soft shading on the back and a light rim on the head.
  canvas.Disc(px(-4), py(70), 36 * s, 12 * s, Lighter(kFrog, 0.25f), 0.6f);
  canvas.Disc(px(0), py(34), 24 * s, 24 * s, kFrogBelly);
  canvas.Disc(px(0), py(28), 16 * s, 14 * s, Lighter(kFrogBelly, 0.4f), 0.7f);
  // Eyes: white, a dark pupil looking ahead, a glint.
  for (float side : {-1.0f, 1.0f}) {
    const float ex = side * 22;
    canvas.Disc(px(ex), py(101), 12.5f * s, 12.5f * s, kOutline);
    canvas.Disc(px(ex), py(101), 11 * s, 11 * s, kEyeWhite);
    canvas.Disc(px(ex + 3), py(99), 6 * s, 7 * s, kInk);
    canvas.Disc(px(ex + 5), py(103), 2.2f * s, 2.2f * s, kEyeWhite);
  }
  // Cheeks and smile.
  canvas.Disc(px(-30), py(70), 7 * s, 4 * s, kBlush, 0.7f);
  canvas.Disc(px(30), py(70), 7 * s, 4 * s, kBlush, 0.7f);
  if (look.cheer) {
    canvas.Disc(px(0), py(68), 14 * s, 9 * s, kOutline);
    canvas.Disc(px(0), py(66), 9 * s, 5 * s, kBlush);
  } else {
    const float r = std::max(1.0f, 1.6f * s);
    float lastX = px(-20), lastY = py(74);
    for (int i = 1; i <= 10; ++i) {
      const float u = -20.0f + 4.0f * static_cast<float>(i);
      const float v = 74.0f - 8.0f * (1.0f - (u / 20.0f) * (u / 20.0f));
      canvas.Stroke(lastX, lastY, px(u), py(v), r, kOutline);
      lastX = px(u);
      lastY = py(v);
    }
  }
  // Nostrils.
  canvas.Disc(px(-6), py(84), 1.6f * s, 1.2f * s, kOutline);
  canvas.Disc(px(6), py(84), 1.6f * s, 1.2f * s, kOutline);
}

void DrawSky(Canvas& canvas, int x, int y, int w, int h, Rgb top, Rgb low) {
  canvas.VerticalGradient(x, y, w, h, top, low);
}

void DrawSun(Canvas& canvas, float cx, float cy, float radius) {
  for (int i = 4; i >= 1; --i) {
    const float r = radius * (1.0f + 0.35f * static_cast<float>(i));
    canvas.Disc(cx, cy, r, r, kSun, 0.12f);
  }
  canvas.Disc(cx, cy, radius, radius, kSun);
  canvas.Disc(cx - radius * 0.25f, cy - radius * 0.25f, radius * 0.55f, radius * 0.55f,
              Lighter(kSun, 0.6f), 0.8f);
}

void DrawCloud(Canvas& canvas, float x, float y, float size, float alpha) {
  const float s = size;
  const float puffs[][3] = {{0, 8, 18}, {22, 0, 24}, {46, 6, 20}, {64, 12, 14}, {-16, 14, 12}};
  for (const auto& p : puffs) {
    canvas.Disc(x + p[0] * s, y + (p[1] + 5) * s, p[2] * s, p[2] * 0.8f * s, kCloudShade, alpha);
  }
  for (const auto& p : puffs) {
    canvas.Disc(x + p[0] * s, y + p[1] * s, p[2] * s, p[2] * 0.8f * s, kCloud, alpha);
  }
}

void DrawHills(Canvas& canvas, int x, int w, int bottom, float base, float wave, float phase,
               Rgb colour, float alpha) {
  const Rgb rim = Lighter(colour, 0.3f);
  for (int i = 0; i < w; ++i) {
    const float fx = static_cast<float>(x + i);
    const float top = base - wave * (0.6f * std::sin(fx * 0.011f + phase) +
                                     0.3f * std::sin(fx * 0.027f + phase * 2.3f) +
                                     0.1f * std::sin(fx * 0.061f + phase * 0.7f));
    const int t = static_cast<int>(std::lround(top));
    if (t >= bottom) continue;
    canvas.Rect(fx, static_cast<float>(t), 1, static_cast<float>(bottom - t), colour, alpha);
    canvas.Rect(fx, static_cast<float>(t), 1, 3, rim, alpha);
  }
}

void DrawGrassTufts(Canvas& canvas, int x, int y, int w, int h, ArtRandom& rng, int count) {
  for (int i = 0; i < count; ++i) {
    const float bx = static_cast<float>(x + rng.Range(0, w - 1));
    const float by = static_cast<float>(y + rng.Range(0, h - 1));
    const Rgb c = rng.Unit() < 0.5f ? Darker(kMeadow, 0.25f) : Lighter(kMeadow, 0.25f);
    const float tall = 4.0f + 6.0f * rng.Unit();
    canvas.Line(bx, by, bx - 2, by - tall, c);
    canvas.Line(bx + 1, by, bx + 1, by - tall - 2, c);
    canvas.Line(bx + 2, by, bx + 4, by - tall, c);
  }
}

void DrawFlower(Canvas& canvas, float cx, float cy, float size, Rgb petals) {
  canvas.Line(cx, cy, cx, cy + size * 2.5f, Darker(kMeadow, 0.3f));
  const float r = size * 0.6f;
  for (int k = 0; k < 5; ++k) {
    const float a = static_cast<float>(k) * 6.2831853f / 5.0f;
    canvas.Disc(cx + std::cos(a) * size * 0.7f, cy + std::sin(a) * size * 0.7f, r, r, petals);
  }
  canvas.Disc(cx, cy, size * 0.45f, size * 0.45f, {255, 214, 60});
}

void DrawMeadowGround(Canvas& canvas, int x, int y, int w, int h, ArtRandom& rng) {
  canvas.VerticalGradient(x, y, w, h, kMeadow, Darker(kMeadow, 0.35f));
  canvas.Rect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), 3,
              Lighter(kMeadow, 0.35f));
  DrawGrassTufts(canvas, x, y + 4, w, std::max(1, h - 4), rng, w * h / 90);
  const Rgb petals[] = {{255, 250, 240}, {255, 150, 170}, {255, 200, 80}, {190, 160, 255}};
  for (int i = 0; i < w / 30; ++i) {
    const float fx = static_cast<float>(x + rng.Range(4, w - 5));
    const float fy = static_cast<float>(y + rng.Range(6, std::max(7, h - 10)));
    DrawFlower(canvas, fx, fy, 2.5f + 1.5f * rng.Unit(), petals[rng.Range(0, 3)]);
  }
}

void DrawCave(Canvas& canvas, int x, int y, int w, int h, ArtRandom& rng) {
  canvas.VerticalGradient(x, y, w, h, kCaveTop, kCaveLow);
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  // Back wall blotches.
  for (int i = 0; i < w / 12; ++i) {
    canvas.Disc(fx + rng.Unit() * fw, fy + rng.Unit() * fh * 0.8f, 6 + 14 * rng.Unit(),
                4 + 8 * rng.Unit(), Lighter(kCaveTop, 0.12f), 0.5f);
  }
  // Stalactites hang from the ceiling.
  for (float sx = fx + 4; sx < fx + fw; sx += 10 + 14 * rng.Unit()) {
    const float len = fh * (0.08f + 0.2f * rng.Unit());
    const float half = 4 + 5 * rng.Unit();
    for (int row = 0; row < static_cast<int>(len); ++row) {
      const float t = static_cast<float>(row) / len;
      const float hw = half * (1.0f - t);
      canvas.Rect(sx - hw, fy + static_cast<float>(row), 2 * hw + 1, 1,
                  Mix(kRock, Darker(kRock, 0.4f), t));
    }
  }
  canvas.Rect(fx, fy, fw, 6, Darker(kRock, 0.3f));
  // Rock floor with a lit edge.
  DrawHills(canvas, x, w, y + h, fy + fh * 0.82f, fh * 0.05f, 1.7f, kRock);
  canvas.Rect(fx, fy + fh * 0.92f, fw, fh * 0.08f, Darker(kRock, 0.35f));
  // Glowing crystals.
  for (int i = 0; i < 3 + w / 80; ++i) {
    const float cx = fx + 10 + rng.Unit() * (fw - 20);
    const float cy = fy + fh * (0.8f + 0.06f * rng.Unit());
    canvas.Disc(cx, cy - 6, 14, 12, kCrystal, 0.15f);
    canvas.Stroke(cx, cy, cx - 3, cy - 12, 2.2f, kCrystal);
    canvas.Stroke(cx + 2, cy, cx + 5, cy - 9, 1.8f, Lighter(kCrystal, 0.4f));
  }
}

void DrawBee(Canvas& canvas, float cx, float cy, float size) {
  const float s = size;
  canvas.Disc(cx - 2 * s, cy - 6 * s, 5 * s, 4 * s, kCloud, 0.8f);
  canvas.Disc(cx + 3 * s, cy - 7 * s, 5 * s, 4 * s, kCloud, 0.8f);
  canvas.Disc(cx, cy, 8 * s, 6 * s, kOutline);
  canvas.Disc(cx, cy, 6.5f * s, 4.8f * s, {255, 204, 40});
  canvas.Rect(cx - 2 * s, cy - 4.5f * s, 2 * s, 9 * s, kInk);
  canvas.Rect(cx + 2 * s, cy - 4.5f * s, 2 * s, 9 * s, kInk);
  canvas.Disc(cx + 5 * s, cy - 1 * s, 1.2f * s, 1.2f * s, kInk);
}

void DrawSparkle(Canvas& canvas, float cx, float cy, float size, Rgb colour) {
  canvas.Stroke(cx - size, cy, cx + size, cy, std::max(0.8f, size * 0.15f), colour);
  canvas.Stroke(cx, cy - size, cx, cy + size, std::max(0.8f, size * 0.15f), colour);
  canvas.Disc(cx, cy, size * 0.3f, size * 0.3f, Lighter(colour, 0.6f));
}

}  // namespace hopwerk
