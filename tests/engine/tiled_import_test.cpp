// vxr tiled, run as a program on maps written by the test: every tile data encoding, tiles
// merged into repeated objects, walls, animation, every object class, map properties, the
// imported level loaded by the engine object by object, and hostile maps ending in clear
// errors that leave the level folder as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "LevelTestProject.h"
#include "codec/PngWriter.h"
#include "level/LevelLoading.h"
#include "render/Compositor.h"
#include "schema/EntryText.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;
using Fields = std::map<std::string, std::string>;

// Tile colours of the test tileset, by tile id: a 2 x 2 atlas of 8-pixel tiles.
constexpr uint32_t kColours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};

// Tile 1 is a wall; tile 2 shows itself for 100 ms and tile 3 for 200 ms.
const std::string kTileset =
    R"(<tileset firstgid="1" name="T" tilewidth="8" tileheight="8" tilecount="4" columns="2">
  <image source="tiles.png" width="16" height="16"/>
  <tile id="1"><properties><property name="wall" type="bool" value="true"/></properties></tile>
  <tile id="2"><animation><frame tileid="2" duration="100"/><frame tileid="3" duration="200"/></animation></tile>
 </tileset>)";

const std::string kPlayer = R"(<objectgroup id="9" name="Start">
  <object id="1" name="Frog" class="player" x="4" y="40"><point/>
   <properties><property name="Type" value="Hero"/></properties></object>
 </objectgroup>)";

std::string Map(const std::string& body, const std::string& attributes = "",
                const std::string& tilesets = kTileset) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.10" orientation="orthogonal" renderorder="right-down" width="4" height="3" )"
         R"(tilewidth="8" tileheight="8" infinite="0" )" +
         attributes + ">\n " + tilesets + "\n " + body + "\n</map>\n";
}

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
  return s.replace(s.find(from), from.size(), to);
}

std::string Repeated(const std::string& s, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += s;
  return out;
}

std::string Layer(const std::string& data, const std::string& attributes = "") {
  return R"(<layer id="1" name="Ground" width="4" height="3" )" + attributes + ">" + data +
         "</layer>";
}

std::string Csv(const std::string& csv) {
  return R"(<data encoding="csv">)" + csv + "</data>";
}

std::string Base64(const std::vector<uint8_t>& bytes) {
  static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t v = uint32_t{bytes[i]} << 16;
    if (i + 1 < bytes.size()) v |= uint32_t{bytes[i + 1]} << 8;
    if (i + 2 < bytes.size()) v |= bytes[i + 2];
    for (size_t k = 0; k < 4; ++k) {
      out += k <= (bytes.size() - i) ? alphabet[(v >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return out;
}

std::vector<uint8_t> GidBytes(const std::vector<uint32_t>& gids) {
  std::vector<uint8_t> bytes;
  for (uint32_t g : gids) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(g >> (8 * i)));
  }
  return bytes;
}

// zlib (windowBits 15) or gzip (31) stream of bytes.
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& in, int windowBits) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&z, in.size()) + 32);
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  return out;
}

struct ToolRun {
  int status = -1;
  std::string out, err;
};

class TiledTest : public ::testing::Test {
 protected:
  TiledTest() {
    fs::create_directories(maps);
    fs::create_directories(dir.path() + "/src");
    std::vector<uint32_t> sheet(16 * 16);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x)
        sheet[static_cast<size_t>(y * 16 + x)] = kColours[(y / 8) * 2 + x / 8];
    }
    EXPECT_TRUE(WritePngWithAlpha(Src("tiles.png"), sheet.data(), 16, 16));
  }
  std::string Src(const std::string& name) const { return dir.path() + "/src/" + name; }
  std::string LevelDir() const { return maps + "/Marsh"; }

  ToolRun Import(const std::string& map, const std::string& file = "Marsh.tmx",
                 const std::string& options = "") {
    test::WriteFile(Src(file), map);
    const std::string out = dir.path() + "/tool.out", err = dir.path() + "/tool.err";
    const std::string command = std::string("'") + HOPWERK_BIN_DIR + "/vxr' tiled " + options +
                                " '" + Src(file) + "' '" + LevelDir() + "' >'" + out + "' 2>'" +
                                err + "'";
    const int raw = std::system(command.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = test::ReadFile(out);
    run.err = test::ReadFile(err);
    return run;
  }
  // The records of a readable form, split at `keyword` lines (one record without).
  std::vector<Fields> Records(const std::string& file, const std::string& keyword = "") {
    std::vector<Fields> records;
    for (const test::TextRecord& r :
         test::SplitTextRecords(test::ReadFile(LevelDir() + "/" + file), keyword)) {
      records.emplace_back(r.begin(), r.end());
    }
    return records;
  }
  std::vector<Fields> Objects() { return Records("Objects.hwt", "Object"); }
  // The objects made from tiles and pictures, the player left out.
  std::vector<Fields> Tiles() {
    std::vector<Fields> tiles;
    for (const Fields& o : Objects()) {
      if (o.at("OType") != "2") tiles.push_back(o);
    }
    return tiles;
  }
  PicturePtr DataPicture(const std::string& relative) {
    return LoadPictureFile(maps + "/../Data/GFX/Level/" + relative);
  }

  test::TempDir dir;
  std::string maps = dir.path() + "/project/Maps";
};

// X, Y, RepX, RepY, OType, PicName of an object, as one line for comparisons.
std::string Summary(Fields o) {
  o.try_emplace("RepX", "0");
  o.try_emplace("RepY", "0");
  return o.at("X") + "," + o.at("Y") + " " + o.at("RepX") + "x" + o.at("RepY") + " type " +
         o.at("OType") + " " + o.at("PicName");
}

