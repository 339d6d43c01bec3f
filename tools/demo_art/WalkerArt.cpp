// The walking creatures. Every one that a seed should be able to hit has solid pixels 21 to 28
// rows above its feet: a seed flies at half the frog's height.
#include <cmath>

#include "ActorStrips.h"
#include "Creatures.h"
#include "Scenery.h"

namespace hopwerk {

using namespace palette;

namespace {

// A swinging leg from the hip to a foot on the bottom row; odd steps swing it the other way.
void Leg(Canvas& c, float hipX, float hipY, float footX, float footY, float radius, Rgb colour) {
  const float kneeX = (hipX + footX) / 2 + 1.5f, kneeY = (hipY + footY) / 2 - 1;
  c.Stroke(hipX, hipY, kneeX, kneeY, radius, colour);
  c.Stroke(kneeX, kneeY, footX, footY, radius, colour);
}

float Swing(int leg, int pose, float amount) {
  if (pose == kFallPose) return 0;
  return ((leg + pose) % 2 == 0) ? -amount : amount;
}

// 40 x 32: a red ant, the plain walker.
void PaintAnt(Canvas& c, float ox, int pose) {
  const Rgb body{198, 62, 44}, dark{112, 30, 26};
  const bool fall = pose == kFallPose;
  for (int leg = 0; leg < 3; ++leg) {
    const float hip = ox + 19 + 4.0f * static_cast<float>(leg);
    const float reach = 7.0f * static_cast<float>(leg - 1);
    Leg(c, hip, 21, hip + reach + Swing(leg, pose, 3), fall ? 28.0f : 31.0f, 1.0f, kInk);
  }
  c.Disc(ox + 10, 16, 9.5f, 8.5f, kInk);
  c.Disc(ox + 10, 16, 8, 7, body);
  c.Disc(ox + 8, 12, 3.5f, 2, Lighter(body, 0.5f));
  c.Disc(ox + 19, 19, 2.8f, 2.8f, kInk);
  c.Disc(ox + 24, 18, 5.5f, 4.5f, kInk);
  c.Disc(ox + 24, 18, 4.3f, 3.4f, body);
  c.Disc(ox + 32, 13, 6.5f, 6, kInk);
  c.Disc(ox + 32, 13, 5.2f, 4.8f, body);
  c.Disc(ox + 34, 11.5f, 2, 2, kEyeWhite);
  c.Disc(ox + 34.8f, 11.5f, 1, 1, kInk);
  c.Stroke(ox + 36.5f, 16, ox + 38.5f, 19, 0.9f, dark);
  const float twitch = pose == 1 ? 1.5f : 0.0f;
  c.Stroke(ox + 31, 8, ox + 33, 3 + twitch, 0.8f, kInk);
  c.Stroke(ox + 33, 3 + twitch, ox + 38, 1.5f, 0.8f, kInk);
}

// 40 x 32: a hedgehog, spines on its back; it curls into a ball when it falls.
void PaintHedgehog(Canvas& c, float ox, int pose) {
  const Rgb spine{96, 66, 44}, tip{214, 190, 150}, face{226, 194, 150};
  constexpr float kPi = 3.14159265f;
  if (pose == kFallPose) {
    for (int k = 0; k < 16; ++k) {
      const float a = static_cast<float>(k) * 2 * kPi / 16;
      c.Stroke(ox + 20, 17, ox + 20 + std::cos(a) * 14, 17 + std::sin(a) * 14, 1.6f, spine);
      c.Disc(ox + 20 + std::cos(a) * 14, 17 + std::sin(a) * 14, 1, 1, tip);
    }
    c.Disc(ox + 20, 17, 10, 10, Darker(spine, 0.2f));
    c.Disc(ox + 24, 19, 4, 3.5f, face);
    c.Disc(ox + 25, 18, 1.2f, 1.2f, kInk);
    return;
  }
  for (int leg = 0; leg < 2; ++leg) {
    const float x = ox + 12 + 14.0f * static_cast<float>(leg) + Swing(leg, pose, 2);
    c.Disc(x, 29.5f, 3, 2.5f, Darker(face, 0.4f));
  }
  for (int k = 0; k <= 10; ++k) {
    const float a = kPi * (1.08f + 0.84f * static_cast<float>(k) / 10.0f);
    const float ex = ox + 17 + std::cos(a) * 19, ey = 23 + std::sin(a) * 17;
    c.Stroke(ox + 17, 23, ex, ey, 1.8f, spine);
    c.Disc(ex, ey, 1.1f, 1.1f, tip);
  }
  c.Disc(ox + 17, 22, 14.5f, 9.5f, Darker(spine, 0.25f));
  c.Disc(ox + 19, 26, 11, 4, Lighter(face, 0.1f));
  c.Disc(ox + 30, 22, 7.5f, 5.5f, face);
  c.Disc(ox + 37.5f, 22.5f, 1.8f, 1.6f, kInk);
  c.Disc(ox + 31, 19.5f, 1.5f, 1.5f, kInk);
  c.Disc(ox + 27, 17.5f, 2.2f, 2, Darker(face, 0.3f));
}

// 36 x 28: a grey mouse with big ears (the ears are what a seed can hit) and a long tail.
void PaintMouse(Canvas& c, float ox, int pose) {
  const Rgb fur{156, 150, 166}, pink{244, 160, 172};
  const float wag = pose == 1 ? 2.0f : 0.0f;
  c.Stroke(ox + 6, 22, ox + 2, 18 - wag, 1, Darker(pink, 0.2f));
  c.Stroke(ox + 2, 18 - wag, ox + 3, 11, 1, Darker(pink, 0.2f));
  for (int leg = 0; leg < 2; ++leg) {
    const float x = ox + 11 + 12.0f * static_cast<float>(leg) + Swing(leg, pose, 2);
    c.Disc(x, pose == kFallPose ? 25.0f : 26.5f, 2.5f, 1.5f, pink);
  }
  c.Disc(ox + 16, 20, 11.5f, 7.5f, Darker(fur, 0.5f));
  c.Disc(ox + 16, 20, 10.5f, 6.5f, fur);
  c.Disc(ox + 17, 23, 7, 3, Lighter(fur, 0.4f));
  c.Disc(ox + 27, 18, 6.5f, 5.5f, Darker(fur, 0.5f));
  c.Disc(ox + 27, 18, 5.5f, 4.5f, fur);
  c.Disc(ox + 24, 9, 5, 5.5f, Darker(fur, 0.5f));
  c.Disc(ox + 24, 9, 4, 4.5f, fur);
  c.Disc(ox + 24, 9.5f, 2.5f, 3, pink);
  c.Disc(ox + 34, 19, 1.8f, 1.5f, pink);
  c.Disc(ox + 29, 16, 1.4f, 1.4f, kInk);
  c.Line(ox + 31, 20, ox + 35, 22, Darker(fur, 0.5f));
}

// 56 x 40: a wild boar with tusks and a bristly back; it charges.
void PaintBoar(Canvas& c, float ox, int pose) {
  const Rgb hide{120, 80, 56}, dark{70, 44, 32}, snout{206, 146, 126}, tusk{250, 244, 220};
  for (int leg = 0; leg < 4; ++leg) {
    const float hip = ox + 12 + 9.0f * static_cast<float>(leg) + (leg >= 2 ? 4.0f : 0.0f);
    const float foot = hip + Swing(leg, pose, 3);
    c.Stroke(hip, 26, foot, pose == kFallPose ? 35.0f : 38.0f, 2.6f, dark);
    c.Disc(foot, pose == kFallPose ? 36.5f : 38.5f, 2.6f, 1.5f, kInk);
  }
  c.Stroke(ox + 6, 18, ox + 2, 14, 1, dark);
  c.Disc(ox + 2, 13, 1.6f, 1.6f, dark);
  c.Disc(ox + 24, 22, 20, 13, kInk);
  c.Disc(ox + 24, 22, 18.5f, 11.5f, hide);
  c.Disc(ox + 20, 16, 12, 4, Lighter(hide, 0.2f));
  for (int k = 0; k < 9; ++k) {
    const float x = ox + 10 + 3.5f * static_cast<float>(k);
    c.Stroke(x, 12, x - 1.5f, 7 + static_cast<float>(k % 2) * 2, 1, dark);
  }
  c.Disc(ox + 44, 23, 10.5f, 9.5f, kInk);
  c.Disc(ox + 44, 23, 9.2f, 8.3f, hide);
  c.Disc(ox + 51, 26, 5, 4.5f, kInk);
  c.Disc(ox + 51, 26, 4, 3.6f, snout);
  c.Disc(ox + 51, 25, 0.9f, 0.9f, kInk);
  c.Disc(ox + 53, 26.5f, 0.9f, 0.9f, kInk);
  c.Stroke(ox + 48, 31, ox + 50, 26, 1.1f, tusk);
  c.Disc(ox + 40, 14, 3.5f, 5, dark);
  c.Disc(ox + 46, 19, 1.9f, 1.9f, {255, 214, 120});
  c.Disc(ox + 46.6f, 19, 1, 1, kInk);
}

// 48 x 32: an orange salamander that spits; its mouth opens on the second frame.
void PaintLizard(Canvas& c, float ox, int pose) {
  const Rgb skin{238, 124, 46}, belly{255, 206, 120}, spot{120, 50, 30};
  const bool open = pose == 1;
  c.Stroke(ox + 16, 25, ox + 8, 27, 3, skin);
  c.Stroke(ox + 8, 27, ox + 2, 23, 2, skin);
  for (int leg = 0; leg < 2; ++leg) {
    const float hip = ox + 16 + 13.0f * static_cast<float>(leg);
    const float foot = hip + 2 + Swing(leg, pose, 3);
    c.Stroke(hip, 25, foot, pose == kFallPose ? 28.0f : 30.5f, 1.6f, Darker(skin, 0.3f));
    c.Disc(foot + 1, pose == kFallPose ? 28.5f : 31, 2.2f, 1, Darker(skin, 0.3f));
  }
  c.Disc(ox + 23, 23, 12.5f, 6.5f, kInk);
  c.Disc(ox + 23, 23, 11.2f, 5.4f, skin);
  c.Disc(ox + 24, 26, 8, 2.2f, belly);
  c.Stroke(ox + 29, 21, ox + 36, 15, 5, kInk);
  c.Stroke(ox + 29, 21, ox + 36, 15, 3.8f, skin);
  c.Disc(ox + 39, 13, 8.5f, 6.5f, kInk);
  c.Disc(ox + 39, 13, 7.3f, 5.4f, skin);
  if (open) c.Disc(ox + 44, 16, 3.5f, 2.2f, {150, 30, 40});
  c.Line(ox + 36, 15, ox + 47, open ? 14.0f : 15.0f, kInk);
  c.Disc(ox + 40, 8.5f, 3.5f, 3, kInk);
  c.Disc(ox + 40, 8.5f, 2.6f, 2.2f, {255, 250, 200});
  c.Disc(ox + 41, 8.5f, 1.2f, 1.5f, kInk);
  for (const float sx : {17.0f, 24.0f, 30.0f}) c.Disc(ox + sx, 20, 1.6f, 1.3f, spot);
}

// 40 x 48: a snapping plant rooted to the spot; its jaws open and shut. Touching it is fatal.
void PaintSnapper(Canvas& c, float ox, int pose) {
  const Rgb stem{58, 130, 44}, jaw{212, 40, 62}, inside{120, 14, 40}, tooth{255, 250, 236};
  const bool shut = pose == 1;
  c.Stroke(ox + 20, 47, ox + 19, 32, 2.6f, Darker(stem, 0.2f));
  c.Disc(ox + 11, 43, 9, 3.5f, stem);
  c.Disc(ox + 29, 41, 9, 3.5f, stem);
  c.Line(ox + 4, 43, ox + 18, 43, Darker(stem, 0.3f));
  c.Line(ox + 22, 41, ox + 36, 41, Darker(stem, 0.3f));
  const float top = shut ? 17.0f : 14.0f, bottom = shut ? 25.0f : 29.0f;
  c.Disc(ox + 21, bottom, 14, 6.5f, kInk);
  c.Disc(ox + 21, top, 15, 8.5f, kInk);
  c.Disc(ox + 21, (top + bottom) / 2, 12, shut ? 2.0f : 6.0f, inside);
  c.Disc(ox + 21, bottom + 1, 12.5f, 5, jaw);
  c.Disc(ox + 21, top - 1, 13.5f, 7, jaw);
  for (int k = 0; k < 5; ++k) {
    const float x = ox + 12 + 4.5f * static_cast<float>(k);
    c.Stroke(x, top + 5, x + 0.5f, top + 8, 0.9f, tooth);
    c.Stroke(x + 2, bottom - 4, x + 2.5f, bottom - 7, 0.9f, tooth);
  }
  for (const float sx : {14.0f, 22.0f, 29.0f}) c.Disc(ox + sx, top - 3, 1.6f, 1.3f, tooth);
}

}  // namespace

bool WriteWalkerArt(const std::string& actorsFolder) {
  const CreatureArt walkers[] = {
      {"Ant", 40, 32, 2, false, true, DeathPicture::Puff, PaintAnt},
      {"Hedgehog", 40, 32, 2, false, true, DeathPicture::OnItsBack, PaintHedgehog},
      {"Mouse", 36, 28, 2, false, true, DeathPicture::Puff, PaintMouse},
      {"Boar", 56, 40, 2, false, true, DeathPicture::OnItsBack, PaintBoar},
      {"Lizard", 48, 32, 2, false, true, DeathPicture::Puff, PaintLizard},
      {"Snapper", 40, 48, 2, false, false, DeathPicture::Puff, PaintSnapper},
  };
  bool ok = true;
  for (const CreatureArt& art : walkers) ok = WriteCreature(actorsFolder, art) && ok;
  return ok;
}

}  // namespace hopwerk
