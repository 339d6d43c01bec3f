#include "TiledImport.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <unordered_map>

#include "EntryBuilder.h"
#include "VxrTool.h"
#include "level/LevelLimits.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

// The world's extent on both axes: nothing can stand outside it.
constexpr int kWorldSize = 5000;
// A background that moves by less than a pixel over the whole world stands still.
constexpr int kStillBackgroundDivisor = kWorldSize + 1;
// RepX and RepY are bytes: one object covers at most this many tiles a side.
constexpr int kMaxRun = 256;

std::string Quote(const std::string& s) {
  return "\"" + s + "\"";
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw ToolError{where + ": " + what};
}

// Fields an object's geometry and picture decide; a map cannot set them by property.
const std::set<std::string>& ImporterFields() {
  static const std::set<std::string> fields = {"X",    "Y",   "RepX", "RepY", "OType",
                                               "Anim", "AnW", "AnH",  "ANF",  "AnimSlowByte"};
  return fields;
}

bool IsTrue(const TiledProperty& p) {
  return p.value == "true" || p.value == "1";
}

// A property's value as the field needs it: whole numbers in the field's range, booleans as 0
// and 1, strings of at most 255 bytes.
EntryValue FieldValue(const EntryField& field, const TiledProperty& p, const std::string& where) {
  if (field.type == EntryFieldType::String || field.type == EntryFieldType::Scrambled) {
    if (p.value.size() > 255) Fail(where, "property " + p.name + " is longer than 255 bytes");
    return TextValue(p.value);
  }
  int64_t low = INT32_MIN, high = INT32_MAX;
  if (field.type != EntryFieldType::Int) {
    low = field.high < field.low ? 0 : field.low;
    high = field.high < field.low ? 255 : field.high;
  }
  if (p.value == "true" || p.value == "false") return NumberValue(p.value == "true" ? 1 : 0);
  size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(p.value, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != p.value.size() || v < low || v > high) {
    Fail(where, "property " + p.name + " = " + Quote(p.value) + " is not a whole number from " +
                    std::to_string(low) + " to " + std::to_string(high));
  }
  return NumberValue(v);
}