TEST_F(TiledTest, EveryTileEncodingGivesTheSameMergedObjects) {
  // Two rows of tile 0 three wide, two walls below them, and tile 3 alone.
  const std::vector<uint32_t> gids = {1, 1, 1, 0, 1, 1, 1, 0, 2, 2, 0, 4};
  std::string xmlTiles;
  for (uint32_t g : gids) xmlTiles += "<tile gid=\"" + std::to_string(g) + "\"/>";
  const struct {
    const char* name;
    std::string data;
  } cases[] = {
      {"csv", Csv("1,1,1,0,\n1,1,1,0,\n2,2,0,4")},
      {"base64", R"(<data encoding="base64">)" + Base64(GidBytes(gids)) + "</data>"},
      {"zlib", R"(<data encoding="base64" compression="zlib">)" +
                   Base64(Deflate(GidBytes(gids), 15)) + "</data>"},
      {"gzip", R"(<data encoding="base64" compression="gzip">)" +
                   Base64(Deflate(GidBytes(gids), 31)) + "</data>"},
      {"xml", "<data>" + xmlTiles + "</data>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run = Import(Map(Layer(c.data) + kPlayer));
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> got;
    for (const Fields& o : Tiles()) got.push_back(Summary(o));
    EXPECT_EQ(got, (std::vector<std::string>{"0,0 2x1 type 0 T_0.png", "0,16 1x0 type 1 T_1.png",
                                             "24,16 0x0 type 0 T_3.png"}));
  }
  // Each tile is cut once, in its own colour.
  PicturePtr red = DataPicture("Pictures/T_0.png");
  ASSERT_TRUE(red);
  EXPECT_EQ(red->width, 8);
  EXPECT_EQ(red->height, 8);
  EXPECT_EQ(red->frames[0].pixels[27], kColours[0]);
}

TEST_F(TiledTest, LongRunsAndTallRectanglesSplitWhereRepeatsEnd) {
  // 300 tiles a row over 260 rows: RepX and RepY are bytes, so at most 256 a side.
  std::string csv;
  for (int row = 0; row < 260; ++row) {
    for (int col = 0; col < 300; ++col) csv += (row || col) ? ",1" : "1";
  }
  std::string map = Map(R"(<layer id="1" name="Wide" width="300" height="260">)" + Csv(csv) +
                        "</layer>" + kPlayer);
  const ToolRun run = Import(map);
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> got;
  for (const Fields& o : Tiles()) got.push_back(Summary(o));
  EXPECT_EQ(got, (std::vector<std::string>{
                     "0,0 255x255 type 0 T_0.png", "2048,0 43x255 type 0 T_0.png",
                     "0,2048 255x3 type 0 T_0.png", "2048,2048 43x3 type 0 T_0.png"}));
}

// A level with margins keeps an object only while its top-left corner is within them of the
// view, so no merged run is wider than the left margin or taller than the top one: a run
// vanishing while its far end is on screen would leave the frog standing on nothing drawn.
TEST_F(TiledTest, RunsAreNoLargerThanTheLevelsMarginsHold) {
  const std::string margins = R"(<properties><property name="MinusX" type="int" value="20"/>
  <property name="MinusY" type="int" value="8"/></properties>)";
  const ToolRun run = Import(Map(margins + Layer(Csv("1,1,1,1,\n1,1,1,1,\n1,1,1,1")) + kPlayer));
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> got;
  for (const Fields& o : Tiles()) got.push_back(Summary(o));
  // 20 pixels hold two 8-pixel tiles across; 8 hold one down.
  EXPECT_EQ(got, (std::vector<std::string>{"0,0 1x0 type 0 T_0.png", "16,0 1x0 type 0 T_0.png",
                                           "0,8 1x0 type 0 T_0.png", "16,8 1x0 type 0 T_0.png",
                                           "0,16 1x0 type 0 T_0.png", "16,16 1x0 type 0 T_0.png"}));
}

TEST_F(TiledTest, AnimatedTilesBecomeStripsInEqualSteps) {
  const ToolRun run = Import(Map(Layer(Csv("3,3,0,0,0,0,0,0,0,0,0,0")) + kPlayer));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<Fields> tiles = Tiles();
  ASSERT_EQ(tiles.size(), 1u);
  // 100 and 200 ms: three steps of 100 ms, the engine's wait counting 5 ms.
  EXPECT_EQ(Summary(tiles[0]), "0,0 1x0 type 0 T_2.png");
  EXPECT_EQ(tiles[0].at("Anim"), "1");
  EXPECT_EQ(tiles[0].at("AnW"), "8");
  EXPECT_EQ(tiles[0].at("AnH"), "8");
  EXPECT_EQ(tiles[0].at("ANF"), "3");
  EXPECT_EQ(tiles[0].at("AnimSlow"), "20");
  PicturePtr strip = DataPicture("Pictures/T_2.png");
  ASSERT_TRUE(strip);
  ASSERT_EQ(strip->width, 24);
  const auto& px = strip->frames[0].pixels;
  EXPECT_EQ(px[4], kColours[2]);
  EXPECT_EQ(px[12], kColours[3]);
  EXPECT_EQ(px[20], kColours[3]);
}

// Every class of object, with its handle where the engine draws it, its properties under the
// engine's field names, and tile objects flipped, scaled and faded as the map shows them.
TEST_F(TiledTest, ObjectClassesBecomeTheirKindsOfObject) {
  const std::string objects = R"(<objectgroup id="2" name="Things" opacity="0.5">
  <object id="2" name="Ant" class="actor" x="10" y="20" width="8" height="10">
   <properties><property name="Type" value="Ant"/><property name="SkillEasy" type="bool" value="false"/>
   <property name="TScript" value="Open"/></properties></object>
  <object id="3" class="collectable" gid="4" x="16" y="24" width="8" height="8">
   <properties><property name="Type" value="Coin"/></properties></object>
  <object id="4" name="Lever" class="switch" gid="1" x="0" y="8" width="8" height="8">
   <properties><property name="RequireKey" type="int" value="2"/><property name="TakeKey" type="bool" value="true"/></properties></object>
  <object id="5" class="text" x="3" y="4" width="40" height="10"><text color="#102030">Hello</text></object>
  <object id="6" class="deco" gid="2147483649" x="8" y="32" width="16" height="8">
   <properties><property name="DecoDamage" type="int" value="3"/><property name="MoveX" type="int" value="-2"/></properties></object>
  <object id="7" gid="2" x="24" y="16" width="8" height="8"/>
  <object id="8" class="deco" x="40" y="8"><properties><property name="PicName" value="Belt.png"/>
   <property name="RepX" type="int" value="3"/><property name="Anim" type="int" value="1"/>
   <property name="AnW" type="int" value="32"/><property name="AnH" type="int" value="16"/>
   <property name="ANF" type="int" value="4"/></properties><point/></object>
 </objectgroup>)";
  test::WriteFile(Src("Open.hwt"),
                  "Script\n  UID = \"Open\"\n  Command = 7\n  ObjID = \"Lever\"\nend\n");
  const ToolRun run = Import(Map(kPlayer + objects));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<Fields> o = Objects();
  ASSERT_EQ(o.size(), 8u);
  const struct {
    const char* summary;
    Fields more;
  } want[] = {
      {"4,40 0x0 type 2 Hero", {{"ID", "Frog"}, {"Level", "10"}}},
      {"14,30 0x0 type 2 Ant",
       {{"ID", "Ant"},
        {"SkillEasy", "0"},
        {"SkillMedium", "1"},
        {"TScript", "Open"},
        {"Level", "9"}}},
      {"20,20 0x0 type 3 Coin", {}},
      {"0,0 0x0 type 5 T_0_a128.png", {{"ID", "Lever"}, {"RequireKey", "2"}, {"TakeKey", "1"}}},
      {"3,4 0x0 type 4 Hello", {{"R", "16"}, {"G", "32"}, {"B", "48"}}},
      {"8,24 0x0 type 0 T_0_h_16x8_a128.png",
       {{"DecoDamage", "3"}, {"MoveX", "-2"}, {"MoveY", "0"}}},
      {"24,8 0x0 type 1 T_1_a128.png", {{"R", "255"}}},
      // Named by PicName, it has no tile to size and animate it: its properties do.
      {"40,8 3x0 type 0 Belt.png", {{"Anim", "1"}, {"AnW", "32"}, {"AnH", "16"}, {"ANF", "4"}}},
  };
  for (size_t i = 0; i < o.size(); ++i) {
    SCOPED_TRACE(i);
    Fields f = o[i];
    f.try_emplace("RepX", "0");
    f.try_emplace("RepY", "0");
    EXPECT_EQ(Summary(f), want[i].summary);
    for (const auto& [name, value] : want[i].more) EXPECT_EQ(f[name], value) << name;
  }
  // The switch's picture sits in the switch folder; the deco is mirrored, twice as wide and
  // half transparent.
  EXPECT_TRUE(DataPicture("Switch/T_0_a128.png"));
  PicturePtr deco = DataPicture("Pictures/T_0_h_16x8_a128.png");
  ASSERT_TRUE(deco);
  EXPECT_EQ(deco->width, 16);
  EXPECT_EQ(deco->frames[0].pixels[0] >> 24, 128u);
  EXPECT_EQ(test::ReadFile(LevelDir() + "/Script/Open.hwt"), test::ReadFile(Src("Open.hwt")));
}

