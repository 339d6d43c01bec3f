// Maps saved in Tiled's JSON format: the same model as the TMX reader gives, from nlohmann's
// JSON parser. A value of the wrong kind is an error naming where it is.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "TiledParse.h"

namespace hopwerk {

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

const Json& EmptyList() {
  static const Json empty = Json::array();
  return empty;
}

Json LoadJson(const std::string& path, const std::string& context) {
  const std::vector<uint8_t> bytes = ReadTiledFile(path, context);
  Json json = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (json.is_discarded() || !json.is_object()) throw ToolError{path + ": not a JSON object"};
  return json;
}

const Json* Member(const Json& j, const char* name) {
  const auto it = j.find(name);
  return it == j.end() || it->is_null() ? nullptr : &*it;
}

std::string Text(const Json& j, const char* name, const TiledWhere& where) {
  const Json* v = Member(j, name);
  if (!v) return "";
  if (!v->is_string()) where.Fail(std::string(name) + " is not a string");
  return v->get<std::string>();
}

double Real(const Json& j, const char* name, double fallback, const TiledWhere& where) {
  const Json* v = Member(j, name);
  if (!v) return fallback;
  if (!v->is_number()) where.Fail(std::string(name) + " is not a number");
  const double d = v->get<double>();
  if (!std::isfinite(d) || std::fabs(d) > 1e9) where.Fail(std::string(name) + " is out of range");
  return d;
}

int Whole(const Json& j, const char* name, int fallback, int low, int high,
          const TiledWhere& where) {
  const Json* v = Member(j, name);
  if (!v) return fallback;
  if (!v->is_number_integer()) where.Fail(std::string(name) + " is not a whole number");
  const int64_t n = v->get<int64_t>();
  if (n < low || n > high) {
    where.Fail(std::string(name) + " " + std::to_string(n) + " is outside " + std::to_string(low) +
               " to " + std::to_string(high));
  }
  return static_cast<int>(n);
}

bool Flag(const Json& j, const char* name, bool fallback) {
  const Json* v = Member(j, name);
  return v && v->is_boolean() ? v->get<bool>() : fallback;
}

std::optional<uint32_t> Colour(const Json& j, const char* name, const TiledWhere& where) {
  return ParseTiledColour(Text(j, name, where), where, name);
}

uint32_t Gid(const Json& v, const TiledWhere& where) {
  if (!v.is_number_unsigned() && !(v.is_number_integer() && v.get<int64_t>() >= 0)) {
    where.Fail("a gid is not a whole number");
  }
  const uint64_t gid = v.get<uint64_t>();
  if (gid > 0xFFFFFFFFu) where.Fail("a gid is too large");
  return static_cast<uint32_t>(gid);
}

TiledProperties Properties(const Json& j, const TiledWhere& where) {
  TiledProperties properties;
  const Json* list = Member(j, "properties");
  if (!list) return properties;
  if (!list->is_array()) where.Fail("properties are not a list");
  for (const Json& p : *list) {
    if (!p.is_object()) where.Fail("a property is not an object");
    TiledProperty property;
    property.name = Text(p, "name", where);
    property.type = Member(p, "type") ? Text(p, "type", where) : "string";
    const Json* v = Member(p, "value");
    if (!v || v->is_string()) {
      property.value = v ? v->get<std::string>() : "";
    } else if (v->is_boolean()) {
      property.value = v->get<bool>() ? "true" : "false";
    } else if (v->is_number_integer()) {
      property.value = std::to_string(v->get<int64_t>());
    } else if (v->is_number_float()) {
      property.value = v->dump();
    }  // class values (objects) hold nothing a level field takes
    properties.push_back(std::move(property));
  }
  return properties;
}

std::string ClassOf(const Json& j, const TiledWhere& where) {
  return Member(j, "class") ? Text(j, "class", where) : Text(j, "type", where);
}

std::vector<std::pair<double, double>> Points(const Json& list, const TiledWhere& where) {
  if (!list.is_array() || list.size() > 65536) where.Fail("its points are not a list");
  std::vector<std::pair<double, double>> points;
  for (const Json& p : list) {
    if (!p.is_object()) where.Fail("a point is not an object");
    points.emplace_back(Real(p, "x", 0, where), Real(p, "y", 0, where));
  }
  return points;
}

std::vector<TiledRect> CollisionShapes(const Json* group, const TiledWhere& where) {
  std::vector<TiledRect> shapes;
  const Json* objects = group && group->is_object() ? Member(*group, "objects") : nullptr;
  if (!objects) return shapes;
  if (!objects->is_array() || objects->size() > 4096) where.Fail("too many collision shapes");
  for (const Json& o : *objects) {
    if (!o.is_object()) where.Fail("a collision shape is not an object");
    if (Flag(o, "point", false)) continue;
    TiledRect r{Real(o, "x", 0, where), Real(o, "y", 0, where), Real(o, "width", 0, where),
                Real(o, "height", 0, where)};
    const Json* poly = Member(o, "polygon") ? Member(o, "polygon") : Member(o, "polyline");
    if (poly) r = TiledPointBounds(r.x, r.y, Points(*poly, where));
    if (r.width > 0 && r.height > 0) shapes.push_back(r);
  }
  return shapes;
}

void TilesetBody(const Json& j, const std::string& file, TiledTileset& set,
                 const TiledWhere& where) {
  set.name = Text(j, "name", where);
  set.file = file;
  set.tileWidth = Whole(j, "tilewidth", 0, 1, 16384, where);
  set.tileHeight = Whole(j, "tileheight", 0, 1, 16384, where);
  if (set.tileWidth == 0 || set.tileHeight == 0) where.Fail("tilewidth and tileheight are missing");
  set.spacing = Whole(j, "spacing", 0, 0, 16384, where);
  set.margin = Whole(j, "margin", 0, 0, 16384, where);
  set.tileCount = Whole(j, "tilecount", 0, 0, static_cast<int>(kMaxTiledTilesetTiles), where);
  set.columns = Whole(j, "columns", 0, 0, 16384, where);
  set.objectAlignment = Text(j, "objectalignment", where);
  if (const Json* offset = Member(j, "tileoffset")) {
    set.offsetX = Whole(*offset, "x", 0, -16384, 16384, where);
    set.offsetY = Whole(*offset, "y", 0, -16384, 16384, where);
  }
  const std::string image = Text(j, "image", where);
  set.collection = image.empty();
  if (!set.collection) {
    set.imagePath = ResolveTiledPath(file, image);
    if (const auto c = Colour(j, "transparentcolor", where)) set.trans = *c & 0xFFFFFFu;
    if (set.columns == 0) where.Fail("the tileset has no columns");
  }
  const Json* tiles = Member(j, "tiles");
  if (tiles && !tiles->is_array()) where.Fail("tiles are not a list");
  if (tiles && tiles->size() > static_cast<size_t>(kMaxTiledTilesetTiles)) {
    where.Fail("too many tiles");
  }
  for (const Json& t : tiles ? *tiles : EmptyList()) {
    if (!t.is_object()) where.Fail("a tile is not an object");
    const int id = Whole(t, "id", -1, 0, static_cast<int>(kTiledGidMask), where);
    if (id < 0) where.Fail("a tile without an id");
    const TiledWhere at{where.text + ", tile " + std::to_string(id)};
    if (!set.collection && id >= set.tileCount) {
      at.Fail("the id is beyond the tileset's " + std::to_string(set.tileCount) + " tiles");
    }
    TiledTile tile;
    tile.className = ClassOf(t, at);
    tile.properties = Properties(t, at);
    if (const Json* frames = Member(t, "animation")) {
      if (!frames->is_array() || frames->size() > 4096)
        at.Fail("the animation is not a list of at most 4096 frames");
      for (const Json& f : *frames) {
        if (!f.is_object()) at.Fail("an animation frame is not an object");
        tile.animation.push_back({Whole(f, "tileid", 0, 0, static_cast<int>(kTiledGidMask), at),
                                  Whole(f, "duration", 0, 0, 3600000, at)});
      }
    }
    if (set.collection) {
      const std::string own = Text(t, "image", at);
      if (own.empty()) at.Fail("an image-collection tile without an image file");
      tile.imagePath = ResolveTiledPath(file, own);
      if (const auto c = Colour(t, "transparentcolor", at)) tile.trans = *c & 0xFFFFFFu;
      tile.imageX = Whole(t, "x", 0, 0, 16384, at);
      tile.imageY = Whole(t, "y", 0, 0, 16384, at);
      tile.width = Whole(t, "width", Whole(t, "imagewidth", 0, 0, 16384, at), 0, 16384, at);
      tile.height = Whole(t, "height", Whole(t, "imageheight", 0, 0, 16384, at), 0, 16384, at);
    }
    tile.collision = CollisionShapes(Member(t, "objectgroup"), at);
    set.tiles[id] = std::move(tile);
  }
  if (set.collection) set.tileCount = static_cast<int>(set.tiles.size());
}

// A tileset that cannot be read is kept as broken, so that its tiles are left out quietly.
void Tileset(const Json& j, TiledMap& map) {
  const TiledWhere inMap{map.file + ": tileset"};
  TiledTileset set;
  try {
    set.firstGid =
        static_cast<uint32_t>(Whole(j, "firstgid", 0, 1, static_cast<int>(kTiledGidMask), inMap));
    if (set.firstGid == 0) inMap.Fail("firstgid is missing");
  } catch (const ToolError& e) {
    map.errors.push_back(e.message);
    return;
  }
  try {
    const std::string source = Text(j, "source", inMap);
    if (source.empty()) {
      TilesetBody(j, map.file, set, {map.file + ": tileset " + TiledQuote(Text(j, "name", inMap))});
    } else {
      const std::string path = ResolveTiledPath(map.file, source);
      set.file = path;
      ReadTiledTilesetFile(path, map.file, set);
      map.files.push_back(path);
    }
  } catch (const ToolError& e) {
    map.errors.push_back(e.message);
    set.broken = true;
  }
  map.tilesets.push_back(std::move(set));
}

// The gids of a block: a list of numbers, or a string in the layer's encoding.
std::vector<uint32_t> Data(const Json& data, const Json& layer, int64_t cells,
                           const TiledWhere& where) {
  if (data.is_string()) {
    return DecodeTiledText(Text(layer, "encoding", where), Text(layer, "compression", where),
                           data.get_ref<const std::string&>().c_str(), cells, where);
  }
  if (!data.is_array()) where.Fail("the tile data is neither a list nor a string");
  if (static_cast<int64_t>(data.size()) != cells) {
    where.Fail("the tile data holds " + std::to_string(data.size()) + " tiles where " +
               std::to_string(cells) + " were expected");
  }
  std::vector<uint32_t> gids;
  gids.reserve(data.size());
  for (const Json& g : data) gids.push_back(Gid(g, where));
  return gids;
}

void TileLayer(const Json& j, const TiledMap& map, TiledLayer& layer, int64_t& placed,
               const TiledWhere& where) {
  if (const Json* chunks = Member(j, "chunks")) {
    if (!chunks->is_array() || chunks->size() > 65536) where.Fail("too many chunks");
    for (const Json& c : *chunks) {
      if (!c.is_object()) where.Fail("a chunk is not an object");
      const int x = Whole(c, "x", 0, -(1 << 24), 1 << 24, where);
      const int y = Whole(c, "y", 0, -(1 << 24), 1 << 24, where);
      const int w = Whole(c, "width", 0, 1, 1 << 16, where);
      const int h = Whole(c, "height", 0, 1, 1 << 16, where);
      if (w == 0 || h == 0) where.Fail("a chunk without a size");
      const int64_t cells = int64_t{w} * h;
      if (cells > kMaxTiledLayerCells) {
        where.Fail("a chunk of " + std::to_string(w) + " x " + std::to_string(h) +
                   " tiles is too large");
      }
      const Json* data = Member(c, "data");
      if (!data) where.Fail("a chunk without data");
      KeepTiledCells(layer, Data(*data, j, cells, where), x, y, w, placed, where);
    }
    SortTiledChunks(layer, where);
    return;
  }
  const int w = Whole(j, "width", map.width, 1, 1 << 20, where);
  const int h = Whole(j, "height", map.height, 1, 1 << 20, where);
  const int64_t cells = int64_t{w} * h;
  if (cells > kMaxTiledLayerCells) {
    where.Fail(std::to_string(w) + " x " + std::to_string(h) + " tiles are too many");
  }
  const Json* data = Member(j, "data");
  if (!data) where.Fail("a tile layer without data");
  KeepTiledCells(layer, Data(*data, j, cells, where), 0, 0, w, placed, where);
}

// An object as the map gives it; what it leaves out comes from its template, when it has one.
TiledObject Object(const Json& o, const TiledWhere& layerWhere, TiledReading& reading) {
  if (!o.is_object()) layerWhere.Fail("an object is not an object");
  const int id = Whole(o, "id", 0, 0, 1 << 30, layerWhere);
  TiledObject object;
  const std::string templateFile = Text(o, "template", layerWhere);
  if (!templateFile.empty()) {
    object = TiledTemplateObject(reading, ResolveTiledPath(reading.map.file, templateFile),
                                 {layerWhere.text + ", object " + std::to_string(id)});
  }
  const TiledObject base = object;
  object.id = id;
  if (Member(o, "name")) object.name = Text(o, "name", layerWhere);
  const TiledWhere where{layerWhere.text + ", object " + std::to_string(object.id) +
                         (object.name.empty() ? "" : " " + TiledQuote(object.name))};
  if (Member(o, "class") || Member(o, "type")) object.className = ClassOf(o, where);
  object.x = Real(o, "x", object.x, where);
  object.y = Real(o, "y", object.y, where);
  object.width = Real(o, "width", object.width, where);
  object.height = Real(o, "height", object.height, where);
  object.rotation = Real(o, "rotation", object.rotation, where);
  if (const Json* gid = Member(o, "gid")) object.gid = Gid(*gid, where);
  // A shape of its own replaces the template's.
  const bool ownShape = Member(o, "point") || Member(o, "ellipse") || Member(o, "polygon") ||
                        Member(o, "polyline") || Member(o, "text");
  if (ownShape) {
    ClearTiledShape(object);
    object.point = Flag(o, "point", false);
    object.ellipse = Flag(o, "ellipse", false);
  }
  for (const char* kind : {"polygon", "polyline"}) {
    if (const Json* poly = Member(o, kind)) {
      object.shape = kind;
      object.points = Points(*poly, where);
    }
  }
  if (const Json* text = Member(o, "text")) {
    if (!text->is_object()) where.Fail("its text is not an object");
    object.text = true;
    object.textValue = Text(*text, "text", where);
    if (const auto c = Colour(*text, "color", where)) object.textColor = *c & 0xFFFFFFu;
  }
  object.properties = MergeTiledProperties(base.properties, Properties(o, where));
  return object;
}

void Layer(const Json& j, const TiledInherited& inherited, TiledReading& reading, int depth,
           const TiledWhere& where);

void Layers(const Json& list, const TiledInherited& inherited, TiledReading& reading, int depth) {
  TiledMap& map = reading.map;
  if (!list.is_array()) throw ToolError{map.file + ": layers are not a list"};
  for (const Json& j : list) {
    if (!j.is_object()) throw ToolError{map.file + ": a layer is not an object"};
    const std::string name = Text(j, "name", {map.file});
    const std::string path = inherited.path.empty() ? name : inherited.path + "/" + name;
    const TiledWhere where{map.file + ": layer " + TiledQuote(path)};
    if (!Flag(j, "visible", true)) continue;
    try {
      Layer(j, inherited, reading, depth, where);
    } catch (const ToolError& e) {
      map.errors.push_back(e.message);
    }
  }
}

void Layer(const Json& j, const TiledInherited& inherited, TiledReading& reading, int depth,
           const TiledWhere& where) {
  TiledMap& map = reading.map;
  const std::string name = Text(j, "name", {map.file});
  TiledInherited own;
  own.path = name;
  own.offsetX = Real(j, "offsetx", 0, where);
  own.offsetY = Real(j, "offsety", 0, where);
  own.opacity = Real(j, "opacity", 1, where);
  own.parallaxX = Real(j, "parallaxx", 1, where);
  own.parallaxY = Real(j, "parallaxy", 1, where);
  own.tint = Colour(j, "tintcolor", where).value_or(0xFFFFFFFFu);
  const TiledInherited in = InheritTiled(inherited, own);
  const std::string type = Text(j, "type", where);
  if (type == "group") {
    if (depth >= kMaxTiledGroupDepth) {
      where.Fail("groups nested more than " + std::to_string(kMaxTiledGroupDepth) + " deep");
    }
    const Json* inner = Member(j, "layers");
    if (inner) Layers(*inner, in, reading, depth + 1);
    return;
  }
  TiledLayer layer = TiledLayerInheriting(in);
  layer.properties = Properties(j, where);
  if (type == "tilelayer") {
    layer.kind = TiledLayerKind::Tiles;
    TileLayer(j, map, layer, reading.placed, where);
  } else if (type == "objectgroup") {
    layer.kind = TiledLayerKind::Objects;
    const Json* list = Member(j, "objects");
    if (list && !list->is_array()) where.Fail("objects are not a list");
    for (const Json& o : list ? *list : EmptyList()) {
      if (o.is_object() && !Flag(o, "visible", true)) continue;
      if (++reading.objects > static_cast<size_t>(kMaxTiledObjects)) {
        where.Fail("more than " + std::to_string(kMaxTiledObjects) + " objects in the map");
      }
      try {
        layer.objects.push_back(Object(o, where, reading));
      } catch (const ToolError& e) {
        map.errors.push_back(e.message);
      }
    }
  } else if (type == "imagelayer") {
    layer.kind = TiledLayerKind::Image;
    const std::string image = Text(j, "image", where);
    if (image.empty()) return;  // an image layer without an image draws nothing
    layer.imagePath = ResolveTiledPath(map.file, image);
    if (const auto c = Colour(j, "transparentcolor", where)) layer.imageTrans = *c & 0xFFFFFFu;
    layer.repeatX = Flag(j, "repeatx", false);
    layer.repeatY = Flag(j, "repeaty", false);
  } else {
    where.Fail("is of the unknown type " + TiledQuote(type));
  }
  map.layers.push_back(std::move(layer));
}

}  // namespace

