#include "GadgetArt.h"

#include <cmath>
#include <filesystem>
#include <functional>

#include "Scenery.h"

namespace hopwerk {

using namespace palette;

namespace {

constexpr Rgb kSteel{176, 184, 200};
constexpr Rgb kIron{72, 76, 92};
constexpr Rgb kHole{0, 0, 0};  // pure black: see-through once the engine loads the picture

// 32 x 16: four steel spikes on a plate, tiled along the ground.
void PaintSpikes(Canvas& c) {
  c.Rect(0, 12, 32, 4, kIron);
  c.Rect(0, 12, 32, 1, Lighter(kIron, 0.3f));
  for (int k = 0; k < 4; ++k) {
    const float x0 = 8.0f * static_cast<float>(k);
    for (int row = 0; row < 12; ++row) {
      const float half = 4.0f * static_cast<float>(row + 1) / 12.0f;
      const float y = static_cast<float>(row);
      c.Rect(x0 + 4 - half, y, half, 1, Lighter(kSteel, 0.35f));
      c.Rect(x0 + 4, y, half, 1, Darker(kSteel, 0.25f));
    }
  }
}

// 32 x 24: a coiled spring with a red pad on top.
void PaintSpring(Canvas& c) {
  c.RoundRect(1, 19, 30, 5, 2, kIron);
  const float coil[][2] = {{7, 19}, {25, 16}, {7, 13}, {25, 10}, {7, 7}};
  for (int i = 0; i + 1 < 5; ++i) {
    c.Stroke(coil[i][0], coil[i][1], coil[i + 1][0], coil[i + 1][1], 2, Darker(kSteel, 0.5f));
  }
  for (int i = 0; i + 1 < 5; ++i) {
    c.Stroke(coil[i][0], coil[i][1], coil[i + 1][0], coil[i + 1][1], 1.2f, kSteel);
  }
  const Rgb pad{226, 58, 62};
  c.RoundRect(2, 1, 28, 7, 3, Darker(pad, 0.4f));
  c.RoundRect(3, 2, 26, 5, 2, pad);
  c.Rect(6, 2, 14, 1, Lighter(pad, 0.5f));
}

// 4 cells of 64 x 16: a belt whose arrows run in direction dir (+1 right, -1 left). Belts are
// laid side by side, so an arrow leaving one edge comes in at the other.
void PaintConveyor(Canvas& strip, int dir) {
  const Rgb rubber{54, 54, 64}, arrow{255, 200, 60};
  for (int f = 0; f < 4; ++f) {
    Canvas c(64, 16);
    c.Rect(0, 1, 64, 14, Darker(rubber, 0.4f));
    c.Rect(0, 2, 64, 12, rubber);
    c.Rect(0, 2, 64, 1, Lighter(rubber, 0.3f));
    for (int k = 0; k < 4; ++k) {
      const int shift = (16 * k + 4 * f * dir + 64) % 64;
      for (const int wrap : {-64, 0}) {
        const float x = static_cast<float>(shift + wrap) + 6;
        const float tipX = dir > 0 ? x + 4 : x, backX = dir > 0 ? x : x + 4;
        c.Stroke(backX, 5, tipX, 8, 0.9f, arrow);
        c.Stroke(tipX, 8, backX, 11, 0.9f, arrow);
      }
    }
    for (const float rx : {4.0f, 60.0f}) c.Disc(rx, 12, 2, 2, Lighter(kIron, 0.4f));
    strip.Paste(c.Grab(), 64 * f, 0);
  }
}

// 32 x 32: a piece of portcullis; stacked, the bars run on.
void PaintGate(Canvas& c) {
  for (const float x : {3.0f, 14.0f, 25.0f}) {
    c.Rect(x, 0, 5, 32, Darker(kIron, 0.3f));
    c.Rect(x + 1, 0, 3, 32, kIron);
    c.Rect(x + 1, 0, 1, 32, Lighter(kIron, 0.35f));
  }
  for (const float y : {5.0f, 21.0f}) {
    c.Rect(0, y, 32, 5, Darker(kIron, 0.3f));
    c.Rect(0, y + 1, 32, 3, kIron);
    c.Rect(0, y + 1, 32, 1, Lighter(kIron, 0.35f));
    for (const float x : {5.5f, 16.5f, 27.5f}) c.Disc(x, y + 2.5f, 1.2f, 1.2f, kSteel);
  }
}

// 2 cells of 32 x 48: a lever on a locked post; cell 0 ready (lever left, red lamp), cell 1
// used (lever right, green lamp).
void PaintLever(Canvas& c) {
  const Rgb post{132, 126, 146}, knob{255, 206, 60};
  for (int f = 0; f < 2; ++f) {
    const float ox = 32.0f * static_cast<float>(f);
    const float tipX = ox + (f == 0 ? 7.0f : 25.0f);
    c.Stroke(ox + 16, 29, tipX, 9, 2.6f, kInk);
    c.Stroke(ox + 16, 29, tipX, 9, 1.6f, kSteel);
    c.Disc(tipX, 8, 5, 5, kInk);
    c.Disc(tipX, 8, 4, 4, knob);
    c.Disc(tipX - 1.2f, 6.8f, 1.4f, 1.4f, Lighter(knob, 0.6f));
    c.RoundRect(ox + 3, 27, 26, 21, 3, Darker(post, 0.5f));
    c.RoundRect(ox + 4, 28, 24, 19, 2, post);
    c.Rect(ox + 5, 29, 22, 2, Lighter(post, 0.3f));
    c.Disc(ox + 16, 29, 3, 2.5f, Darker(post, 0.4f));
    const Rgb lamp = f == 0 ? Rgb{240, 60, 56} : Rgb{90, 230, 90};
    c.Disc(ox + 16, 35, 3.2f, 3.2f, kInk);
    c.Disc(ox + 16, 35, 2.4f, 2.4f, lamp);
    c.Disc(ox + 15.3f, 34.3f, 0.8f, 0.8f, Lighter(lamp, 0.7f));
    c.Disc(ox + 16, 41, 2.2f, 2.2f, kInk);
    c.Rect(ox + 15, 41, 2, 4, kInk);
  }
}

// 2 cells of 32 x 128: a curtain of vines hanging in a doorway; cell 0 closed, its strands
// unbroken from top to bottom so that no frog passes the doorway without brushing them, cell 1
// drawn aside to the posts once the frog has gone through.
void PaintArch(Canvas& c) {
  const Rgb vine{58, 120, 44}, leaf{104, 180, 64}, bloom{246, 132, 170};
  for (int f = 0; f < 2; ++f) {
    const float ox = 32.0f * static_cast<float>(f);
    const float strands[] = {5, 12, 19, 26};
    for (int k = 0; k < 4; ++k) {
      // Closed, the strands sway across the doorway; open, each is tied back to its side.
      const float home = strands[k];
      const float tied = k < 2 ? 2.0f + static_cast<float>(k) : 29.0f - static_cast<float>(3 - k);
      for (int y = 0; y < 128; y += 4) {
        const float t = static_cast<float>(y) / 128.0f;
        const float sway = std::sin(t * 9.0f + static_cast<float>(k) * 1.7f) * 2.5f;
        const float x = f == 0 ? home + sway : tied + sway * 0.3f;
        const float nt = static_cast<float>(y + 4) / 128.0f;
        const float nsway = std::sin(nt * 9.0f + static_cast<float>(k) * 1.7f) * 2.5f;
        const float nx = f == 0 ? home + nsway : tied + nsway * 0.3f;
        c.Stroke(ox + x, static_cast<float>(y), ox + nx, static_cast<float>(y + 4), 1.3f, vine);
        if ((y / 4 + k) % 3 == 0) {
          c.Disc(ox + x + (k % 2 == 0 ? 2.5f : -2.5f), static_cast<float>(y) + 2, 2.6f, 1.6f, leaf);
        }
        if ((y / 4 + k * 2) % 11 == 0) c.Disc(ox + x, static_cast<float>(y) + 1, 1.6f, 1.6f, bloom);
      }
    }
    c.Rect(ox, 0, 32, 3, Darker(vine, 0.3f));
  }
}

// 2 cells of 24 x 24: a buzzing fly, the frog's favourite food.
void PaintFly(Canvas& c) {
  const Rgb wing{220, 236, 255};
  for (int f = 0; f < 2; ++f) {
    const float ox = 24.0f * static_cast<float>(f);
    const float wy = f == 0 ? 6.0f : 9.0f, wry = f == 0 ? 4.5f : 2.5f;
    c.Disc(ox + 10, wy, 6, wry, Darker(wing, 0.4f));
    c.Disc(ox + 10, wy, 5, wry - 1, wing);
    c.Disc(ox + 11, 14, 6, 4.5f, kInk);
    c.Disc(ox + 11, 14, 5, 3.5f, {64, 70, 84});
    c.Disc(ox + 9.5f, 12.5f, 2, 1.2f, {120, 200, 140});
    c.Disc(ox + 17, 13, 3.5f, 3.5f, kInk);
    c.Disc(ox + 18, 12, 1.7f, 1.7f, {232, 56, 64});
    c.Stroke(ox + 9, 17, ox + 8, 21, 0.7f, kInk);
    c.Stroke(ox + 13, 17, ox + 14, 21, 0.7f, kInk);
    c.Disc(ox + 14, wy + 1, 4, wry - 1, wing);
  }
}

// 24 x 24: a key with a round bow, in the given metal.
void PaintKey(Canvas& c, Rgb metal, Rgb deep) {
  c.Disc(7, 12, 6.5f, 6.5f, Darker(deep, 0.5f));
  c.Disc(7, 12, 5.5f, 5.5f, metal);
  c.Disc(6, 10.5f, 2, 1.5f, Lighter(metal, 0.6f));
  c.Disc(7, 12, 2.3f, 2.3f, Darker(deep, 0.5f));
  c.Disc(7, 12, 1.6f, 1.6f, kHole);
  c.Rect(12, 10, 11, 5, Darker(deep, 0.5f));
  c.Rect(12, 11, 10, 3, metal);
  c.Rect(12, 11, 10, 1, Lighter(metal, 0.5f));
  for (const float x : {16.0f, 20.0f}) {
    c.Rect(x - 1, 14, 4, 6, Darker(deep, 0.5f));
    c.Rect(x, 14, 2, 5, deep);
  }
  DrawSparkle(c, 19, 4, 3.5f, {255, 255, 240});
}

bool Paint(int w, int h, const std::string& path, const std::function<void(Canvas&)>& paint) {
  Canvas canvas(w, h);
  paint(canvas);
  return canvas.Save(path, false);
}

}  // namespace

bool WriteGadgetArt(const std::string& gfxFolder) {
  const std::string pictures = gfxFolder + "Level/Pictures/";
  const std::string switches = gfxFolder + "Level/Switch/";
  const std::string collectables = gfxFolder + "Level/Collectable/";
  for (const std::string& folder : {pictures, switches, collectables}) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;
  }
  bool ok = Paint(32, 16, pictures + "Spikes.png", PaintSpikes);
  ok = Paint(32, 24, pictures + "Spring.png", PaintSpring) && ok;
  ok = Paint(256, 16, pictures + "ConveyorRight.png", [](Canvas& c) { PaintConveyor(c, 1); }) && ok;
  ok = Paint(256, 16, pictures + "ConveyorLeft.png", [](Canvas& c) { PaintConveyor(c, -1); }) && ok;
  ok = Paint(32, 32, pictures + "Gate.png", PaintGate) && ok;
  ok = Paint(64, 48, switches + "Lever.png", PaintLever) && ok;
  ok = Paint(64, 128, switches + "Arch.png", PaintArch) && ok;
  ok = Paint(48, 24, collectables + "Fly.png", PaintFly) && ok;
  ok = Paint(24, 24, collectables + "GoldKey.png",
             [](Canvas& c) {
               PaintKey(c, {255, 210, 70}, {206, 136, 30});
             }) &&
       ok;
  ok = Paint(24, 24, collectables + "SilverKey.png",
             [](Canvas& c) {
               PaintKey(c, {222, 228, 240}, {130, 140, 164});
             }) &&
       ok;
  return ok;
}

}  // namespace hopwerk