TEST_F(TiledTest, MapPropertiesSetTheLevelsOwnFields) {
  const std::string properties = R"(<properties>
  <property name="LevelTitle" value="Misty Marsh"/><property name="MusicFile" value="Marsh.ogg"/>
  <property name="PlusX" type="int" value="800"/><property name="NextLevel" value="Hill"/>
  <property name="BackgroundEffect" type="bool" value="true"/>
 </properties>
 <imagelayer id="5" name="Sky" parallaxx="0.25" parallaxy="0.25"><image source="tiles.png"/></imagelayer>)";
  const ToolRun run = Import(Map(properties + kPlayer, R"(backgroundcolor="#102a40")"));
  ASSERT_EQ(run.status, 0) << run.err;
  const Fields general = Records("General.hwt")[0];
  const Fields want = {{"LevelTitle", "Misty Marsh"},
                       {"MusicFile", "Marsh.ogg"},
                       {"ClsR", "16"},
                       {"ClsG", "42"},
                       {"ClsB", "64"},
                       {"BackgroundPicName", "tiles.png"},
                       {"BackgroundDivisor", "4"},
                       {"BackgroundEffect", "1"}};
  EXPECT_EQ(general, want);
  EXPECT_EQ(Records("PlusMinus.hwt")[0],
            (Fields{{"PlusX", "800"}, {"PlusY", "5000"}, {"MinusX", "5000"}, {"MinusY", "5000"}}));
  EXPECT_EQ(Records("Script/Finish.hwt", "Script")[0],
            (Fields{{"UID", "Finish"}, {"Command", "1"}, {"NextLevel", "Hill"}}));
  EXPECT_TRUE(LoadPictureFile(maps + "/../Data/GFX/Level/Tiles/tiles.png"));
}

// What authors draw beyond the tidy case: an external image-collection tileset, a group with an
// offset holding a hidden layer, an infinite map in chunks.
TEST_F(TiledTest, CollectionsGroupsAndChunksArePlacedWhereTheMapShowsThem) {
  std::vector<uint32_t> big(16 * 24, 0xFF808080u);
  ASSERT_TRUE(WritePngWithAlpha(Src("rock.png"), big.data(), 16, 24));
  test::WriteFile(Src("Rocks.tsx"), R"(<?xml version="1.0"?>
<tileset name="Rocks" tilewidth="16" tileheight="24" tilecount="1" columns="0">
 <tile id="7"><image source="rock.png" width="16" height="24"/></tile>
</tileset>)");
  const std::string tilesets = kTileset + R"(<tileset firstgid="10" source="Rocks.tsx"/>)";
  const std::string body = R"(<group id="3" name="Front" offsetx="8" offsety="16">
  <layer id="4" name="Hidden" width="4" height="3" visible="0"><data encoding="csv">1,1,1,1,1,1,1,1,1,1,1,1</data></layer>
  <layer id="5" name="Rocks" width="4" height="3"><data encoding="csv">
   <chunk x="0" y="0" width="4" height="3">0,0,0,0,0,17,0,0,0,0,0,0</chunk></data></layer>
 </group>
 <layer id="6" name="Chunks" width="4" height="3"><data encoding="csv">
  <chunk x="16" y="0" width="2" height="1">1,1</chunk><chunk x="0" y="0" width="2" height="1">1,1</chunk>
 </data></layer>)";
  const ToolRun run =
      Import(Replaced(Map(body + kPlayer, "", tilesets), R"(infinite="0")", R"(infinite="1")"));
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> got;
  for (const Fields& o : Tiles()) got.push_back(Summary(o) + " layer " + o.at("Level"));
  // The rock stands on the bottom-left corner of its cell (column 1, row 1), moved by the group.
  EXPECT_EQ(got, (std::vector<std::string>{"16,8 0x0 type 0 Rocks_7.png layer 10",
                                           "0,0 1x0 type 0 T_0.png layer 9",
                                           "128,0 1x0 type 0 T_0.png layer 9"}));
  EXPECT_TRUE(DataPicture("Pictures/Rocks_7.png"));
}