TiledMap ReadTiledJsonMap(const std::string& path) {
  TiledMap map;
  map.file = path;
  const Json root = LoadJson(path, path);
  const TiledWhere where{path};
  if (Text(root, "type", where) != "map") where.Fail("not a Tiled map (its type is not \"map\")");
  map.orientation = Text(root, "orientation", where);
  if (map.orientation != "orthogonal") {
    where.Fail(TiledQuote(map.orientation) +
               " orientation cannot be played; only orthogonal maps can");
  }
  map.infinite = Flag(root, "infinite", false);
  map.width = Whole(root, "width", 0, 0, 1 << 20, where);
  map.height = Whole(root, "height", 0, 0, 1 << 20, where);
  map.tileWidth = Whole(root, "tilewidth", 0, 1, 16384, where);
  map.tileHeight = Whole(root, "tileheight", 0, 1, 16384, where);
  if (map.tileWidth == 0 || map.tileHeight == 0) where.Fail("tilewidth and tileheight are missing");
  if (const auto c = Colour(root, "backgroundcolor", where)) map.backgroundColor = *c & 0xFFFFFFu;
  map.properties = Properties(root, where);
  if (const Json* sets = Member(root, "tilesets")) {
    if (!sets->is_array() || sets->size() > 4096) where.Fail("too many tilesets");
    for (const Json& s : *sets) {
      if (!s.is_object()) where.Fail("a tileset is not an object");
      Tileset(s, map);
    }
  }
  SortTiledTilesets(map);
  TiledReading reading{map};
  if (const Json* layers = Member(root, "layers")) Layers(*layers, TiledInherited{}, reading, 0);
  return map;
}

void ReadTsjTileset(const std::string& path, const std::string& context, TiledTileset& set) {
  TilesetBody(LoadJson(path, context), path, set, {path});
}

TiledObject ReadTjTemplate(const std::string& path, const std::string& context,
                           TiledTemplateTileset& tileset, TiledReading& reading) {
  const Json root = LoadJson(path, context);
  const TiledWhere where{path};
  const Json* object = Member(root, "object");
  if (!object || !object->is_object()) where.Fail("not a Tiled template");
  if (const Json* t = Member(root, "tileset")) {
    if (!t->is_object()) where.Fail("its tileset is not an object");
    tileset.firstGid =
        static_cast<uint32_t>(Whole(*t, "firstgid", 0, 1, static_cast<int>(kTiledGidMask), where));
    const std::string source = Text(*t, "source", where);
    if (source.empty()) where.Fail("its tileset is not a file of its own");
    tileset.source = ResolveTiledPath(path, source);
  }
  return Object(*object, {path + ": template"}, reading);
}

}  // namespace hopwerk
