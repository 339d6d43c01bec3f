#include "FrontEndArt.h"

#include <algorithm>
#include <cmath>

#include "Lettering.h"
#include "PixelArt.h"
#include "Scenery.h"

namespace hopwerk {

using namespace palette;

namespace {

constexpr int kScreenW = 640;
constexpr int kScreenH = 480;

const char* const kMenuItems[6] = {"New Game", "Continue a game", "High Scores",
                                   "Credits",  "Configuration",   "Quit"};

bool SaveLayer(const Layer& layer, const std::string& path) {
  Canvas canvas(layer.width, layer.height);
  canvas.Paste(layer, 0, 0);
  return canvas.Save(path, false);
}

LetterStyle BigLetters(Rgb top, Rgb bottom, std::vector<int> scales, int outline) {
  LetterStyle s = TintedLetters(top, bottom);
  s.scales = std::move(scales);
  s.outlineRadius = outline;
  s.shadowX = outline;
  s.shadowY = outline + 1;
  return s;
}

// The meadow: sky, sun, clouds, hills and flowery grass. The left part, where menus sit, gets a
// dark translucent board so white text and outlined lettering both read on it.
void PaintMeadow(Canvas& c, int w, int h, uint32_t seed, bool board) {
  ArtRandom rng(seed);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  DrawSky(c, 0, 0, w, h, kSkyTop, kSkyLow);
  DrawSun(c, fw * 0.86f, fh * 0.14f, fh * 0.07f);
  DrawCloud(c, fw * 0.08f, fh * 0.08f, fh / 480.0f * 0.9f);
  DrawCloud(c, fw * 0.56f, fh * 0.2f, fh / 480.0f * 0.7f, 0.9f);
  DrawCloud(c, fw * 0.78f, fh * 0.36f, fh / 480.0f * 0.5f, 0.8f);
  DrawHills(c, 0, w, h, fh * 0.62f, fh * 0.08f, 0.4f, Mix(kFarHill, kSkyLow, 0.25f));
  DrawHills(c, 0, w, h, fh * 0.74f, fh * 0.07f, 2.1f, kHill);
  DrawHills(c, 0, w, h, fh * 0.84f, fh * 0.05f, 4.0f, kNearHill);
  DrawMeadowGround(c, 0, static_cast<int>(fh * 0.9f), w, h - static_cast<int>(fh * 0.9f), rng);
  // The board reaches x 632: a saved game's row, drawn from x 170 in 8-pixel letters, is 40
  // letters and the level's title, so titles of up to 17 letters stay on it.
  if (board) {
    c.RoundRect(-20, 112, 652, 326, 22, kPanel, 0.62f);
    c.RoundRect(-20, 112, 652, 3, 1, Lighter(kPanel, 0.6f), 0.6f);
  }
}

void WriteLettering(const std::string& path, const std::string& text, const LetterStyle& s,
                    bool& ok) {
  ok = SaveLayer(RenderLettering(text, s), path) && ok;
}

Layer TitleLettering() {
  return RenderLettering("Hopwerk", BigLetters({255, 244, 130}, {248, 132, 40}, {3, 2}, 5));
}

void PaintTitle(Canvas& c) {
  // A round meadow vignette with the frog mid-hop and the name across the middle.
  const float cx = 280, cy = 150;
  c.Disc(cx, cy + 4, 276, 142, Darker(kOutline, 0.3f));
  Canvas vignette(c.Width(), c.Height());
  PaintMeadow(vignette, c.Width(), c.Height(), 7, false);
  Layer scene = vignette.Grab();
  for (int y = 0; y < scene.height; ++y) {
    for (int x = 0; x < scene.width; ++x) {
      const float dx = (static_cast<float>(x) + 0.5f - cx) / 270.0f;
      const float dy = (static_cast<float>(y) + 0.5f - cy) / 136.0f;
      if (dx * dx + dy * dy > 1.0f) scene.pixels[static_cast<size_t>(y) * scene.width + x] = 0;
    }
  }
  c.Paste(scene, 0, 0);
  for (int i = 0; i < 7; ++i) {
    const float t = static_cast<float>(i) / 6.0f;
    c.Disc(330 + 110 * t, 250 - 150 * std::sin(t * 3.1416f * 0.55f), 3.5f, 3.5f, kCloud, 0.9f);
  }
  FrogLook hop;
  hop.scale = 0.9f;
  hop.hopping = true;
  DrawFrog(c, 462, 196, hop);
  const Layer name = TitleLettering();
  c.Paste(name, 44, 140 - name.height / 2);
  const Layer demo = RenderLettering("DEMO", BigLetters({255, 255, 255}, {150, 220, 255}, {3}, 3));
  const int demoX = 44 + (name.width - demo.width) / 2;
  c.RoundRect(static_cast<float>(demoX - 14), 196, static_cast<float>(demo.width + 28),
              static_cast<float>(demo.height + 10), 12, kOutline);
  c.Paste(demo, demoX, 201);
}

void PaintLogo(Canvas& c) {
  // The engine's badge: a rounded plaque, a frog's footprints hopping along an arc, the name.
  c.RoundRect(6, 10, 388, 180, 28, Darker(kPanel, 0.5f));
  c.RoundRect(10, 14, 380, 172, 24, {232, 170, 70});
  c.RoundRect(16, 20, 368, 160, 20, kPanel);
  c.VerticalGradient(16, 100, 368, 60, kPanel, Darker(kPanel, 0.25f));
  c.RoundRect(16, 160, 368, 20, 10, Darker(kPanel, 0.25f));
  for (int i = 0; i < 5; ++i) {
    const float t = static_cast<float>(i) / 4.0f;
    const float fx = 60 + 280 * t, fy = 60 - 26 * std::sin(t * 3.1416f);
    for (float side : {-1.0f, 1.0f}) {
      const float px = fx + side * 7;
      c.Disc(px, fy + 4, 4, 5, kFrog);
      for (int toe = -1; toe <= 1; ++toe) {
        c.Disc(px + static_cast<float>(toe) * 4, fy - 3, 2, 2, kFrog);
      }
    }
  }
  const Layer name =
      RenderLettering("HOPWERK", BigLetters({255, 244, 130}, {248, 132, 40}, {2, 2}, 4));
  c.Paste(name, (400 - name.width) / 2, 84);
  const std::string engine = "- ENGINE -";
  const Layer sub = RenderLettering(engine, BigLetters({230, 250, 200}, {140, 210, 110}, {2}, 2));
  c.Paste(sub, (400 - sub.width) / 2, 146);
}

void PaintSkillPreview(Canvas& c, int skill) {
  const int w = c.Width(), h = c.Height();
  Canvas inner(w - 8, h - 8);
  ArtRandom rng(100 + static_cast<uint32_t>(skill));
  FrogLook frog;
  frog.scale = 0.42f;
  if (skill == 0) {
    PaintMeadow(inner, inner.Width(), inner.Height(), 11, false);
    DrawFrog(inner, 70, 134, frog);
    DrawBee(inner, 140, 60, 1.2f);
  } else if (skill == 1) {
    PaintMeadow(inner, inner.Width(), inner.Height(), 12, false);
    // A pond with a log across it, and two bees.
    inner.Oval(20, 112, 170, 40, {70, 150, 210});
    inner.Oval(40, 118, 120, 20, {120, 190, 235}, 0.6f);
    inner.RoundRect(44, 104, 110, 14, 7, kWood);
    inner.RoundRect(44, 104, 110, 4, 2, Lighter(kWood, 0.3f));
    frog.hopping = true;
    DrawFrog(inner, 100, 90, frog);
    DrawBee(inner, 40, 40, 1.1f);
    DrawBee(inner, 160, 56, 1.1f);
  } else {
    DrawCave(inner, 0, 0, inner.Width(), inner.Height(), rng);
    // Spikes on the floor and a glowing pair of eyes in the dark.
    for (int i = 0; i < 5; ++i) {
      const float sx = 110 + 14 * static_cast<float>(i);
      for (int row = 0; row < 16; ++row) {
        const float hw = 6 * static_cast<float>(row) / 16.0f;
        inner.Rect(sx - hw, 118 + static_cast<float>(row), 2 * hw + 1, 1, {200, 200, 215});
      }
    }
    inner.Disc(150, 50, 4, 3, {255, 80, 60});
    inner.Disc(162, 50, 4, 3, {255, 80, 60});
    frog.mirror = false;
    DrawFrog(inner, 56, 128, frog);
  }
  c.RoundRect(0, 0, static_cast<float>(w), static_cast<float>(h), 12, kOutline);
  c.RoundRect(2, 2, static_cast<float>(w - 4), static_cast<float>(h - 4), 10, {232, 170, 70});
  c.Paste(inner.Grab(), 4, 4);
}

void PaintYouWin(Canvas& c) {
  // Dusk over the meadow: dark enough at the top-left for the white story text and tally.
  ArtRandom rng(21);
  DrawSky(c, 0, 0, kScreenW, kScreenH, {22, 24, 64}, {236, 120, 84});
  for (int i = 0; i < 90; ++i) {
    const float sx = rng.Unit() * kScreenW, sy = rng.Unit() * kScreenH * 0.55f;
    c.Pixel(static_cast<int>(sx), static_cast<int>(sy), {255, 250, 220}, 0.4f + 0.6f * rng.Unit());
  }
  // Fireworks.
  const Rgb sparks[] = {{255, 220, 90}, {120, 230, 220}, {255, 140, 170}};
  const float bursts[][3] = {{470, 90, 46}, {590, 160, 34}, {380, 190, 28}};
  for (int b = 0; b < 3; ++b) {
    for (int k = 0; k < 14; ++k) {
      const float a = static_cast<float>(k) * 6.2831853f / 14.0f;
      const float r = bursts[b][2];
      c.Stroke(bursts[b][0] + std::cos(a) * r * 0.35f, bursts[b][1] + std::sin(a) * r * 0.35f,
               bursts[b][0] + std::cos(a) * r, bursts[b][1] + std::sin(a) * r, 1.4f, sparks[b]);
      c.Disc(bursts[b][0] + std::cos(a) * r * 1.12f, bursts[b][1] + std::sin(a) * r * 1.12f, 2, 2,
             Lighter(sparks[b], 0.5f));
    }
  }
  DrawHills(c, 0, kScreenW, kScreenH, 390, 26, 1.2f, Darker(kHill, 0.55f));
  DrawHills(c, 0, kScreenW, kScreenH, 440, 16, 3.3f, Darker(kNearHill, 0.45f));
  // The frog cheering on a little rise, lit by the sunset.
  FrogLook frog;
  frog.scale = 1.1f;
  frog.cheer = true;
  frog.mirror = true;
  c.Oval(440, 438, 170, 30, Darker(kNearHill, 0.3f));
  DrawFrog(c, 525, 448, frog);
  const Layer win =
      RenderLettering("You Win!", BigLetters({255, 244, 130}, {248, 132, 40}, {2, 2}, 4));
  c.Paste(win, kScreenW - win.width - 14, 250);
}

}  // namespace

bool WriteFrontEndArt(const std::string& folder) {
  bool ok = true;
  {
    Canvas logo(400, 200);
    PaintLogo(logo);
    ok = logo.Save(folder + "Logo.png", false) && ok;
  }
  {
    Canvas title(560, 300);
    PaintTitle(title);
    ok = title.Save(folder + "Title.png", false) && ok;
  }
  {
    Canvas menu(kScreenW, kScreenH);
    PaintMeadow(menu, kScreenW, kScreenH, 3, true);
    FrogLook frog;
    frog.mirror = true;
    DrawFrog(menu, 566, 446, frog);
    const Layer name =
        RenderLettering("Hopwerk Demo", BigLetters({255, 244, 130}, {248, 132, 40}, {2, 2}, 4));
    menu.Paste(name, (kScreenW - name.width) / 2, 30);
    ok = menu.Save(folder + "Menu.png", true) && ok;
  }
  for (int i = 0; i < 6; ++i) {
    WriteLettering(folder + "Menu" + std::to_string(i) + ".png", kMenuItems[i], MenuLetters(), ok);
  }
  ok = WriteCursor(folder + "Cursor.png") && ok;
  WriteLettering(folder + "Episode1.png", "Meadow", TintedLetters({226, 255, 140}, {92, 186, 60}),
                 ok);
  WriteLettering(folder + "Episode2.png", "Caves", TintedLetters({200, 250, 250}, {110, 120, 220}),
                 ok);
  WriteLettering(folder + "Episode3.png", "Peaks", TintedLetters({255, 255, 255}, {130, 170, 230}),
                 ok);
  const char* const skills[3] = {"Easy", "Medium", "Hard"};
  const Rgb skillTop[3] = {{226, 255, 140}, {255, 238, 120}, {255, 200, 170}};
  const Rgb skillLow[3] = {{92, 186, 60}, {246, 146, 44}, {226, 60, 50}};
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    WriteLettering(folder + "Skill" + n + ".png", skills[i],
                   TintedLetters(skillTop[i], skillLow[i]), ok);
    Canvas preview(200, 150);
    PaintSkillPreview(preview, i);
    ok = preview.Save(folder + "SkillP" + n + ".png", true) && ok;
  }
  WriteLettering(folder + "GetReady.png", "Get Ready!",
                 BigLetters({255, 244, 130}, {248, 132, 40}, {2, 2}, 4), ok);
  WriteLettering(folder + "LevelCompleted.png", "Level Completed!",
                 BigLetters({226, 255, 140}, {92, 186, 60}, {3}, 4), ok);
  WriteLettering(folder + "SaveGame.png", "Save Game", MenuLetters(), ok);
  {
    Canvas win(kScreenW, kScreenH);
    PaintYouWin(win);
    ok = win.Save(folder + "You Win.png", true) && ok;
  }
  return ok;
}

}  // namespace hopwerk