// The same map saved as JSON gives the same level: tile data as a list and as base64 with zlib,
// a group's offset, an embedded tileset with its wall and animation, objects with properties.
TEST_F(TiledTest, JsonMapsGiveTheSameLevelAsTmx) {
  const std::vector<uint32_t> gids = {3, 1, 1, 0, 2, 2, 0, 0, 0, 0, 0, 2147483652u};
  const std::string zlib = Base64(Deflate(GidBytes(gids), 15));
  const std::string tmx = Map(
      R"(<group name="G" offsetx="8"><layer id="1" name="A" width="4" height="3">)" +
      Csv("3,1,1,0,2,2,0,0,0,0,0,2147483652") +
      R"(</layer></group><layer id="2" name="B" width="4" height="3" opacity="0.5">)"
      R"(<data encoding="base64" compression="zlib">)" +
      zlib + "</data></layer>" + kPlayer +
      R"(<objectgroup name="O"><object id="3" class="collectable" gid="4" x="16" y="24" width="8" height="8">
       <properties><property name="Type" value="Coin"/><property name="SkillHard" type="bool" value="false"/></properties></object>
       <object id="4" class="text" x="3" y="4"><text color="#102030">Hi</text></object></objectgroup>)");
  const std::string json = R"({"type": "map", "orientation": "orthogonal", "width": 4, "height": 3,
   "tilewidth": 8, "tileheight": 8, "infinite": false,
   "tilesets": [{"firstgid": 1, "name": "T", "tilewidth": 8, "tileheight": 8, "tilecount": 4,
     "columns": 2, "image": "tiles.png", "imagewidth": 16, "imageheight": 16,
     "tiles": [{"id": 1, "properties": [{"name": "wall", "type": "bool", "value": true}]},
               {"id": 2, "animation": [{"tileid": 2, "duration": 100}, {"tileid": 3, "duration": 200}]}]}],
   "layers": [
    {"type": "group", "name": "G", "offsetx": 8, "layers": [
      {"type": "tilelayer", "name": "A", "width": 4, "height": 3,
       "data": [3, 1, 1, 0, 2, 2, 0, 0, 0, 0, 0, 2147483652]}]},
    {"type": "tilelayer", "name": "B", "width": 4, "height": 3, "opacity": 0.5,
     "encoding": "base64", "compression": "zlib", "data": ")" +
                           zlib + R"("},
    {"type": "objectgroup", "name": "Start", "objects": [
      {"id": 1, "name": "Frog", "class": "player", "x": 4, "y": 40, "point": true,
       "properties": [{"name": "Type", "type": "string", "value": "Hero"}]}]},
    {"type": "objectgroup", "name": "O", "objects": [
      {"id": 3, "class": "collectable", "gid": 4, "x": 16, "y": 24, "width": 8, "height": 8,
       "properties": [{"name": "Type", "value": "Coin"}, {"name": "SkillHard", "type": "bool", "value": false}]},
      {"id": 4, "class": "text", "x": 3, "y": 4, "text": {"text": "Hi", "color": "#102030"}}]}]})";
  ASSERT_EQ(Import(tmx).status, 0);
  const std::vector<Fields> fromTmx = Objects();
  ASSERT_EQ(fromTmx.size(), 11u);
  const ToolRun run = Import(json, "Marsh.tmj");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Objects(), fromTmx);
  EXPECT_NE(Import(R"({"type": "map", "orientation": "hexagonal"})", "Marsh.tmj")
                .err.find("\"hexagonal\" orientation cannot be played"),
            std::string::npos);
  EXPECT_NE(Import(R"({"type": "map", "width": "wide"})", "Marsh.json").err.find("Marsh.json: "),
            std::string::npos);
}

// The imported level, packed and loaded by the engine: every object as the map placed it, with
// its picture.
TEST_F(TiledTest, ImportedLevelLoadsInTheEngine) {
  const std::string objects = R"(<objectgroup id="2" name="Things">
  <object id="3" class="collectable" x="40" y="8" width="8" height="8"><properties><property name="Type" value="Coin"/></properties></object>
 </objectgroup>)";
  ToolRun run = Import(Map(Layer(Csv("3,0,0,0,1,1,0,2,0,0,0,2")) + kPlayer + objects));
  ASSERT_EQ(run.status, 0) << run.err;
  // Compiled as vxr pack compiles every readable form of the folder.
  test::LevelProject project;
  fs::copy(maps + "/../Data", project.run.project.path() + "/Data", fs::copy_options::recursive);
  for (const char* entry : {"General", "Objects"}) {
    const std::string name = std::string("L1/") + entry;
    std::vector<uint8_t> bytes;
    EntryTextError error;
    ASSERT_TRUE(EntryTextToBytes(*FindEntryFormat(name, "Maps.vxr"),
                                 test::ReadFile(LevelDir() + "/" + entry + ".hwt"), bytes, error))
        << error.message;
    project.Put("Maps.vxr", name, bytes);
  }
  project.Put("Actors.vxr", "Hero", test::ActorBytes(1, 5));
  project.Put("Collectables.vxr", "Coin", test::Bytes().Byte(2).Int(10).Byte(255));
  ASSERT_FALSE(project.Load()) << project.FatalMessage();
  const Engine& engine = *project.run.engine;
  EXPECT_EQ(engine.level.LevelTitle, "Marsh");
  std::vector<std::string> got;
  for (const ObjectType& o : engine.level.ObjectStore) {
    got.push_back(std::to_string(o.X) + "," + std::to_string(o.Y) + " " + std::to_string(o.RepX) +
                  "x" + std::to_string(o.RepY) + " type " + std::to_string(o.OType) + " " +
                  o.PicName + " anim " + std::to_string(o.ANF) + " layer " +
                  std::to_string(o.Level) + (o.Pic ? " drawn" : ""));
  }
  EXPECT_EQ(got, (std::vector<std::string>{
                     "0,0 0x0 type 0 T_2.png anim 3 layer 10 drawn",
                     "0,8 1x0 type 0 T_0.png anim 0 layer 10 drawn",
                     "24,8 0x1 type 1 T_1.png anim 0 layer 10 drawn",
                     "4,40 0x0 type 2 Hero anim 0 layer 9",
                     "44,12 0x0 type 3 Coin anim 0 layer 8",
                 }));
  EXPECT_EQ(engine.level.Player, &engine.level.ObjectStore[3]);
}

