#include "PixelArt.h"

#include <cstring>
#include <initializer_list>
#include <utility>

#include "ArtCanvas.h"
#include "Scenery.h"

namespace hopwerk {

using namespace palette;

namespace {

struct Ink {
  char key;
  Rgb colour;
};

// The shared sprite palette; '.' (or any unlisted character) stays transparent.
constexpr Ink kInks[] = {
    {'o', kOutline},        {'O', {60, 30, 22}},    {'r', {232, 56, 64}},   {'R', {168, 30, 48}},
    {'w', {255, 250, 236}}, {'e', {70, 58, 84}},    {'E', {104, 90, 120}},  {'y', {255, 206, 60}},
    {'Y', {206, 136, 30}},  {'b', {186, 124, 64}},  {'B', {128, 78, 40}},   {'g', kFrog},
    {'G', kFrogDark},       {'p', kFrogBelly},      {'c', {120, 230, 220}}, {'C', {50, 150, 170}},
    {'s', {224, 230, 242}}, {'S', {132, 142, 166}}, {'l', {236, 236, 236}}, {'L', {170, 170, 176}},
    {'k', {88, 86, 96}},    {'u', {206, 238, 255}}, {'U', {110, 176, 236}},
};

const Rgb* InkFor(char key) {
  for (const Ink& ink : kInks) {
    if (ink.key == key) return &ink.colour;
  }
  return nullptr;
}

// Draws rows of sprite text at (x, y), each character a scale-by-scale block. Returns false if
// the rows do not form a rectangle, so a typo in the art cannot slip through unnoticed.
bool DrawSprite(Canvas& canvas, std::initializer_list<const char*> rows, int x, int y,
                int scale = 1) {
  size_t width = 0;
  int row = 0;
  for (const char* line : rows) {
    const size_t n = std::strlen(line);
    if (width == 0) width = n;
    if (n != width) return false;
    for (size_t col = 0; col < n; ++col) {
      if (const Rgb* c = InkFor(line[col])) {
        canvas.Rect(static_cast<float>(x + static_cast<int>(col) * scale),
                    static_cast<float>(y + row * scale), static_cast<float>(scale),
                    static_cast<float>(scale), *c);
      }
    }
    ++row;
  }
  return true;
}

const std::initializer_list<const char*> kHeart = {
    "................", "..OOOO....OOOO..", ".OrrrrO..OrrrrO.", "OrwwrrrOOrrrrrrO",
    "OrwrrrrrrrrrrrRO", "OrrrrrrrrrrrrrRO", "OrrrrrrrrrrrrrRO", ".OrrrrrrrrrrrRO.",
    "..OrrrrrrrrrRO..", "...OrrrrrrrRO...", "....OrrrrrRO....", ".....OrrrRO.....",
    "......OrRO......", ".......OO.......", "................", "................",
};

const std::initializer_list<const char*> kHeartEmpty = {
    "................", "..OOOO....OOOO..", ".OeeeeO..OeeeeO.", "OeEEeeeOOeeeeeeO",
    "OeEeeeeeeeeeeeeO", "OeeeeeeeeeeeeeeO", "OeeeeeeeeeeeeeeO", ".OeeeeeeeeeeeeO.",
    "..OeeeeeeeeeeO..", "...OeeeeeeeeO...", "....OeeeeeeO....", ".....OeeeeO.....",
    "......OeeO......", ".......OO.......", "................", "................",
};

const std::initializer_list<const char*> kKey = {
    "................", ".....OOOO.......", "....OyyyyO......", "...OywwyyYO.....",
    "...OyO..OyO.....", "...OyO..OYO.....", "...OyyOOyYO.....", "....OyyyYO......",
    ".....OyYO.......", ".....OyYO.......", ".....OyYOOOO....", ".....OyyyyyYO...",
    ".....OyYOOOO....", ".....OyyyyYO....", ".....OyYOOO.....", "......OO........",
};

const std::initializer_list<const char*> kSilverKey = {
    "................", ".....OOOO.......", "....OssssO......", "...OswwssSO.....",
    "...OsO..OsO.....", "...OsO..OSO.....", "...OssOOsSO.....", "....OsssSO......",
    ".....OsSO.......", ".....OsSO.......", ".....OsSOOOO....", ".....OsssssSO...",
    ".....OsSOOOO....", ".....OssssSO....", ".....OsSOOO.....", "......OO........",
};

const std::initializer_list<const char*> kBoltIcon = {
    "................", ".........OOOO...", "........OccCO...", ".......OccCO....",
    "......OccCO.....", ".....OccCOOOO...", "....OcccccccO...", "...OOOOOccCO....",
    "......OccCO.....", ".....OccCO......", "....OccCO.......", "...OccCO........",
    "...OcCO.........", "...OCO..........", "...OO...........", "................",
};

const std::initializer_list<const char*> kBubbleIcon = {
    "................", "..........UUU...", ".........UwuuU..", ".........UuuuU..",
    "..UUUU....UUU...", ".UwwuuU.........", "UwwuuuuU........", "UwuuuuuU..UUU...",
    "UuuuuuuU.UwuuU..", ".UuuuuU..UuuuU..", "..UUUU....UUU...", "................",
    "................", "................", "................", "................",
};

// Bullets of the third weapon: a soap bubble with a bright rim.
const std::initializer_list<const char*> kBubble = {
    "....UUUU....", "..UUuuuuUU..", ".UuwwuuuuuU.", ".UwwuuuuuuU.", "UuwuuuuuuuuU", "UuuuuuuuuuuU",
    "UuuuuuuuuuuU", "UuuuuuuuuwuU", ".UuuuuuuwwU.", ".UuuuuuwwuU.", "..UUuuuuUU..", "....UUUU....",
};

// Enemy shots are painted in greys and take their colour from the weapon's tint.
const std::initializer_list<const char*> kSpit = {
    "....llll..", "..lllwwll.", "Llllllwwll", "LLllllllll", "..LLllllL.", "....LLLL..",
};

const std::initializer_list<const char*> kAcorn = {
    "...kk...", ".LLLLLL.", "LlLlLlLL", "LLLLLLLL", ".llllll.",
    ".lwllll.", ".lwllll.", ".llllll.", "..llll..", "...ll...",
};

const std::initializer_list<const char*> kSeedArt = {
    "..OOOO..", ".ObbbbO.", "ObwwbbBO", "ObwbbbBO", "ObbbbbBO", "ObbbbBBO", ".OBBBBO.", "..OOOO..",
};

const std::initializer_list<const char*> kBolt = {
    "....OOOOOO..", ".OOOccccwcO.", "OCCcccwwwwcO", "OCCcccwwwwcO", ".OOOccccwcO.", "....OOOOOO..",
};

const std::initializer_list<const char*> kAmmo = {
    "................", "......OOOO......", ".....ObbbbO.....", "....ObwwbbBO....",
    "....ObwbbbBO....", "..OOOObbbBOOOO..", ".ObbbbOBBOObbbO.", "ObwwbbBOOObwbbBO",
    "ObwbbbBOObbbbbBO", "ObbbbbBOObbbbbBO", "ObbbbBBOObbbbBBO", ".OBBBBO..OBBBBO.",
    "..OOOO....OOOO..", "................", "................", "................",
};

bool SaveSprite(const std::string& path, std::initializer_list<const char*> rows, int w, int h) {
  Canvas canvas(w, h);
  return DrawSprite(canvas, rows, 0, 0) && canvas.Save(path, false);
}

}  // namespace

bool WriteCursor(const std::string& path) {
  // A frog's hand pointing right: round palm, three fingers with sticky pads.
  Canvas c(40, 40);
  const float palmX = 12, palmY = 20;
  const float tips[3][2] = {{29, 9}, {33, 20}, {29, 31}};
  // A pale rim outside the dark outline keeps the hand visible on dark and light screens.
  const Rgb rim{255, 244, 200};
  for (const auto& t : tips) c.Stroke(palmX, palmY, t[0], t[1], 7, rim);
  for (const auto& t : tips) c.Disc(t[0], t[1], 8, 8, rim);
  c.Disc(palmX, palmY, 13, 14, rim);
  c.Stroke(1, 20, palmX, palmY, 9, rim);
  for (const auto& t : tips) c.Stroke(palmX, palmY, t[0], t[1], 5.5f, kOutline);
  for (const auto& t : tips) c.Disc(t[0], t[1], 6.5f, 6.5f, kOutline);
  c.Disc(palmX, palmY, 11.5f, 12.5f, kOutline);
  c.Stroke(2, 20, palmX, palmY, 7.5f, kOutline);
  c.Stroke(2, 20, palmX, palmY, 5, kFrogDark);
  for (const auto& t : tips) c.Stroke(palmX, palmY, t[0], t[1], 3.2f, kFrog);
  c.Disc(palmX, palmY, 9, 10, kFrog);
  c.Disc(palmX - 2, palmY - 4, 5, 4, Lighter(kFrog, 0.4f));
  for (const auto& t : tips) {
    c.Disc(t[0], t[1], 4.5f, 4.5f, kFrogBelly);
    c.Disc(t[0] - 1, t[1] - 1.5f, 1.6f, 1.6f, {255, 255, 240});
  }
  return c.Save(path, false);
}

bool WriteWeaponArt(const std::string& folder) {
  bool ok = SaveSprite(folder + "Bolt.png", kBolt, 12, 6);
  ok = SaveSprite(folder + "Seed.png", kSeedArt, 8, 8) && ok;
  ok = SaveSprite(folder + "Bubble.png", kBubble, 12, 12) && ok;
  ok = SaveSprite(folder + "Spit.png", kSpit, 10, 6) && ok;
  ok = SaveSprite(folder + "Acorn.png", kAcorn, 8, 10) && ok;
  return ok;
}

bool WriteStatusArt(const std::string& folder) {
  bool ok = SaveSprite(folder + "Heart.png", kHeart, 16, 16);
  ok = SaveSprite(folder + "HeartEmpty.png", kHeartEmpty, 16, 16) && ok;
  ok = SaveSprite(folder + "Key.png", kKey, 16, 16) && ok;
  ok = SaveSprite(folder + "SilverKey.png", kSilverKey, 16, 16) && ok;
  ok = SaveSprite(folder + "Ammo.png", kAmmo, 16, 16) && ok;
  ok = SaveSprite(folder + "BoltIcon.png", kBoltIcon, 16, 16) && ok;
  ok = SaveSprite(folder + "BubbleIcon.png", kBubbleIcon, 16, 16) && ok;
  // The band along the top of the screen: deep green with leaves, a gold trim, a dark edge.
  Canvas bar(64, 24);
  bar.VerticalGradient(0, 0, 64, 19, Darker(kPanel, 0.2f), kPanel);
  for (int i = 0; i < 2; ++i) {
    const float lx = 14 + 32 * static_cast<float>(i);
    bar.Disc(lx, 9, 7, 3.5f, Lighter(kPanel, 0.12f));
    bar.Line(lx - 6, 9, lx + 6, 9, Lighter(kPanel, 0.22f));
  }
  bar.Rect(0, 19, 64, 2, {232, 170, 70});
  bar.Rect(0, 19, 64, 1, {255, 220, 130});
  bar.Rect(0, 21, 64, 3, Darker(kPanel, 0.6f));
  ok = bar.Save(folder + "Bar.png", true) && ok;
  return ok;
}

}  // namespace hopwerk