// A number as an author typed it: 90, 0.3.
std::string Number(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

int Round(double v) {
  return static_cast<int>(std::lround(v));
}

void CheckInWorld(int64_t x, int64_t y, const std::string& where) {
  if (x < 0 || y < 0 || x > kWorldSize || y > kWorldSize) {
    Fail(where, "lies at " + std::to_string(x) + ", " + std::to_string(y) +
                    ", outside the world (0 to " + std::to_string(kWorldSize) + " on each axis)");
  }
}

void SetPicture(EntryValues& v, const CutPicture& pic) {
  v["PicName"] = TextValue(pic.file);
  if (pic.frames > 1) {
    v["Anim"] = NumberValue(1);
    v["AnW"] = NumberValue(pic.frameWidth);
    v["AnH"] = NumberValue(pic.frameHeight);
    v["ANF"] = NumberValue(pic.frames);
    v["AnimSlow"] = NumberValue(pic.animSlow);
  }
}

void SetColour(EntryValues& v, uint32_t rgb) {
  v["R"] = NumberValue((rgb >> 16) & 0xFF);
  v["G"] = NumberValue((rgb >> 8) & 0xFF);
  v["B"] = NumberValue(rgb & 0xFF);
}

struct Importer {
  Importer(const TiledMap& m, std::string name) : map(m), levelName(std::move(name)) {}

  const TiledMap& map;
  std::string levelName;
  const EntryFormat& objectsFormat = LevelEntryFormat("LEVEL/Objects");
  ImportedLevel out;
  std::vector<std::string> objects;  // object texts
  std::vector<std::string> scriptNames;
  int players = 0;
  int backgroundDivisor = 0;  // 0: none from an image layer
  std::string backgroundPic;
  std::string backgroundLayer;

  std::string LayerWhere(const TiledLayer& layer) const {
    return map.file + ": layer " + Quote(layer.name);
  }

  int Alpha(const TiledLayer& layer) const {
    return std::clamp(Round(layer.opacity * static_cast<double>(layer.tint >> 24)), 0, 255);
  }

  void AddObject(const EntryValues& values, const std::string& where) {
    if (objects.size() >= kMaxLevelObjects) {
      Fail(where,
           "the level would hold more than " + std::to_string(kMaxLevelObjects) + " objects");
    }
    static const EntryValues defaults = {{"SkillEasy", NumberValue(1)},
                                         {"SkillMedium", NumberValue(1)},
                                         {"SkillHard", NumberValue(1)},
                                         {"SwitchActivate", NumberValue(1)}};
    objects.push_back(EntryElementText(objectsFormat, values, defaults));
    if (auto t = values.find("TScript"); t != values.end() && !t->second.text.empty()) {
      scriptNames.push_back(t->second.text);
    }
  }

  // The tileset and tile of a gid, with rotation refused.
  const TiledTileset& Tile(uint32_t gid, int& tileId, const std::string& where) const {
    if (gid & (kTiledFlipDiagonal | kTiledRotateHex)) {
      Fail(where, "is rotated; the engine cannot draw rotated tiles (only flipped ones)");
    }
    const TiledTileset* set = FindTiledTileset(map, gid, tileId);
    if (!set) Fail(where, "gid " + std::to_string(gid & kTiledGidMask) + " is in no tileset");
    return *set;
  }

  static bool TileIsWall(const TiledTileset& set, int tileId) {
    const auto t = set.tiles.find(tileId);
    if (t == set.tiles.end()) return false;
    const TiledProperty* wall = FindTiledProperty(t->second.properties, "wall");
    return wall && IsTrue(*wall);
  }

  void TileLayer(const TiledLayer& layer, int level) {
    const std::string where = LayerWhere(layer);
    const int ox = Round(layer.offsetX), oy = Round(layer.offsetY);
    const int alpha = Alpha(layer);
    struct Run {
      int column, row, length;
      const CutPicture* pic;
      int otype;
      int x, y;
      bool stacks;  // its picture is one grid cell high, so equal runs below can join it
    };
    std::vector<Run> runs;
    // Every gid is looked up and cut once per layer, however often it is placed.
    struct Seen {
      const TiledTileset* set;
      const CutPicture* pic;
      int otype;
    };
    std::unordered_map<uint32_t, Seen> seen;
    for (const TiledCell& cell : layer.cells) {
      const auto at = [&] {
        return where + ", tile at column " + std::to_string(cell.x) + ", row " +
               std::to_string(cell.y);
      };
      auto found = seen.find(cell.gid);
      if (found == seen.end()) {
        int tileId = 0;
        const TiledTileset& set = Tile(cell.gid, tileId, at());
        TileLook look;
        look.set = &set;
        look.tileId = tileId;
        look.flipH = cell.gid & kTiledFlipH;
        look.flipV = cell.gid & kTiledFlipV;
        look.alpha = alpha;
        const CutPicture& cut = out.pictures->Cut(look, "Pictures", at());
        found = seen.emplace(cell.gid, Seen{&set, &cut, TileIsWall(set, tileId) ? 1 : 0}).first;
      }
      const TiledTileset& set = *found->second.set;
      const CutPicture& pic = *found->second.pic;
      const int otype = found->second.otype;
      // Tiles stand on the bottom-left corner of their cell.
      const int64_t x = int64_t{ox} + int64_t{cell.x} * map.tileWidth + set.offsetX;
      const int64_t y =
          int64_t{oy} + (int64_t{cell.y} + 1) * map.tileHeight - pic.frameHeight + set.offsetY;
      if (x < 0 || y < 0 || x > kWorldSize || y > kWorldSize) CheckInWorld(x, y, at());
      // Copies repeat at the picture's own size, so only grid-sized tiles can be merged.
      Run* last = runs.empty() ? nullptr : &runs.back();
      if (last && last->row == cell.y && last->column + last->length == cell.x &&
          last->pic == &pic && last->otype == otype && pic.frameWidth == map.tileWidth &&
          last->length < kMaxRun) {
        ++last->length;
        continue;
      }
      runs.push_back({cell.x, cell.y, 1, &pic, otype, static_cast<int>(x), static_cast<int>(y),
                      pic.frameHeight == map.tileHeight});
    }
    // Equal runs in consecutive rows become one rectangle.
    struct Rect {
      Run run;
      int rows;
    };
    std::vector<Rect> rects;
    std::map<std::tuple<int, int, const CutPicture*, int>, size_t> open;
    for (const Run& run : runs) {
      const auto key = std::make_tuple(run.column, run.length, run.pic, run.otype);
      const auto it = open.find(key);
      if (run.stacks && it != open.end()) {
        Rect& r = rects[it->second];
        if (r.run.row + r.rows == run.row && r.rows < kMaxRun) {
          ++r.rows;
          continue;
        }
      }
      open[key] = rects.size();
      rects.push_back({run, 1});
    }
    for (const Rect& r : rects) {
      EntryValues v;
      v["X"] = NumberValue(r.run.x);
      v["Y"] = NumberValue(r.run.y);
      v["RepX"] = NumberValue(r.run.length - 1);
      v["RepY"] = NumberValue(r.rows - 1);
      v["OType"] = NumberValue(r.run.otype);
      SetPicture(v, *r.run.pic);
      v["Level"] = NumberValue(level);
      SetColour(v, layer.tint);
      AddObject(v, where);
    }
  }

  void ObjectOf(const TiledLayer& layer, const TiledObject& o, int level) {
    const std::string where = LayerWhere(layer) + ", object " + std::to_string(o.id) +
                              (o.name.empty() ? "" : " " + Quote(o.name));
    if (!o.templateFile.empty()) {
      Fail(where, "uses the template " + Quote(o.templateFile) + "; detach it before importing");
    }
    if (o.rotation != 0) {
      Fail(where, "is rotated by " + Number(o.rotation) +
                      " degrees; the engine cannot draw rotated objects");
    }
    if (!o.shape.empty()) Fail(where, "is a " + o.shape + "; the engine has no such shape");
    const TiledTileset* set = nullptr;
    int tileId = 0;
    if (o.gid) set = &Tile(o.gid, tileId, where);
    const TiledTile* tile = nullptr;
    if (set) {
      const auto t = set->tiles.find(tileId);
      if (t != set->tiles.end()) tile = &t->second;
    }

    // A tile's class and properties are the defaults of the objects made from it.
    std::string cls = o.className;
    if (cls.empty() && tile) cls = tile->className;
    TiledProperties properties;
    bool wall = false;
    auto take = [&](const TiledProperties& from) {
      for (const auto& p : from) {
        if (p.name == "wall") {
          wall = IsTrue(p);
          continue;
        }
        bool replaced = false;
        for (auto& q : properties) {
          if (q.name == p.name) {
            q = p;
            replaced = true;
          }
        }
        if (!replaced) properties.push_back(p);
      }
    };
    if (tile) take(tile->properties);
    take(o.properties);

    static const std::set<std::string> classes = {"player", "actor", "collectable",
                                                  "switch", "text",  "deco"};
    if (cls.empty() && !set) {
      Fail(where, "has no class (player, actor, collectable, switch, text or deco)");
    }
    if (!cls.empty() && !classes.count(cls)) {
      Fail(where, "has the unknown class " + Quote(cls) +
                      " (player, actor, collectable, switch, text or deco)");
    }
    const bool defined = cls == "player" || cls == "actor" || cls == "collectable";

    EntryValues v;
    if (!o.name.empty()) v["ID"] = TextValue(o.name);
    for (const auto& p : properties) {
      if (p.name == "Type") {
        if (!defined)
          Fail(where, "property Type names a definition; a " +
                          (cls.empty() ? std::string("tile") : cls) + " has none");
        if (p.value.size() > 255) Fail(where, "property Type is longer than 255 bytes");
        v["PicName"] = TextValue(p.value);
        continue;
      }
      const EntryField* field = FindEntryField(objectsFormat, p.name);
      if (!field || ImporterFields().count(p.name) || (p.name == "PicName" && defined)) {
        Fail(where, "has the unknown property " + Quote(p.name));
      }
      if (p.name == "ID" && v.count("ID") && v["ID"].text != p.value) {
        Fail(where, "is named " + Quote(o.name) + " but its property ID is " + Quote(p.value));
      }
      v[p.name] = FieldValue(*field, p, where);
    }

    const int ox = Round(layer.offsetX), oy = Round(layer.offsetY);
    const double x = o.x, y = o.y;
    int w = Round(o.width), h = Round(o.height);
    auto place = [&](double px, double py) {
      const int X = ox + Round(px), Y = oy + Round(py);
      CheckInWorld(X, Y, where);
      v["X"] = NumberValue(X);
      v["Y"] = NumberValue(Y);
    };
    auto cut = [&](const std::string& folder) -> const CutPicture& {
      int tw = 0, th = 0;
      out.pictures->TileSize(*set, tileId, tw, th, where);
      TileLook look;
      look.set = set;
      look.tileId = tileId;
      look.flipH = o.gid & kTiledFlipH;
      look.flipV = o.gid & kTiledFlipV;
      look.width = w > 0 ? w : tw;
      look.height = h > 0 ? h : th;
      look.alpha = Alpha(layer);
      return out.pictures->Cut(look, folder, where);
    };
    if (!v.count("Level")) v["Level"] = NumberValue(level);

    if (defined) {
      if (!v.count("PicName") || v["PicName"].text.empty()) {
        Fail(where, "has no property Type naming its " +
                        std::string(cls == "collectable" ? "collectable" : "actor"));
      }
      v["OType"] = NumberValue(cls == "collectable" ? 3 : 2);
      if (!v.count("R") && !v.count("G") && !v.count("B")) SetColour(v, layer.tint);
      if (cls == "player") ++players;
      // Actors stand on their bottom centre, collectables on their centre; a tile object's
      // position is its bottom-left corner, a rectangle's its top-left one.
      const double top = o.gid ? y - h : y;
      if (o.point) {
        place(x, y);
      } else {
        place(x + w / 2.0, cls == "collectable" ? top + h / 2.0 : top + h);
      }
    } else if (cls == "text") {
      if (o.gid) Fail(where, "is a tile, but a text label is drawn as text");
      if (o.text) v["PicName"] = TextValue(o.textValue);
      if (!v.count("PicName") || v["PicName"].text.empty()) Fail(where, "has no text");
      if (v["PicName"].text.size() > 255) Fail(where, "its text is longer than 255 bytes");
      v["OType"] = NumberValue(4);
      if (!v.count("R")) SetColour(v, o.textColor.value_or(0xFFFFFF));
      place(x, y);
    } else {
      const bool isSwitch = cls == "switch";
      if (o.gid) {
        if (v.count("PicName"))
          Fail(where, "is a tile and also names the picture " + Quote(v["PicName"].text));
        const CutPicture& pic = cut(isSwitch ? "Switch" : "Pictures");
        if (isSwitch && pic.frames > 1) Fail(where, "a switch cannot be animated");
        if (isSwitch && pic.frameWidth % 2 != 0) {
          Fail(where, "a switch picture holds its off and on halves side by side, so its width (" +
                          std::to_string(pic.frameWidth) + ") must be even");
        }
        if (isSwitch) {
          v["PicName"] = TextValue(pic.file);
        } else {
          SetPicture(v, pic);
        }
        place(x, y - pic.frameHeight);
      } else {
        if (!v.count("PicName") || v["PicName"].text.empty()) {
          Fail(where, "has neither a tile nor a property PicName naming its picture");
        }
        place(x, y);
      }
      v["OType"] = NumberValue(isSwitch ? 5 : (cls.empty() && wall ? 1 : 0));
      if (!v.count("R") && !v.count("G") && !v.count("B")) SetColour(v, layer.tint);
    }
    AddObject(v, where);
  }

  void ImageLayer(const TiledLayer& layer) {
    const std::string where = LayerWhere(layer);
    if (!backgroundLayer.empty()) {
      Fail(where, "is a second image layer; the level has one background (layer " +
                      Quote(backgroundLayer) + ")");
    }
    backgroundLayer = layer.name;
    if (layer.offsetX != 0 || layer.offsetY != 0) {
      Fail(where, "has an offset; the background is tiled from the world's origin");
    }
    if ((layer.tint & 0xFFFFFFu) != 0xFFFFFFu) Fail(where, "is tinted; the background cannot be");
    if (layer.parallaxX != layer.parallaxY) {
      Fail(where, "scrolls at different speeds across and down; the background cannot");
    }
    if (layer.parallaxX <= 0) {
      backgroundDivisor = layer.parallaxX == 0 ? kStillBackgroundDivisor : -1;
    } else {
      const double d = 1.0 / layer.parallaxX;
      backgroundDivisor = Round(d);
      if (std::fabs(d - backgroundDivisor) > 1e-6 || backgroundDivisor < 1) backgroundDivisor = -1;
    }
    if (backgroundDivisor < 0) {
      Fail(where, "has the parallax factor " + Number(layer.parallaxX) +
                      "; the background scrolls at 1, 1/2, 1/3, ... of the camera's speed, or 0");
    }
    backgroundPic =
        out.pictures->Background(layer.imagePath, layer.imageTrans, Alpha(layer), where).file;
  }

  void Layers() {
    const int layerCount = FindEntryField(objectsFormat, "Level")->high + 1;
    int drawn = 0;
    for (const TiledLayer& layer : map.layers) {
      const std::string where = LayerWhere(layer);
      if (!layer.properties.empty()) {
        Fail(where, "has the unknown property " + Quote(layer.properties[0].name));
      }
      if (layer.kind == TiledLayerKind::Image) {
        ImageLayer(layer);
        continue;
      }
      if (layer.parallaxX != 1 || layer.parallaxY != 1) {
        Fail(where,
             "has a parallax factor; only the background (an image layer) can scroll at "
             "another speed");
      }
      if (drawn >= layerCount) {
        Fail(where, "is tile or object layer " + std::to_string(drawn + 1) + "; the engine draws " +
                        std::to_string(layerCount));
      }
      const int level = layerCount - 1 - drawn++;
      if (layer.kind == TiledLayerKind::Tiles) {
        TileLayer(layer, level);
      } else {
        for (const TiledObject& o : layer.objects) ObjectOf(layer, o, level);
      }
    }
    if (players == 0) Fail(map.file, "has no object of class player");
    if (players > 1)
      Fail(map.file,
           "has " + std::to_string(players) + " objects of class player; a level has one");
  }

  // General entry, margins, and the script that leads to the next level.
  void LevelFields(std::string& nextLevel) {
    const EntryFormat& general = LevelEntryFormat("LEVEL/General");
    const EntryFormat& margins = LevelEntryFormat("LEVEL/PlusMinus");
    // Every field is written, so nothing of the level played before carries over.
    EntryValues g = {
        {"LevelTitle", TextValue(fs::path(map.file).stem().string())},
        {"MusicFile", TextValue("")},
        {"ClsR", NumberValue(0)},
        {"ClsG", NumberValue(0)},
        {"ClsB", NumberValue(0)},
        {"BackgroundPicName", TextValue(backgroundPic)},
        {"BackgroundDivisor", NumberValue(backgroundDivisor > 0 ? backgroundDivisor : 1)},
        {"BackgroundEffect", NumberValue(0)}};
    if (map.backgroundColor) {
      g["ClsR"] = NumberValue((*map.backgroundColor >> 16) & 0xFF);
      g["ClsG"] = NumberValue((*map.backgroundColor >> 8) & 0xFF);
      g["ClsB"] = NumberValue(*map.backgroundColor & 0xFF);
    }
    EntryValues m;
    const std::string where = map.file + ": map property";
    for (const auto& p : map.properties) {
      if (p.name == "NextLevel") {
        if (p.value.empty() || p.value.size() > 255)
          Fail(where + " NextLevel", "must name a level");
        nextLevel = p.value;
        continue;
      }
      if (const EntryField* f = FindEntryField(general, p.name)) {
        if (p.name == "BackgroundPicName" && !backgroundLayer.empty()) {
          Fail(where + " BackgroundPicName",
               "and the image layer " + Quote(backgroundLayer) + " both give the background");
        }
        if (p.name == "BackgroundDivisor" && backgroundDivisor > 0) {
          Fail(where + " BackgroundDivisor", "and the parallax factor of the image layer " +
                                                 Quote(backgroundLayer) + " both give it");
        }
        g[p.name] = FieldValue(*f, p, where + " " + p.name);
      } else if (const EntryField* f = FindEntryField(margins, p.name)) {
        m[p.name] = FieldValue(*f, p, where + " " + p.name);
      } else {
        Fail(map.file, "has the unknown map property " + Quote(p.name));
      }
    }
    if (g["BackgroundDivisor"].number < 1) {
      Fail(where + " BackgroundDivisor", "must be 1 or more");
    }
    const std::string comment = "# Imported from " + fs::path(map.file).filename().string() +
                                " by vxr tiled: change the map and import it again.\n";
    out.files.emplace_back("General.hwt",
                           EntryText(general, comment, {EntryElementText(general, g)}));
    if (!m.empty()) {
      const EntryValues all = {{"PlusX", NumberValue(5000)},
                               {"PlusY", NumberValue(5000)},
                               {"MinusX", NumberValue(5000)},
                               {"MinusY", NumberValue(5000)}};
      out.files.emplace_back("PlusMinus.hwt",
                             EntryText(margins, comment, {EntryElementText(margins, m, all)}));
    }
    out.files.emplace_back("Objects.hwt", EntryText(objectsFormat, comment, objects));
  }

  // The scripts the level names, read from NAME.hwt beside the map, and the ones those chain to
  // (a checkpoint's chained script is loaded again at every restart).
  void Scripts(const std::string& nextLevel) {
    const EntryFormat& format = LevelEntryFormat("LEVEL/Script/NAME");
    const fs::path folder = fs::path(map.file).parent_path();
    std::set<std::string> done;
    std::vector<std::string> todo = scriptNames;
    if (!nextLevel.empty()) {
      if (fs::exists(folder / "Finish.hwt")) {
        Fail(map.file,
             "has the map property NextLevel, which makes the script Finish, and Finish.hwt lies "
             "beside it too");
      }
      const std::string comment = "# The level's end, from the map property NextLevel.\n";
      EntryValues s = {{"UID", TextValue("Finish")},
                       {"Command", NumberValue(1)},
                       {"NextLevel", TextValue(nextLevel)}};
      out.files.emplace_back("Script/Finish.hwt",
                             EntryText(format, comment, {EntryElementText(format, s)}));
      done.insert("Finish");
    }
    std::error_code ec;
    if (fs::is_regular_file(folder / "Start.hwt", ec)) todo.push_back("Start");
    while (!todo.empty()) {
      const std::string name = todo.back();
      todo.pop_back();
      if (!done.insert(name).second) continue;
      if (name.empty() || name == "." || name == ".." ||
          name.find_first_of("/\\") != std::string::npos ||
          levelName.size() + name.size() + 8 > 255) {
        Fail(map.file,
             "names the script " + Quote(name) + ", which cannot be a file beside the map");
      }
      const fs::path file = folder / (name + kEntryTextExtension);
      if (!fs::is_regular_file(file, ec)) {
        Fail(map.file,
             "names the script " + Quote(name) + ", but " + file.string() + " is missing");
      }
      if (fs::file_size(file, ec) > static_cast<uintmax_t>(kMaxTiledFileBytes)) {
        Fail(file.string(), "is too large");
      }
      const std::vector<uint8_t> raw = ReadWholeFile(file.string());
      const std::string text(raw.begin(), raw.end());
      std::vector<uint8_t> bytes;
      EntryTextError error;
      if (!EntryTextToBytes(format, text, bytes, error)) {
        Fail(file.string() + ":" + std::to_string(error.line), error.message);
      }
      std::string canonical, reason;
      if (!EntryBytesToText(format, bytes, canonical, reason)) Fail(file.string(), reason);
      // Chained scripts are named in the canonical text as `ChainScript = "NAME"`.
      size_t at = 0;
      while ((at = canonical.find("ChainScript = ", at)) != std::string::npos) {
        at += 14;
        size_t pos = at;
        std::string chained;
        if (UnquoteEntryText(canonical, pos, chained, reason) && !chained.empty()) {
          todo.push_back(chained);
        }
      }
      out.files.emplace_back("Script/" + name + kEntryTextExtension, text);
      out.sources.push_back(file.string());
    }
  }
};

}  // namespace