// Hostile and impossible maps end in an error naming the file, the layer or object and what is
// wrong, and leave the level folder as it was.
TEST_F(TiledTest, BadMapsEndInClearErrorsAndLeaveTheLevelAlone) {
  const std::vector<uint8_t> twelveGids = GidBytes(std::vector<uint32_t>(12, 1));
  const std::vector<uint8_t> bomb = Deflate(std::vector<uint8_t>(1 << 24, 0), 15);
  std::vector<uint8_t> cut = Deflate(twelveGids, 31);
  cut.resize(cut.size() / 2);
  const struct {
    const char* name;
    std::string map;
    std::string error;
  } cases[] = {
      {"huge layer",
       Map(R"(<layer id="1" name="Vast" width="100000" height="100000">)" + Csv("1") + "</layer>"),
       "layer \"Vast\": 100000 x 100000 tiles are too many"},
      {"bad gid", Map(Layer(Csv("1,99,0,0,0,0,0,0,0,0,0,0")) + kPlayer),
       "layer \"Ground\", tile at column 1, row 0: gid 99 is in no tileset"},
      {"short csv", Map(Layer(Csv("1,1")) + kPlayer),
       "the tile data holds 2 tiles where 12 were expected"},
      {"broken zlib",
       Map(Layer(R"(<data encoding="base64" compression="zlib">AAAAAAAA</data>)") + kPlayer),
       "layer \"Ground\": the zlib tile data is broken or cut short"},
      {"cut gzip",
       Map(Layer(R"(<data encoding="base64" compression="gzip">)" + Base64(cut) + "</data>") +
           kPlayer),
       "the gzip tile data is broken or cut short"},
      {"zlib bomb",
       Map(Layer(R"(<data encoding="base64" compression="zlib">)" + Base64(bomb) + "</data>") +
           kPlayer),
       "the zlib tile data holds more than the layer's tiles"},
      {"zstd", Map(Layer(R"(<data encoding="base64" compression="zstd">AAAA</data>)") + kPlayer),
       "\"zstd\" compression is not supported"},
      {"out of range",
       Map(kPlayer +
           R"(<objectgroup name="O"><object id="6" class="switch" x="0" y="0"><properties><property name="RequireKey" value="300"/></properties></object></objectgroup>)"),
       "object 6: property RequireKey = \"300\" is not a whole number from 0 to 255"},
      {"isometric", Replaced(Map(kPlayer), "orthogonal", "isometric"),
       "\"isometric\" orientation cannot be played"},
      {"outside the world",
       Map(Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0"), R"(offsetx="6000")") + kPlayer),
       "the map's content spans 4 to 6000 across and 0 to 40 down; the world holds 0 to 5000"},
      {"missing script",
       Map(kPlayer +
           R"(<objectgroup name="O"><object id="8" class="collectable" x="0" y="0"><properties><property name="Type" value="Coin"/><property name="TScript" value="Nowhere"/></properties></object></objectgroup>)"),
       "names the script \"Nowhere\", but"},
      {"not xml", "<map", "Marsh.tmx: not well-formed XML"},
      {"huge chunk",
       Replaced(
           Map(R"(<layer id="1" name="Vast"><data encoding="csv"><chunk x="0" y="0" width="65536" height="65536">1</chunk></data></layer>)"),
           R"(infinite="0")", R"(infinite="1")"),
       "layer \"Vast\": a chunk of 65536 x 65536 tiles is too large"},
      {"deep groups",
       Map(Repeated(R"(<group name="G">)", 100000) + Repeated("</group>", 100000) + kPlayer),
       "groups nested more than 64 deep"},
      {"huge tile object",
       Map(kPlayer +
           R"(<objectgroup name="O"><object id="9" gid="1" x="0" y="8" width="100000" height="8"/></objectgroup>)"),
       "a picture of 100000 x 8 pixels cannot be made"},
      {"missing image",
       Map(Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0")) + kPlayer, "",
           R"(<tileset firstgid="1" name="T" tilewidth="8" tileheight="8" tilecount="4" columns="2"><image source="gone.png"/></tileset>)"),
       "cannot read the image"},
  };
  fs::create_directories(LevelDir());
  test::WriteFile(LevelDir() + "/Objects.hwt", "kept");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run = Import(c.map);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("vxr: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Marsh.tmx"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(test::ReadFile(LevelDir() + "/Objects.hwt"), "kept");
    size_t entries = 0;
    for (const auto& e : fs::directory_iterator(maps)) entries += e.path().empty() ? 0 : 1;
    EXPECT_EQ(entries, 1u) << "a temporary folder was left beside the level";
  }
}

// Every error of a map is reported in one run, not one per attempt.
TEST_F(TiledTest, EveryErrorOfAMapIsReportedInOneRun) {
  const ToolRun run = Import(Map(
      Layer(Csv("1,99,0,0,0,0,0,0,0,0,0,0")) + kPlayer +
      R"(<objectgroup name="O"><object id="6" class="switch" x="0" y="0"><properties><property name="RequireKey" value="300"/></properties></object>
       <object id="8" class="collectable" x="0" y="0"><properties><property name="Type" value="Coin"/><property name="TScript" value="Nowhere"/></properties></object></objectgroup>)"));
  EXPECT_EQ(run.status, 1);
  for (const char* error :
       {"Marsh.tmx: layer \"Ground\", tile at column 1, row 0: gid 99 is in no tileset\n",
        "Marsh.tmx: layer \"O\", object 6: property RequireKey = \"300\" is not a whole number "
        "from 0 to 255\n",
        "Marsh.tmx: names the script \"Nowhere\", but ",
        "Marsh.tmx: the level was not written\n"}) {
    EXPECT_NE(run.err.find(error), std::string::npos) << error << "\n" << run.err;
  }
}

// What belongs to another engine's conventions is left out, or adjusted, with one warning line
// for each kind of thing, counting it and naming the first ids; --strict makes each an error and
// writes nothing.
TEST_F(TiledTest, WhatTheEngineCannotPlayIsLeftOutWithAWarningOrRefusedWhenStrict) {
  const struct {
    const char* name;
    std::string body;
    std::string warning;
  } cases[] = {
      {"foreign classes",
       R"(<objectgroup name="O"><object id="1" class="Location" x="0" y="0"/><object id="4" class="Location" x="8" y="0"/>
        <object id="9" class="Location" x="16" y="0"/></objectgroup>)",
       "layer \"O\": left out 3 objects of class \"Location\" (ids 1, 4, 9)"},
      {"shapes without a class",
       R"(<objectgroup name="O"><object id="2" x="0" y="0"><polygon points="0,0 8,0 8,8"/></object></objectgroup>)",
       "layer \"O\": left out 1 polygon without a class (id 2)"},
      {"points without a class",
       R"(<objectgroup name="O"><object id="2" x="0" y="0"><point/></object><object id="3" x="0" y="0"><point/></object></objectgroup>)",
       "layer \"O\": left out 2 points without a class (ids 2, 3)"},
      {"foreign object properties",
       R"(<objectgroup name="O"><object id="5" class="actor" x="0" y="0"><properties><property name="Type" value="Ant"/>
        <property name="Speed" value="3"/></properties></object></objectgroup>)",
       "layer \"O\": ignored the property \"Speed\" of 1 object (id 5)"},
      {"foreign layer properties",
       Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0"), "") +
           R"(<objectgroup name="Z"><properties><property name="depth" value="2"/></properties></objectgroup>)",
       "layer \"Z\": ignored its properties \"depth\", which the engine does not have"},
      {"foreign map properties",
       R"(<properties><property name="gravity" value="9.8"/></properties>)",
       "ignored the map property \"gravity\", which the engine does not have"},
      {"a tile layer scrolling in front",
       Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0")) +
           R"(<layer id="2" name="Mist" width="4" height="3" parallaxx="0.5" parallaxy="0.5">)" +
           Csv("2,0,0,0,0,0,0,0,0,0,0,0") + "</layer>",
       "layer \"Mist\": scrolls at 0.5 across and 0.5 down of the camera's speed; drawn with the "
       "map, at the camera's speed"},
      {"a background between two speeds",
       R"(<imagelayer id="5" name="Sky" parallaxx="0.3" parallaxy="0.3"><image source="tiles.png"/></imagelayer>)",
       "layer \"Sky\": scrolls at 0.3 of the camera's speed; the background scrolls at 1/3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string map = Map(kPlayer + c.body);
    // Properties of the map stand before its tilesets.
    const std::string placed = c.body.rfind("<properties>", 0) == 0
                                   ? Replaced(Map(kPlayer), "<tileset", c.body + "\n <tileset")
                                   : map;
    ToolRun run = Import(placed);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("vxr: " + Src("Marsh.tmx") + ": warning: " + c.warning + "\n"),
              std::string::npos)
        << run.err;
    fs::remove_all(LevelDir());
    run = Import(placed, "Marsh.tmx", "--strict");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("vxr: " + Src("Marsh.tmx") + ": " + c.warning + "\n"), std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(LevelDir()));
  }
}

