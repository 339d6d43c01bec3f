// Real Tiled maps from other people's games and libraries (tests/tiled_corpus, sources in its
// SOURCES.md): each imports, or is refused for a reason the engine truly cannot play, and its
// tile layers, loaded as the engine loads the level, look as an independent renderer
// (render_reference.py, Python and Pillow) draws them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "LevelTestProject.h"
#include "codec/PngReader.h"
#include "level/LevelLoading.h"
#include "schema/EntryText.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;

struct CorpusMap {
  const char* id;
  const char* map;      // inside the map's folder
  const char* refused;  // empty: it imports; else what the error says
};

// clang-format off
const CorpusMap kCorpus[] = {
    {"tiled-sticker-knight", "sandbox.tmx", ""},
    {"rs-tiled-infinite", "tiled_base64_zlib_infinite.tmx", ""},
    {"go-tiled-racing", "racing.tmx", "the world holds 0 to 5000 on each axis"},
    {"go-tiled-groups", "groups.tmx", ""},
    {"go-tiled-staggered", "staggered.tmx", "\"staggered\" orientation cannot be played"},
    {"sti-objects", "tmx/objects.tmx", ""},
    {"sti-ortho-infinite", "tmx/ortho-inf.tmx", ""},
    {"libtmx-templates", "objecttemplates.tmx", ""},
    {"pytiled-all-layers", "layer_tests/all_layer_types/map.tmx", ""},
    {"excalibur-ortho-infinite-tmj", "orthogonal-infinite.tmj", ""},
    {"excalibur-city-gzip", "example-city-gzip.tmx", ""},
    {"excalibur-complex-classes", "orthogonal-complex.tmx", ""},
    {"flixel-tiled-editor", "level.tmx", ""},
    {"melonjs-platformer", "map/map1.tmx", ""},
    {"dottiled-world", "world.tmx", ""},
    {"dottiled-templates-tmj", "map-override-object-bug.tmj", ""},
    {"bevy-ecs-tilemap-rotate", "rotate.tmx", ""},
    {"bevy-ecs-tilemap-iso", "iso_map.tmx", "\"isometric\" orientation cannot be played"},
    {"bevy-ecs-tiled-platformer", "demo.tmx", ""},
    {"bevy-ecs-tiled-hex", "maps/hexagonal/finite_pointy_top_even.tmx",
     "\"hexagonal\" orientation cannot be played"},
    {"tmxparser-example", "example.tmx", ""},
    {"tileson-ultimate-json", "test-maps/ultimate_test_v1.9.json", ""},
    {"tileson-base64-json", "test-maps/ultimate_test_base64.json", ""},
    {"arcade-ladders", "tiled_maps/map_with_ladders.json", ""},
    {"tiled-dart-complex", "complexmap.tmx", ""},
    {"tiled-dart-gzip", "test_base64_gzip.tmx", ""},
    {"st2u-seams", "TMap_WithSeams.tmx", ""},
    {"tmxlite-demo", "demo.tmx", ""},
};
// clang-format on

struct ShellRun {
  int status = -1;
  std::string out;
};

ShellRun Shell(const std::string& command, const std::string& folder) {
  const std::string out = folder + "/command.out";
  const int raw = std::system((command + " >'" + out + "' 2>&1").c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::ReadFile(out)};
}

// A world picture: straight a8r8g8b8 pixels and where its top-left corner lies.
struct World {
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// Source over destination in straight alpha, as layers lie over one another in Tiled.
uint32_t Over(uint32_t src, uint32_t dst) {
  const double sa = (src >> 24) / 255.0, da = (dst >> 24) / 255.0;
  const double a = sa + da * (1 - sa);
  if (a <= 0) return 0;
  uint32_t out = static_cast<uint32_t>(a * 255 + 0.5) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const double s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= static_cast<uint32_t>((s * sa + d * da * (1 - sa)) / a + 0.5) << shift;
  }
  return out;
}

