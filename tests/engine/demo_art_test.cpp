// The generated demo art: present after the build, decodable by the engine's own loader, the
// sizes the front end relies on, and sound files with a well-formed PCM WAV layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/Compositor.h"

namespace hopwerk {
namespace {

const std::string kData = std::string(HOPWERK_BIN_DIR) + "/Data/";

PicturePtr Load(const std::string& relative) {
  return LoadPictureFile(kData + relative);
}

TEST(DemoArt, FrontEndPicturesLoadWithTheirSizes) {
  struct Expect {
    const char* file;
    int width, height;  // 0: any size
  } expects[] = {{"GFX/General/Menu.png", 640, 480},    {"GFX/General/Cursor.png", 40, 40},
                 {"GFX/General/You Win.png", 640, 480}, {"GFX/General/Logo.png", 400, 200},
                 {"GFX/General/Title.png", 560, 300},   {"GFX/General/SkillP1.png", 200, 150},
                 {"GFX/General/SkillP2.png", 200, 150}, {"GFX/General/SkillP3.png", 200, 150}};
  for (const Expect& e : expects) {
    PicturePtr p = Load(e.file);
    ASSERT_TRUE(p) << e.file;
    EXPECT_EQ(p->width, e.width) << e.file;
    EXPECT_EQ(p->height, e.height) << e.file;
  }
}

TEST(DemoArt, LetteringFitsTheMenuRows) {
  // Items sit 50 pixels apart and start at x = 100 on a 640-pixel screen.
  std::vector<std::string> files;
  for (int i = 0; i < 6; ++i) files.push_back("GFX/General/Menu" + std::to_string(i) + ".png");
  for (const char* f :
       {"Episode1", "Episode2", "Episode3", "Skill1", "Skill2", "Skill3", "SaveGame"}) {
    files.push_back(std::string("GFX/General/") + f + ".png");
  }
  for (const std::string& f : files) {
    PicturePtr p = Load(f);
    ASSERT_TRUE(p) << f;
    EXPECT_GE(p->height, 30) << f;
    EXPECT_LE(p->height, 50) << f;
    EXPECT_LE(100 + p->width, 640) << f;
  }
  for (const char* f : {"GFX/General/GetReady.png", "GFX/General/LevelCompleted.png"}) {
    PicturePtr p = Load(f);
    ASSERT_TRUE(p) << f;
    EXPECT_LE(p->width, 640) << f;
  }
}

TEST(DemoArt, LetteringHasATransparentBackground) {
  PicturePtr p = Load("GFX/General/Menu0.png");
  ASSERT_TRUE(p);
  const auto& px = p->frames[0].pixels;
  EXPECT_EQ(px.back() >> 24, 0u);  // corners are background
  size_t solid = 0;
  for (uint32_t v : px) solid += (v >> 24) == 255 ? 1 : 0;
  EXPECT_GT(solid, px.size() / 5);
}

TEST(DemoArt, OpaqueBackgroundsHaveNoHoles) {
  // Pure black would turn into see-through pixels when the engine loads the picture.
  for (const char* f : {"GFX/General/Menu.png", "GFX/General/You Win.png", "GFX/Status/Bar.png"}) {
    PicturePtr p = Load(f);
    ASSERT_TRUE(p) << f;
    for (uint32_t v : p->frames[0].pixels) ASSERT_EQ(v >> 24, 255u) << f;
  }
}

TEST(DemoArt, GamePicturesLoad) {
  struct Expect {
    const char* file;
    int width, height;
  } expects[] = {{"GFX/Weapon/Bolt.png", 12, 6},        {"GFX/Weapon/Seed.png", 8, 8},
                 {"GFX/Weapon/Bubble.png", 12, 12},     {"GFX/Weapon/Spit.png", 10, 6},
                 {"GFX/Weapon/Acorn.png", 8, 10},       {"GFX/Status/Heart.png", 16, 16},
                 {"GFX/Status/HeartEmpty.png", 16, 16}, {"GFX/Status/Key.png", 16, 16},
                 {"GFX/Status/SilverKey.png", 16, 16},  {"GFX/Status/Ammo.png", 16, 16},
                 {"GFX/Status/BoltIcon.png", 16, 16},   {"GFX/Status/BubbleIcon.png", 16, 16},
                 {"GFX/Status/Bar.png", 64, 24}};
  for (const Expect& e : expects) {
    PicturePtr p = Load(e.file);
    ASSERT_TRUE(p) << e.file;
    EXPECT_EQ(p->width, e.width) << e.file;
    EXPECT_EQ(p->height, e.height) << e.file;
  }
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

// Effects are short; the levels' music loops a few seconds.
TEST(DemoArt, SoundsAreWellFormedPcmWav) {
  struct Sound {
    std::string path;
    uint32_t maxSeconds;
  };
  std::vector<Sound> sounds;
  for (const char* name : {"Shot", "Pop", "Pickup", "Zap", "Bubble", "Gulp", "Jingle", "Gate",
                           "Ouch", "Croak", "Lift"}) {
    sounds.push_back({kData + "SFX/" + name + ".wav", 1});
  }
  for (const char* name :
       {"Meadow", "Brook", "Hill", "Caves", "Marsh", "Grotto", "Orchard", "Hollow", "Mine",
        "Throne", "Moon", "Windmill", "Fen", "Ridge", "Summit"}) {
    sounds.push_back({kData + "Music/" + name + ".wav", 10});
  }
  for (const auto& [path, maxSeconds] : sounds) {
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    ASSERT_GE(b.size(), 44u) << path;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << path;
    EXPECT_EQ(U32(b, 4), b.size() - 8) << path;
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE") << path;
    EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "fmt ") << path;
    EXPECT_EQ(U32(b, 16), 16u) << path;
    EXPECT_EQ(U16(b, 20), 1) << path;  // PCM
    EXPECT_EQ(U16(b, 22), 1) << path;  // mono
    EXPECT_EQ(U32(b, 24), 22050u) << path;
    EXPECT_EQ(U32(b, 28), 44100u) << path;
    EXPECT_EQ(U16(b, 32), 2) << path;
    EXPECT_EQ(U16(b, 34), 16) << path;
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data") << path;
    const uint32_t dataBytes = U32(b, 40);
    EXPECT_EQ(dataBytes, b.size() - 44) << path;
    // Not too short or long, and not silent.
    EXPECT_GT(dataBytes, 22050u / 50 * 2) << path;
    EXPECT_LT(dataBytes, 22050u * 2 * maxSeconds) << path;
    int peak = 0;
    for (size_t i = 44; i + 1 < b.size(); i += 2) {
      const int s = static_cast<int16_t>(U16(b, i));
      peak = std::max(peak, s < 0 ? -s : s);
    }
    EXPECT_GT(peak, 4000) << path;
  }
}

}  // namespace
}  // namespace hopwerk