// A template's values come under the object's own, as Tiled combines them: class, properties,
// and a tile from the template's own tileset, numbered into the map's.
TEST_F(TiledTest, TemplatesGiveWhatTheObjectLeavesOut) {
  test::WriteFile(Src("Coin.tx"), R"(<?xml version="1.0"?>
<template><tileset firstgid="1" source="T.tsx"/>
 <object name="Coin" class="collectable" gid="4" width="8" height="8">
  <properties><property name="Type" value="Coin"/><property name="SkillHard" type="bool" value="false"/></properties>
 </object></template>)");
  test::WriteFile(Src("T.tsx"), kTileset);
  test::WriteFile(Src("Ant.tj"), R"({"type": "template", "object": {"name": "Ant", "class": "actor",
   "width": 8, "height": 10, "properties": [{"name": "Type", "type": "string", "value": "Ant"}]}})");
  const ToolRun run = Import(Map(kPlayer + R"(<objectgroup name="O">
   <object id="3" template="Coin.tx" x="16" y="24"/>
   <object id="4" template="Coin.tx" name="Gem" x="0" y="8"><properties><property name="Type" value="Gem"/></properties></object>
   <object id="5" template="Ant.tj" x="10" y="20"/></objectgroup>)"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<Fields> o = Objects();
  ASSERT_EQ(o.size(), 4u);
  EXPECT_EQ(Summary(o[1]), "20,20 0x0 type 3 Coin");
  EXPECT_EQ(o[1].at("SkillHard"), "0");
  EXPECT_EQ(o[1].at("ID"), "Coin");
  EXPECT_EQ(Summary(o[2]), "4,4 0x0 type 3 Gem");
  EXPECT_EQ(o[2].at("ID"), "Gem");
  EXPECT_EQ(Summary(o[3]), "14,30 0x0 type 2 Ant");
}

// Without an object of class player the player starts at a spawn point found by name or
// class, else on the first tile from the left with a warning; --player chooses the place.
TEST_F(TiledTest, ThePlayerStartsWhereTheMapOrTheAuthorSays) {
  const std::string ground = Layer(Csv("0,0,0,0,0,1,1,0,0,0,0,0"));
  const struct {
    const char* name;
    std::string body;
    const char* options;
    const char* player;  // X,Y of the player object
    const char* message;
  } cases[] = {
      {"by name, as a prefix",
       R"(<objectgroup name="O"><object id="7" name="PlayerSpawn" x="20" y="16"><point/></object>
        <object id="8" name="StartText" x="2" y="2"><point/></object></objectgroup>)",
       "", "20,16",
       "note: the player starts at layer \"O\", object 7 \"PlayerSpawn\", found by its name"},
      {"by class, the rectangle's bottom centre",
       R"(<objectgroup name="O"><object id="3" class="SPAWN" x="8" y="0" width="8" height="16"/></objectgroup>)",
       "", "12,16", "found by its class"},
      {"on the first tile from the left", "", "", "12,8",
       "warning: has no object of class player, nor one named or of a class starting with "
       "\"player\", \"spawn\" or \"start\": the player starts on the first tile from the left, "
       "at 12, 8 in the map's pixels; --player X,Y chooses the place"},
      {"where --player says, over the map's own", kPlayer, "--player 30,5", "30,5",
       "note: the player starts at 30, 5, as --player says"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run = Import(Map(ground + c.body), "Marsh.tmx", c.options);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    std::vector<std::string> players;
    for (const Fields& o : Objects()) {
      if (o.at("OType") == "2")
        players.push_back(o.at("X") + "," + o.at("Y") + " " + o.at("PicName"));
    }
    EXPECT_EQ(players, std::vector<std::string>{std::string(c.player) + " Player"});
  }
}

// An 8 x 8 tile that shows how it was turned: red at its top-left corner, blue right of it,
// green elsewhere, with a black pixel and a half-transparent black one on its bottom row.
constexpr uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u;
const std::string kPointer =
    R"(<tileset firstgid="1" name="P" tilewidth="8" tileheight="8" tilecount="1" columns="1">
  <image source="pointer.png" width="8" height="8"/></tileset>)";

class TiledPointerTest : public TiledTest {
 protected:
  TiledPointerTest() {
    std::vector<uint32_t> tile(64, kGreen);
    tile[0] = kRed;
    tile[1] = kBlue;
    tile[56] = 0xFF000000u;
    tile[57] = 0x80000000u;
    EXPECT_TRUE(WritePngStraight(Src("pointer.png"), tile.data(), 8, 8));
  }
  // The picture the first object names, loaded as the engine loads it.
  PicturePtr FirstPicture(const std::string& folder = "Pictures") {
    for (const Fields& o : Objects()) {
      if (o.at("OType") != "2") return DataPicture(folder + "/" + o.at("PicName"));
    }
    return nullptr;
  }
};

// Tiled turns a tile by swapping x and y first, then flipping: a quarter turn is the swap and a
// horizontal flip. Tile objects turn by any angle about their bottom-left corner.
TEST_F(TiledPointerTest, TurnedTilesAndObjectsAreDrawnAsTiledShowsThem) {
  // The diagonal, horizontal and vertical flip bits of a gid.
  const uint32_t d = 0x20000000u, h = 0x80000000u, v = 0x40000000u;
  const struct {
    uint32_t bits;
    int red, blue;  // where they end up, y * 8 + x
  } tiles[] = {{0, 0, 1},       {d, 0, 8},           {d | h, 7, 15}, {h | v, 63, 62},
               {d | v, 56, 48}, {d | h | v, 63, 55}, {h, 7, 6},      {v, 56, 57}};
  for (const auto& t : tiles) {
    SCOPED_TRACE(t.bits >> 29);
    ASSERT_EQ(
        Import(Map(Layer(Csv(std::to_string(1u | t.bits) + ",0,0,0,0,0,0,0,0,0,0,0")) + kPlayer, "",
                   kPointer))
            .status,
        0);
    const PicturePtr pic = FirstPicture();
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->frames[0].pixels[static_cast<size_t>(t.red)], kRed);
    EXPECT_EQ(pic->frames[0].pixels[static_cast<size_t>(t.blue)], kBlue);
  }
  // Turned about its bottom-left corner at 8, 10: a quarter turn hangs the tile below it.
  const struct {
    const char* rotation;
    const char* summary;
    int width, red;
  } objects[] = {{"90", "8,10 0x0 type 0 P_0_r90.png", 8, 7},
                 {"180", "0,10 0x0 type 0 P_0_r180.png", 8, 63},
                 {"45", "8,4 0x0 type 0 P_0_r45.png", 12, -1}};
  for (const auto& o : objects) {
    SCOPED_TRACE(o.rotation);
    const ToolRun run = Import(Map(
        kPlayer +
            R"(<objectgroup name="O"><object id="3" gid="1" x="8" y="10" width="8" height="8" rotation=")" +
            o.rotation + R"("/></objectgroup>)",
        "", kPointer));
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<Fields> all = Objects();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(Summary(all[1]), o.summary);
    const PicturePtr pic = DataPicture("Pictures/" + all[1].at("PicName"));
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->width, o.width);
    if (o.red >= 0) {
      EXPECT_EQ(pic->frames[0].pixels[static_cast<size_t>(o.red)], kRed);
    }
  }
}