// The decorations and walls of the loaded level, every copy of each, drawn back to front with
// their colour multiplied in, cut to what they cover.
World DrawLevel(const Engine& engine) {
  struct Placed {
    const ObjectType* o;
    int w, h;
  };
  std::vector<Placed> drawn;
  int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  for (int layer = kLayers - 1; layer >= 0; --layer) {
    for (const ObjectType* o : engine.level.LayerLists[layer].Snapshot()) {
      if ((o->OType != 0 && o->OType != 1) || !o->Pic) continue;
      const int w = o->Pic->width, h = o->Pic->height;
      drawn.push_back({o, w, h});
      x0 = std::min(x0, o->X);
      y0 = std::min(y0, o->Y);
      x1 = std::max(x1, o->X + w * (o->RepX + 1));
      y1 = std::max(y1, o->Y + h * (o->RepY + 1));
    }
  }
  World world;
  if (drawn.empty()) return world;
  world = {x0, y0, x1 - x0, y1 - y0, {}};
  world.pixels.assign(static_cast<size_t>(world.width) * world.height, 0);
  for (const Placed& p : drawn) {
    const std::vector<uint32_t>& frame = p.o->Pic->frames[0].pixels;
    for (int ry = 0; ry <= p.o->RepY; ++ry) {
      for (int rx = 0; rx <= p.o->RepX; ++rx) {
        for (int j = 0; j < p.h; ++j) {
          for (int i = 0; i < p.w; ++i) {
            // The engine's pictures are premultiplied; the colour multiplies them.
            const uint32_t px = frame[static_cast<size_t>(j) * p.w + i];
            const uint32_t a = px >> 24;
            if (a == 0) continue;
            uint32_t straight = a << 24;
            const int colour[3] = {p.o->B, p.o->G, p.o->R};
            for (int c = 0; c < 3; ++c) {
              const uint32_t v =
                  std::min<uint32_t>(255, (((px >> (8 * c)) & 0xFF) * 255 + a / 2) / a);
              straight |= (v * static_cast<uint32_t>(colour[c]) + 127) / 255 << (8 * c);
            }
            const int wx = p.o->X - x0 + rx * p.w + i, wy = p.o->Y - y0 + ry * p.h + j;
            uint32_t& d = world.pixels[static_cast<size_t>(wy) * world.width + wx];
            d = Over(straight, d);
          }
        }
      }
    }
  }
  return world;
}

// The part of a picture that has anything in it.
World Trimmed(const World& in) {
  int x0 = in.width, y0 = in.height, x1 = -1, y1 = -1;
  for (int y = 0; y < in.height; ++y) {
    for (int x = 0; x < in.width; ++x) {
      if (in.pixels[static_cast<size_t>(y) * in.width + x] >> 24) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
    }
  }
  World out;
  if (x1 < 0) return out;
  out = {in.x + x0, in.y + y0, x1 - x0 + 1, y1 - y0 + 1, {}};
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x)
      out.pixels.push_back(in.pixels[static_cast<size_t>(y) * in.width + x]);
  }
  return out;
}

// Premultiplied channels differ by at most this much: rounding, and black kept visible as
// (0, 0, 1).
constexpr int kTolerance = 3;

int Difference(uint32_t a, uint32_t b) {
  int worst = 0;
  const int aa = static_cast<int>(a >> 24), ba = static_cast<int>(b >> 24);
  worst = std::abs(aa - ba);
  for (int shift = 0; shift < 24; shift += 8) {
    const int ac = static_cast<int>((a >> shift) & 0xFF) * aa / 255;
    const int bc = static_cast<int>((b >> shift) & 0xFF) * ba / 255;
    worst = std::max(worst, std::abs(ac - bc));
  }
  return worst;
}

