// Object layers: the engine's classes (player, actor, collectable, switch, text, deco) with
// their properties under the engine's field names, tile objects as decorations and walls, and
// the player found or placed when the map names none. What belongs to another engine's
// conventions is left out with a warning that counts it.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <set>

#include "TiledImporter.h"
#include "TiledParse.h"
#include "VxrTool.h"

namespace hopwerk {

namespace {

// Fields an object's geometry and picture decide; a map cannot set them by property.
const std::set<std::string>& ImporterFields() {
  static const std::set<std::string> fields = {"X",    "Y",   "RepX", "RepY", "OType",
                                               "Anim", "AnW", "AnH",  "ANF",  "AnimSlowByte"};
  return fields;
}

// Of those, the ones a tile's picture decides. An object that names its picture by PicName has
// no tile to decide them, so its properties do: a belt's animation strip, a row of spikes.
bool PictureDecides(const std::string& field) {
  return field != "X" && field != "Y" && field != "OType";
}

const std::set<std::string>& EngineClasses() {
  static const std::set<std::string> classes = {"player", "actor", "collectable",
                                                "switch", "text",  "deco"};
  return classes;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// How much a name or class says the object is where the player starts: 3 "player...",
// 2 "spawn...", 1 "start...", 0 nothing.
int SpawnRank(const std::string& name, const std::string& cls) {
  int rank = 0;
  for (const std::string& word : {Lower(name), Lower(cls)}) {
    if (word.rfind("player", 0) == 0) rank = std::max(rank, 3);
    if (word.rfind("spawn", 0) == 0) rank = std::max(rank, 2);
    if (word.rfind("start", 0) == 0) rank = std::max(rank, 1);
  }
  return rank;
}

// The kind of shape an object without a class is, for the warning that leaves it out.
std::pair<std::string, std::string> ShapeNouns(const TiledObject& o) {
  if (o.point) return {"point", "points"};
  if (o.ellipse) return {"ellipse", "ellipses"};
  if (o.shape == "polygon") return {"polygon", "polygons"};
  if (o.shape == "polyline") return {"polyline", "polylines"};
  return {"rectangle", "rectangles"};
}

// Where a tile object's position lies on its picture of w x h, by the tileset's alignment.
void AlignmentOrigin(const std::string& alignment, double w, double h, double& ox, double& oy) {
  ox = 0;
  oy = h;  // bottom-left, the default of orthogonal maps
  if (alignment == "topleft" || alignment == "top" || alignment == "topright") oy = 0;
  if (alignment == "left" || alignment == "center" || alignment == "right") oy = h / 2;
  if (alignment == "top" || alignment == "center" || alignment == "bottom") ox = w / 2;
  if (alignment == "topright" || alignment == "right" || alignment == "bottomright") ox = w;
}

// The bounds of points about an object's position, turned as Tiled turns it.
TiledRect TurnedBounds(const TiledObject& o,
                       const std::vector<std::pair<double, double>>& corners) {
  const double r = o.rotation * M_PI / 180.0, c = std::cos(r), s = std::sin(r);
  double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
  for (const auto& [x, y] : corners) {
    const double tx = x * c - y * s, ty = x * s + y * c;
    left = std::min(left, tx);
    right = std::max(right, tx);
    top = std::min(top, ty);
    bottom = std::max(bottom, ty);
  }
  return {o.x + left, o.y + top, right - left, bottom - top};
}

// The bounds of a shape; of a tile object's picture of w x h with its origin at ox, oy.
TiledRect ShapeBounds(const TiledObject& o) {
  if (!o.points.empty()) return TurnedBounds(o, o.points);
  return TurnedBounds(o, {{0, 0}, {o.width, 0}, {0, o.height}, {o.width, o.height}});
}
TiledRect PictureBounds(const TiledObject& o, double w, double h, double ox, double oy) {
  return TurnedBounds(o, {{-ox, -oy}, {w - ox, -oy}, {-ox, h - oy}, {w - ox, h - oy}});
}

}  // namespace

void TiledImporter::ChoosePlayer() {
  int bestRank = 0;
  for (const TiledLayer& layer : map.layers) {
    for (const TiledObject& o : layer.objects) {
      if (o.className == "player") ++classPlayers;
      const int rank = SpawnRank(o.name, o.className);
      if (rank > bestRank) {
        bestRank = rank;
        candidate = &o;
      }
    }
  }
  if (classPlayers > 1) {
    report.Error("has " + std::to_string(classPlayers) +
                 " objects of class player; a level has one");
  }
  if (classPlayers > 0 || options.player) candidate = nullptr;
}

void TiledImporter::ObjectLayer(const TiledLayer& layer) {
  const std::string layerWhere = LayerWhere(layer);
  DrawLayer draw{layer.name, false, {}};
  const int ox = RoundTiled(layer.offsetX), oy = RoundTiled(layer.offsetY);
  for (const TiledObject& o : layer.objects) {
    const std::string where = layerWhere + ", object " + std::to_string(o.id) +
                              (o.name.empty() ? "" : " \"" + o.name + "\"");
    const TiledTileset* set = nullptr;
    int tileId = 0;
    if (o.gid && !Lookup(o.gid, set, tileId, where)) continue;
    const TiledTile* tile = nullptr;
    if (set) {
      const auto t = set->tiles.find(tileId);
      if (t != set->tiles.end()) tile = &t->second;
    }

    // A tile's class and properties are the defaults of the objects made from it.
    std::string cls = o.className;
    if (cls.empty() && tile) cls = tile->className;
    const bool isCandidate = &o == candidate;
    if (isCandidate) {
      cls = "player";
      report.Note("the player starts at " + where + ", found by its " +
                  (SpawnRank(o.name, "") ? "name" : "class") +
                  ", since no object has the class player");
    } else if (cls == "player" && options.player) {
      report.Note(where + ": left out; --player places the player");
      continue;
    }
    if (!EngineClasses().count(cls)) {
      if (!cls.empty()) {
        report.Counted(layerWhere, "left out", "object", "objects", " of class \"" + cls + "\"",
                       o.id);
        continue;
      }
      if (!set && !o.text) {
        const auto [noun, nouns] = ShapeNouns(o);
        report.Counted(layerWhere, "left out", noun, nouns, " without a class", o.id);
        continue;
      }
      if (o.text) cls = "text";
    }
    const bool ours = !o.className.empty() || (tile && !tile->className.empty());
    const bool defined = cls == "player" || cls == "actor" || cls == "collectable";
    bool wall = false;
    bool wallSaid = false;  // the object's own wall property decides for its whole picture
    TiledProperties properties;
    if (tile) properties = tile->properties;
    properties = MergeTiledProperties(properties, o.properties);
    const TileWall shape = set ? WallOf(*set, tileId) : TileWall{};
    if (shape.kind == TileWall::Kind::Whole) wall = true;

    EntryValues v;
    if (!o.name.empty() && o.name.size() <= 255) v["ID"] = TextValue(o.name);
    bool failed = false;
    for (const auto& p : properties) {
      if (IsTiledWallName(p.name)) {
        wall = IsTiledTrue(p);
        wallSaid = true;
        continue;
      }
      if (p.name == "Type" && defined) {
        if (p.value.size() > 255) {
          report.Error(where + ": property Type is longer than 255 bytes");
          failed = true;
        }
        v["PicName"] = TextValue(p.value);
        continue;
      }
      const EntryField* field = FindEntryField(objectsFormat, p.name);
      const bool pictureByName = !set && cls == "deco";
      const bool importers =
          ImporterFields().count(p.name) && !(pictureByName && PictureDecides(p.name));
      if (!field || importers || (p.name == "PicName" && defined) || p.name == "Type") {
        report.Counted(layerWhere, "ignored the property \"" + p.name + "\" of", "object",
                       "objects", "", o.id);
        continue;
      }
      EntryValue value;
      std::string why;
      if (!TiledFieldValue(*field, p, value, why)) {
        // The engine's own field with a value it cannot take: the author's mistake when the
        // object is of the engine's classes, another engine's meaning otherwise.
        if (ours) {
          report.Error(where + ": property " + p.name + " = \"" + p.value + "\" " + why);
          failed = true;
        } else {
          report.Counted(layerWhere, "ignored the property \"" + p.name + "\" of", "object",
                         "objects", " (" + why + ")", o.id);
        }
        continue;
      }
      if (p.name == "ID" && !o.name.empty() && o.name != p.value) {
        report.Error(where + ": is named \"" + o.name + "\" but its property ID is \"" + p.value +
                     "\"");
        failed = true;
      }
      v[p.name] = value;
    }
    if (failed) continue;

    PlacedObject placed;
    std::optional<PlacedObject> shapeWall;
    auto place = [&](double px, double py) {
      placed.x = ox + RoundTiled(px);
      placed.y = oy + RoundTiled(py);
    };
    const bool hasColour = v.count("R") || v.count("G") || v.count("B");
    // A tile object's picture, scaled to the object, flipped by its gid and turned about its
    // position; its top-left corner is where the picture's handle says.
    const CutPicture* pic = nullptr;
    auto lookOf = [&]() {
      int tw = 0, th = 0;
      out.pictures->TileSize(*set, tileId, tw, th, where);
      TileLook look = CellLook(*set, tileId, o.gid, Alpha(layer));
      look.width = RoundTiled(o.width) > 0 ? RoundTiled(o.width) : tw;
      look.height = RoundTiled(o.height) > 0 ? RoundTiled(o.height) : th;
      look.rotation = o.rotation;
      AlignmentOrigin(set->objectAlignment, look.diagonal ? look.height : look.width,
                      look.diagonal ? look.width : look.height, look.originX, look.originY);
      return look;
    };
    auto cut = [&](const std::string& folder) {
      return &out.pictures->Cut(lookOf(), folder, where);
    };
    try {
      if (defined) {
        if (cls == "player") {
          if (!v.count("PicName") || v["PicName"].text.empty()) {
            v["PicName"] = TextValue(options.playerType);
          }
          playerPlaced = true;
        } else if (!v.count("PicName") || v["PicName"].text.empty()) {
          report.Error(where + ": has no property Type naming its " +
                       std::string(cls == "collectable" ? "collectable" : "actor"));
          continue;
        }
        v["OType"] = NumberValue(cls == "collectable" ? kCollectable : kActor);
        if (!hasColour) SetTiledColour(v, layer.tint);
        // Actors stand on their bottom centre, collectables on their centre.
        // The tile only shows the actor in the editor; its definition brings its picture.
        TiledRect box = ShapeBounds(o);
        if (set) {
          const TileLook look = lookOf();
          box = look.diagonal
                    ? PictureBounds(o, look.height, look.width, look.originX, look.originY)
                    : PictureBounds(o, look.width, look.height, look.originX, look.originY);
        }
        if (o.point) {
          place(o.x, o.y);
        } else {
          place(box.x + box.width / 2,
                cls == "collectable" ? box.y + box.height / 2 : box.y + box.height);
        }
      } else if (cls == "text") {
        if (set) {
          report.Error(where + ": is a tile, but a text label is drawn as text");
          continue;
        }
        if (o.text) v["PicName"] = TextValue(o.textValue);
        if (!v.count("PicName") || v["PicName"].text.empty()) {
          report.Error(where + ": has no text");
          continue;
        }
        if (v["PicName"].text.size() > 255) {
          report.Error(where + ": its text is longer than 255 bytes");
          continue;
        }
        if (o.rotation != 0) {
          report.Counted(layerWhere, "drew unturned", "text", "texts", "", o.id);
        }
        v["OType"] = NumberValue(kTextLabel);
        if (!hasColour) SetTiledColour(v, o.textColor.value_or(0xFFFFFF));
        place(o.x, o.y);
      } else {
        const bool isSwitch = cls == "switch";
        if (set) {
          if (v.count("PicName")) {
            report.Error(where + ": is a tile and also names the picture \"" + v["PicName"].text +
                         "\"");
            continue;
          }
          pic = cut(isSwitch ? "Switch" : "Pictures");
          if (isSwitch && pic->frames > 1) {
            report.Error(where + ": a switch cannot be animated");
            continue;
          }
          if (isSwitch && pic->frameWidth % 2 != 0) {
            report.Error(where +
                         ": a switch picture holds its off and on halves side by side, so its "
                         "width (" +
                         std::to_string(pic->frameWidth) + ") must be even");
            continue;
          }
          if (isSwitch) {
            v["PicName"] = TextValue(pic->file);
          } else {
            SetTiledPicture(v, *pic);
          }
          place(o.x - pic->handleX, o.y - pic->handleY);
          if (!isSwitch && cls != "deco" && !wallSaid && shape.kind == TileWall::Kind::Part) {
            if (o.rotation != 0) {
              report.Counted(layerWhere, "left out the collision shapes of", "turned tile",
                             "turned tiles", "", o.id);
            } else {
              // An unseen wall over that part of the picture, as in a tile layer.
              const TileWall part = ShapeOnPicture(shape, lookOf(), *pic, where);
              shapeWall.emplace();
              shapeWall->x = placed.x + part.x;
              shapeWall->y = placed.y + part.y;
              shapeWall->values["OType"] = NumberValue(kWall);
              SetTiledPicture(shapeWall->values,
                              out.pictures->Blank(part.width, part.height, where));
              SetTiledColour(shapeWall->values, 0xFFFFFF);
            }
          }
        } else {
          if (!v.count("PicName") || v["PicName"].text.empty()) {
            report.Error(where + ": has neither a tile nor a property PicName naming its picture");
            continue;
          }
          place(o.x, o.y);
        }
        v["OType"] =
            NumberValue(isSwitch ? kSwitch : (cls != "deco" && wall ? kWall : kDecoration));
        if (!hasColour) SetTiledColour(v, layer.tint);
      }
    } catch (const ToolError& e) {
      report.Error(e.message);
      continue;
    }
    if (auto t = v.find("TScript"); t != v.end() && !t->second.text.empty()) {
      scriptNames.push_back(t->second.text);
    }
    placed.values = std::move(v);
    draw.objects.push_back(std::move(placed));
    if (shapeWall) draw.objects.push_back(std::move(*shapeWall));
  }
  if (!draw.objects.empty()) layers.push_back(std::move(draw));
}

void TiledImporter::PlacePlayer() {
  if (playerPlaced || report.HasErrors()) return;
  int64_t x = 0, y = 0;
  if (options.player) {
    x = options.player->first;
    y = options.player->second;
    report.Note("the player starts at " + std::to_string(x) + ", " + std::to_string(y) +
                ", as --player says");
  } else {
    // Above the first tile from the left, on the topmost of its column.
    const PlacedObject* first = nullptr;
    for (const DrawLayer& layer : layers) {
      if (!layer.tiles) continue;
      for (const PlacedObject& o : layer.objects) {
        if (!first || o.x < first->x || (o.x == first->x && o.y < first->y)) first = &o;
      }
    }
    if (first) {
      x = first->x + map.tileWidth / 2;
      y = first->y;
    } else {
      x = map.tileWidth / 2;
      y = map.tileHeight;
    }
    report.Warning(
        "has no object of class player, nor one named or of a class starting with "
        "\"player\", \"spawn\" or \"start\": the player starts on the first tile from the "
        "left, at " +
        std::to_string(x) + ", " + std::to_string(y) +
        " in the map's pixels; --player X,Y chooses the place");
  }
  PlacedObject player;
  player.x = x;
  player.y = y;
  player.values["OType"] = NumberValue(kActor);
  player.values["PicName"] = TextValue(options.playerType);
  SetTiledColour(player.values, 0xFFFFFF);
  // In front of everything drawn: the last drawing layer that holds objects.
  if (layers.empty()) NewLayer("player", false);
  layers.back().tiles = false;
  layers.back().objects.push_back(std::move(player));
  playerPlaced = true;
}

}  // namespace hopwerk