// The engine drops pure black pixels however opaque; the importer keeps them visible as the
// nearest colour it does not drop, half-transparent ones too.
TEST_F(TiledPointerTest, BlackPixelsStayVisible) {
  ASSERT_EQ(Import(Map(Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0")) + kPlayer, "", kPointer)).status, 0);
  const PicturePtr pic = FirstPicture();
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->frames[0].pixels[56], 0xFF000001u);
  EXPECT_EQ(pic->frames[0].pixels[57] >> 24, 0x80u);
}

// Content before the world's origin moves the whole map; what still does not fit is refused.
TEST_F(TiledTest, MapsReachingBeforeTheOriginAreMovedIntoTheWorld) {
  const std::string chunks =
      R"(<layer id="6" name="Chunks" width="4" height="3"><data encoding="csv">
  <chunk x="-16" y="-2" width="2" height="1">1,1</chunk><chunk x="0" y="0" width="1" height="1">2</chunk></data></layer>)";
  ToolRun run = Import(Replaced(Map(chunks + kPlayer), R"(infinite="0")", R"(infinite="1")"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("note: moved everything 128 right and 16 down, so that the map's content, "
                         "which reaches to -128, -16, starts at 0"),
            std::string::npos)
      << run.err;
  std::vector<std::string> got;
  for (const Fields& o : Objects()) got.push_back(Summary(o));
  EXPECT_EQ(got, (std::vector<std::string>{"0,0 1x0 type 0 T_0.png", "128,16 0x0 type 1 T_1.png",
                                           "132,56 0x0 type 2 Hero"}));
}

// Empty and hidden layers take no drawing layer; past eleven, neighbouring tile layers share
// one, the later drawn over the earlier; a map that still needs more is refused.
TEST_F(TiledTest, LayersPastElevenAreMergedWhereThatDrawsTheSame) {
  auto layers = [](int tiles, int empty, int objects) {
    std::string body;
    for (int i = 0; i < empty; ++i)
      body += R"(<layer id="1" name="E" width="4" height="3">)" + Csv("0,0,0,0,0,0,0,0,0,0,0,0") +
              "</layer>";
    for (int i = 0; i < tiles; ++i) {
      body += R"(<layer id="1" name="T)" + std::to_string(i) + R"(" width="4" height="3">)" +
              Csv("1,0,0,0,0,0,0,0,0,0,0,0") + "</layer>";
    }
    for (int i = 0; i < objects; ++i) {
      body += R"(<objectgroup name="O)" + std::to_string(i) +
              R"("><object id="1" class="text" x="0" y="0"><text>Hi</text></object></objectgroup>)";
    }
    return body;
  };
  ToolRun run = Import(Map(layers(10, 5, 0) + kPlayer));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("merged"), std::string::npos) << run.err;
  run = Import(Map(layers(13, 0, 0) + kPlayer));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("note: merged the tile layers \"T0\" and \"T1\" into one drawing layer"),
            std::string::npos)
      << run.err;
  std::vector<std::string> levels;
  for (const Fields& o : Objects()) levels.push_back(o.at("Level"));
  // Thirteen tile layers and the player's: the first four tile layers share the back one.
  EXPECT_EQ(levels, (std::vector<std::string>{"10", "10", "10", "10", "9", "8", "7", "6", "5", "4",
                                              "3", "2", "1", "0"}));
  run = Import(Map(layers(1, 0, 11) + kPlayer));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("needs 13 drawing layers, even with neighbouring tile layers merged; the "
                         "engine draws 11"),
            std::string::npos)
      << run.err;
}

// A tile stops the player when a flag says so (wall, collides, collision, solid, in any case,
// on the tile or on its layer) or a collision shape covers it; a smaller shape is a wall of its
// own size, invisible, over the tile drawn as a decoration.
TEST_F(TiledTest, WallsComeFromFlagsAndCollisionShapes) {
  const std::string tileset =
      R"(<tileset firstgid="1" name="T" tilewidth="8" tileheight="8" tilecount="4" columns="2">
  <image source="tiles.png" width="16" height="16"/>
  <tile id="0"><properties><property name="collides" type="bool" value="true"/></properties></tile>
  <tile id="1"><properties><property name="Solid" value="true"/></properties></tile>
  <tile id="2"><objectgroup><object id="1" x="0" y="0" width="8" height="8"/></objectgroup></tile>
  <tile id="3"><objectgroup><object id="1" x="0" y="4" width="8" height="4"/></objectgroup></tile>
 </tileset>)";
  ToolRun run = Import(Map(Layer(Csv("1,2,3,0,4,4,4,0,0,0,0,0")) + kPlayer, "", tileset));
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> got;
  for (const Fields& o : Tiles()) got.push_back(Summary(o));
  EXPECT_EQ(got, (std::vector<std::string>{"0,0 0x0 type 1 T_0.png", "8,0 0x0 type 1 T_1.png",
                                           "16,0 0x0 type 1 T_2.png", "0,8 2x0 type 0 T_3.png",
                                           "0,12 2x0 type 1 Wall_8x4.png"}));
  const PicturePtr wall = DataPicture("Pictures/Wall_8x4.png");
  ASSERT_TRUE(wall);
  EXPECT_EQ(wall->frames[0].pixels[0] >> 24, 0u);
  run = Import(Map(Layer(Csv("4,0,0,0,0,0,0,0,0,0,0,0"),
                         "><properties><property name=\"collision\" type=\"bool\" "
                         "value=\"true\"/></properties") +
                   kPlayer));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Summary(Tiles()[0]), "0,0 0x0 type 1 T_3.png");
  EXPECT_EQ(run.err.find("ignored"), std::string::npos) << "the flag was used: " << run.err;
  // Placed as objects, the shape's wall is flipped and sized with the picture; the object's own
  // wall property, or the class deco, decides for the whole picture.
  run = Import(Map(kPlayer + R"(<objectgroup name="O">
   <object id="2" gid="4" x="0" y="16" width="8" height="8"/>
   <object id="3" gid="1073741828" x="8" y="16" width="8" height="8"/>
   <object id="4" gid="4" x="16" y="24" width="16" height="16"/>
   <object id="5" class="deco" gid="4" x="0" y="24" width="8" height="8"/>
   <object id="6" gid="4" x="8" y="24" width="8" height="8"><properties>
    <property name="wall" type="bool" value="false"/></properties></object></objectgroup>)",
                   "", tileset));
  ASSERT_EQ(run.status, 0) << run.err;
  got.clear();
  for (const Fields& o : Tiles()) got.push_back(Summary(o));
  EXPECT_EQ(got, (std::vector<std::string>{
                     "0,8 0x0 type 0 T_3.png", "0,12 0x0 type 1 Wall_8x4.png",
                     "8,8 0x0 type 0 T_3_v.png", "8,8 0x0 type 1 Wall_8x4.png",
                     "16,8 0x0 type 0 T_3_16x16.png", "16,16 0x0 type 1 Wall_16x8.png",
                     "0,16 0x0 type 0 T_3.png", "8,16 0x0 type 0 T_3.png"}));
}