class TiledCorpusTest : public ::testing::TestWithParam<CorpusMap> {
 protected:
  ShellRun Import(const std::string& map, const std::string& level) {
    return Shell("'" + std::string(HOPWERK_BIN_DIR) + "/vxr' tiled '" + map + "' '" + level + "'",
                 dir.path());
  }
  test::TempDir dir;
};

TEST_P(TiledCorpusTest, ImportsAndItsTileLayersLookAsTiledDrawsThem) {
  const CorpusMap& c = GetParam();
  const fs::path corpus = fs::path(HOPWERK_SOURCE_DIR) / "tests" / "tiled_corpus";
  const fs::path src = fs::path(dir.path()) / "src";
  fs::copy(corpus / c.id, src, fs::copy_options::recursive);
  const fs::path map = src / c.map;

  const ShellRun whole = Import(map.string(), dir.path() + "/whole/Maps/L");
  if (*c.refused) {
    EXPECT_EQ(whole.status, 1) << whole.out;
    EXPECT_NE(whole.out.find(c.refused), std::string::npos) << whole.out;
    return;
  }
  ASSERT_EQ(whole.status, 0) << whole.out;

  // The reference draws the tile layers it can draw exactly, and strips the rest from a copy,
  // so that what the importer makes of the copy is exactly what the reference drew.
  const fs::path stripped = map.parent_path() / ("stripped" + map.extension().string());
  const ShellRun reference = Shell(
      "/usr/bin/python3 '" + (corpus / "render_reference.py").string() + "' '" + map.string() +
          "' '" + dir.path() + "/reference.png' --strip '" + stripped.string() + "'",
      dir.path());
  ASSERT_EQ(reference.status, 0) << reference.out;
  if (reference.out.rfind("empty", 0) == 0) return;  // no tile layer: nothing to compare
  const std::string level = dir.path() + "/project/Maps/L";
  const ShellRun tiles = Import(stripped.string(), level);
  ASSERT_EQ(tiles.status, 0) << tiles.out;

  test::LevelProject project;
  fs::copy(dir.path() + "/project/Data", project.run.project.path() + "/Data",
           fs::copy_options::recursive);
  for (const char* entry : {"General", "Objects"}) {
    const std::string name = std::string("L1/") + entry;
    std::vector<uint8_t> bytes;
    EntryTextError error;
    ASSERT_TRUE(EntryTextToBytes(*FindEntryFormat(name, "Maps.vxr"),
                                 test::ReadFile(level + "/" + entry + ".hwt"), bytes, error))
        << error.message;
    project.Put("Maps.vxr", name, bytes);
  }
  project.Put("Actors.vxr", "Player", test::ActorBytes(1, 5));
  ASSERT_FALSE(project.Load()) << project.FatalMessage();
  const World drawn = Trimmed(DrawLevel(*project.run.engine));

  const std::string png = test::ReadFile(dir.path() + "/reference.png");
  const std::optional<PngImage> expected =
      DecodePngAsStored(reinterpret_cast<const uint8_t*>(png.data()), png.size());
  ASSERT_TRUE(expected);
  ASSERT_EQ(drawn.width, expected->width) << reference.out;
  ASSERT_EQ(drawn.height, expected->height) << reference.out;
  int wrong = 0;
  std::string first;
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      const uint32_t a = drawn.pixels[static_cast<size_t>(y) * drawn.width + x];
      const uint32_t b = expected->pixels[static_cast<size_t>(y) * drawn.width + x];
      if (Difference(a, b) > kTolerance && wrong++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "at %d, %d: %08x where the reference has %08x", x, y, a,
                      b);
        first = text;
      }
    }
  }
  EXPECT_EQ(wrong, 0) << "first " << first;
}

INSTANTIATE_TEST_SUITE_P(RealMaps, TiledCorpusTest, ::testing::ValuesIn(kCorpus),
                         [](const ::testing::TestParamInfo<CorpusMap>& info) {
                           std::string name = info.param.id;
                           for (char& ch : name) {
                             if (ch == '-') ch = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace hopwerk