std::string FormatTiledMessage(const TiledMessage& message) {
  const char* word = message.kind == TiledMessageKind::Warning ? "warning: "
                     : message.kind == TiledMessageKind::Note  ? "note: "
                                                               : "";
  return message.file + ": " + word + message.text;
}

bool TiledImportResult::HasErrors() const {
  for (const auto& m : messages) {
    if (m.kind == TiledMessageKind::Error) return true;
  }
  return false;
}

TiledImportResult ImportTiledFile(const std::string& mapPath, const std::string& levelName,
                                  const TiledImportOptions& options) {
  (void)options;
  TiledImportResult result;
  try {
    const TiledMap map = ReadTiledMap(mapPath);
    result.level = ImportTiledMap(map, levelName);
  } catch (const ToolError& e) {
    // The message names its file first.
    const std::string prefix = mapPath + ": ";
    TiledMessage m;
    m.file = mapPath;
    m.text = e.message.rfind(prefix, 0) == 0 ? e.message.substr(prefix.size()) : e.message;
    result.messages.push_back(std::move(m));
    result.level.reset();
  }
  return result;
}

ImportedLevel ImportTiledMap(const TiledMap& map, const std::string& levelName) {
  Importer importer(map, levelName);
  importer.out.sources.push_back(map.file);
  for (const auto& set : map.tilesets) {
    if (set.file != map.file) importer.out.sources.push_back(set.file);
  }
  importer.out.pictures = std::make_unique<TiledPictures>(map);
  importer.Layers();
  std::string nextLevel;
  importer.LevelFields(nextLevel);
  importer.Scripts(nextLevel);
  importer.out.objects = importer.objects.size();
  for (const auto& image : importer.out.pictures->Images()) importer.out.sources.push_back(image);
  return std::move(importer.out);
}

}  // namespace hopwerk