// Layers behind everything that scroll slower than the camera make the background: one image
// turned round to start where its offset puts it, or the layers drawn together into one
// picture; a layer nearer the camera's speed is drawn with the map, with a warning.
TEST_F(TiledTest, BackgroundsAreDrawnFromTheLayersBehind) {
  const struct {
    const char* name;
    std::string layers;
    Fields general;
    int pixel;  // index of a red pixel in the background picture
    const char* warning;
  } cases[] = {
      {"an image with an offset",
       R"(<imagelayer id="5" name="Sky" offsetx="3" offsety="2" parallaxx="0.5" parallaxy="0.5"><image source="tiles.png"/></imagelayer>)",
       {{"BackgroundPicName", "tiles_at3_2.png"}, {"BackgroundDivisor", "2"}},
       2 * 16 + 3,
       ""},
      {"a tile layer and an image behind it",
       R"(<imagelayer id="5" name="Sky" parallaxx="0.25" parallaxy="0.25"><image source="tiles.png"/></imagelayer>
        <layer id="2" name="Hills" width="4" height="3" parallaxx="0.25" parallaxy="0.25">)" +
           Csv("0,0,0,0,0,0,0,0,0,0,0,3") + "</layer>",
       {{"BackgroundPicName", "Marsh_Background.png"}, {"BackgroundDivisor", "4"}},
       0,
       ""},
      {"an image nearer the camera's speed",
       R"(<imagelayer id="5" name="Sky" parallaxx="0.25" parallaxy="0.25"><image source="tiles.png"/></imagelayer>
        <imagelayer id="6" name="Trees" parallaxx="0.8" parallaxy="0.8"><image source="tiles.png"/></imagelayer>)",
       {{"BackgroundPicName", "tiles.png"}, {"BackgroundDivisor", "4"}},
       0,
       "layer \"Trees\": scrolls at 0.8 across and 0.8 down of the camera's speed; drawn with the "
       "map, at the camera's speed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ToolRun run = Import(Map(c.layers + Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0")) + kPlayer));
    ASSERT_EQ(run.status, 0) << run.err;
    if (*c.warning) {
      EXPECT_NE(run.err.find(c.warning), std::string::npos) << run.err;
    }
    const Fields general = Records("General.hwt")[0];
    for (const auto& [name, value] : c.general) EXPECT_EQ(general.at(name), value) << name;
    const PicturePtr back = DataPicture("Tiles/" + general.at("BackgroundPicName"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frames[0].pixels[static_cast<size_t>(c.pixel)], kColours[0]);
  }
}

// The project file authors start from defines each of the engine's classes with fields the
// engine has and the engine's own defaults: an object left at its class's defaults imports as
// one that gives no field at all.
TEST_F(TiledTest, TheProjectFileDefinesTheEnginesClassesWithTheirDefaults) {
  const nlohmann::json project = nlohmann::json::parse(
      test::ReadFile(std::string(HOPWERK_SOURCE_DIR) + "/demo/Tiled/Hopwerk.tiled-project"));
  const EntryFormat& objects = *FindEntryFormat("L/Objects", "Maps.vxr");
  std::set<std::string> classes;
  for (const auto& type : project.at("propertyTypes")) {
    const std::string cls = type.at("name");
    SCOPED_TRACE(cls);
    classes.insert(cls);
    const std::string shape = cls == "text" ? "<text>Hi</text>" : "<point/>";
    const std::string tile = cls == "switch" || cls == "deco" ? R"( gid="1")" : "";
    ASSERT_EQ(
        Import(Map(Layer(Csv("1,0,0,0,0,0,0,0,0,0,0,0")) +
                   R"(<objectgroup name="O"><object id="3" class=")" + cls + R"(")" + tile +
                   R"( x="8" y="8"><properties><property name="Type" value="X"/></properties>)" +
                   shape + "</object></objectgroup>"))
            .status,
        0);
    Fields made;
    for (const Fields& o : Objects()) {
      if (o.at("X") == "8" || o.at("X") == "12") made = o;
    }
    for (const auto& member : type.at("members")) {
      const std::string name = member.at("name");
      SCOPED_TRACE(name);
      if (name == "Type") continue;
      bool known = false;
      for (const auto& record : objects.records) {
        for (const auto& field : record.fields) known = known || name == field.name;
      }
      EXPECT_TRUE(known);
      // A field the object leaves out keeps the engine's own default.
      const ObjectType engine;
      const std::map<std::string, int> defaults = {
          {"SkillEasy", engine.Skill[0]},    {"SkillMedium", engine.Skill[1]},
          {"SkillHard", engine.Skill[2]},    {"SwitchActivate", engine.SwitchActivate},
          {"RequireKey", engine.RequireKey}, {"TakeKey", engine.TakeKey},
          {"DecoDamage", engine.DecoDamage}, {"MoveX", engine.MoveX},
          {"MoveY", engine.MoveY},           {"AnimSlow", engine.AnimSlow}};
      const auto& value = member.at("value");
      const std::string written = made.count(name)       ? made.at(name)
                                  : defaults.count(name) ? std::to_string(defaults.at(name))
                                                         : "";
      if (value.is_boolean()) {
        EXPECT_EQ(written, value.get<bool>() ? "1" : "0");
      } else if (value.is_number()) {
        EXPECT_EQ(written, std::to_string(value.get<int>()));
      } else if (name != "PicName") {
        EXPECT_EQ(written, value.get<std::string>());
      }
    }
  }
  EXPECT_EQ(classes,
            (std::set<std::string>{"player", "actor", "collectable", "switch", "text", "deco"}));
}

}  // namespace
}  // namespace hopwerk
