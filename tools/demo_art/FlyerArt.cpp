// The flying creatures: a bird (also the crow, drawn tinted), a spider on its thread and a wasp.
#include "ActorStrips.h"
#include "Creatures.h"
#include "Scenery.h"

namespace hopwerk {

using namespace palette;

namespace {

// 40 x 32: a round bird beating its wings: up, level, down. Light colours, so that a dark tint
// in the level turns it into a crow.
void PaintBird(Canvas& c, float ox, int pose) {
  const Rgb feather{90, 168, 236}, breast{255, 236, 200}, beak{255, 170, 50};
  const float tips[3][2] = {{13, 3}, {5, 15}, {12, 28}};
  const float* tip = tips[pose < 0 ? 1 : pose % 3];
  c.Stroke(ox + 8, 19, ox + 1, 15, 3, kInk);
  c.Stroke(ox + 8, 19, ox + 1, 15, 2, Darker(feather, 0.3f));
  c.Disc(ox + 19, 19, 11, 8, kInk);
  c.Disc(ox + 19, 19, 9.8f, 6.8f, feather);
  c.Disc(ox + 22, 22, 6.5f, 3.5f, breast);
  c.Disc(ox + 30, 13, 7, 6.5f, kInk);
  c.Disc(ox + 30, 13, 5.8f, 5.4f, feather);
  c.Stroke(ox + 35, 13, ox + 39, 15, 1.6f, beak);
  c.Disc(ox + 32, 11, 2, 2, kEyeWhite);
  c.Disc(ox + 32.7f, 11, 1.1f, 1.1f, kInk);
  c.Stroke(ox + 18, 24, ox + 17, 29, 0.8f, beak);
  c.Stroke(ox + 22, 24, ox + 22, 29, 0.8f, beak);
  c.Stroke(ox + 20, 16, ox + tip[0], tip[1], 4.2f, kInk);
  c.Stroke(ox + 20, 16, ox + tip[0], tip[1], 3, Darker(feather, 0.15f));
  c.Stroke(ox + 20, 16, ox + tip[0] + 2, tip[1] + (tip[1] < 16 ? 2.0f : -2.0f), 1.2f,
           Lighter(feather, 0.35f));
}

// 32 x 32: a spider seen from the front on a short thread, its legs wiggling.
void PaintSpider(Canvas& c, float ox, int pose) {
  const Rgb body{74, 50, 96}, mark{240, 96, 120};
  c.Line(ox + 16, 0, ox + 16, 12, {236, 236, 246});
  const float bend = pose == 1 ? 2.0f : -1.0f;
  for (int leg = 0; leg < 4; ++leg) {
    const float y = 15 + 3.0f * static_cast<float>(leg);
    const float knee = 7 + (leg % 2 == 0 ? bend : -bend);
    for (const float side : {-1.0f, 1.0f}) {
      const float kx = ox + 16 + side * 9, ky = y - knee;
      c.Stroke(ox + 16, y, kx, ky, 1, kInk);
      c.Stroke(kx, ky, ox + 16 + side * 15, y + 7, 1, kInk);
    }
  }
  c.Disc(ox + 16, 18, 8.5f, 7.5f, kInk);
  c.Disc(ox + 16, 18, 7.2f, 6.3f, body);
  c.Disc(ox + 16, 17, 2.5f, 2, mark);
  c.Disc(ox + 16, 26, 5.5f, 4.5f, kInk);
  c.Disc(ox + 16, 26, 4.4f, 3.5f, Lighter(body, 0.15f));
  for (const float ex : {13.5f, 18.5f}) {
    c.Disc(ox + ex, 25.5f, 1.6f, 1.6f, kEyeWhite);
    c.Disc(ox + ex, 26, 0.8f, 0.8f, kInk);
  }
  c.Stroke(ox + 14.5f, 29, ox + 14, 31, 0.8f, kInk);
  c.Stroke(ox + 17.5f, 29, ox + 18, 31, 0.8f, kInk);
}

// 32 x 28: a striped wasp, wings up and down.
void PaintWasp(Canvas& c, float ox, int pose) {
  const Rgb yellow{255, 206, 40}, wing{214, 234, 255};
  const bool up = pose != 1;
  c.Disc(ox + 12, up ? 6.0f : 10.0f, 7, up ? 5.0f : 3.5f, Darker(wing, 0.35f));
  c.Disc(ox + 12, up ? 6.0f : 10.0f, 6, up ? 4.0f : 2.7f, wing);
  c.Stroke(ox + 4, 19, ox + 1, 21, 1, kInk);
  c.Disc(ox + 10, 17, 8, 6, kInk);
  c.Disc(ox + 10, 17, 6.8f, 4.9f, yellow);
  for (const float sx : {7.0f, 11.5f}) c.Rect(ox + sx, 12, 2.2f, 10, kInk);
  c.Disc(ox + 19, 16, 3.5f, 3, kInk);
  c.Disc(ox + 25, 14, 5.5f, 5, kInk);
  c.Disc(ox + 25, 14, 4.4f, 3.9f, yellow);
  c.Disc(ox + 27, 13, 2, 2.2f, {60, 40, 30});
  c.Stroke(ox + 25, 10, ox + 28, 4, 0.7f, kInk);
  c.Stroke(ox + 17, 20, ox + 16, 26, 0.8f, kInk);
  c.Stroke(ox + 21, 19, ox + 22, 25, 0.8f, kInk);
  c.Disc(ox + 12, up ? 7.0f : 11.0f, 5, up ? 3.5f : 2.2f, wing, 0.9f);
}

}  // namespace

bool WriteFlyerArt(const std::string& actorsFolder) {
  const CreatureArt flyers[] = {
      {"Bird", 40, 32, 3, true, false, DeathPicture::OnItsBack, PaintBird},
      {"Spider", 32, 32, 2, true, false, DeathPicture::Puff, PaintSpider},
      {"Wasp", 32, 28, 2, true, false, DeathPicture::OnItsBack, PaintWasp},
  };
  bool ok = true;
  for (const CreatureArt& art : flyers) ok = WriteCreature(actorsFolder, art) && ok;
  return ok;
}

}  // namespace hopwerk
