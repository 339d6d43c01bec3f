#include "TiledMap.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <pugixml.hpp>

#include "TiledParse.h"
#include "VxrTool.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

using Where = TiledWhere;

std::string Quote(const std::string& s) {
  return "\"" + s + "\"";
}

void LoadXml(const std::string& path, pugi::xml_document& doc, const std::string& context) {
  const std::vector<uint8_t> bytes = ReadTiledFile(path, context);
  const pugi::xml_parse_result result = doc.load_buffer(bytes.data(), bytes.size());
  if (!result) {
    throw ToolError{path + ": not well-formed XML at byte " + std::to_string(result.offset) + ": " +
                    result.description()};
  }
}

// A whole number attribute within [low, high]; absent: fallback.
int IntAttribute(const pugi::xml_node& node, const char* name, int fallback, int low, int high,
                 const Where& where) {
  const pugi::xml_attribute a = node.attribute(name);
  if (!a) return fallback;
  const std::string text = a.value();
  size_t used = 0;
  long long value = 0;
  try {
    value = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size())
    where.Fail(std::string(name) + " " + Quote(text) + " is not a whole number");
  if (value < low || value > high) {
    where.Fail(std::string(name) + " " + text + " is outside " + std::to_string(low) + " to " +
               std::to_string(high));
  }
  return static_cast<int>(value);
}

double RealAttribute(const pugi::xml_node& node, const char* name, double fallback,
                     const Where& where) {
  const pugi::xml_attribute a = node.attribute(name);
  if (!a) return fallback;
  const std::string text = a.value();
  size_t used = 0;
  double value = 0;
  try {
    value = std::stod(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  // Coordinates beyond a billion are nowhere in a 5000-pixel world; refusing them here keeps
  // every later conversion to int well defined.
  if (used == 0 || used != text.size() || !std::isfinite(value) || std::fabs(value) > 1e9) {
    where.Fail(std::string(name) + " " + Quote(text) + " is not a number");
  }
  return value;
}

// "#RRGGBB", "#AARRGGBB" (with or without the #) as 0xAARRGGBB; alpha 255 when not given.
std::optional<uint32_t> ParseColour(const std::string& text, const Where& where,
                                    const std::string& what) {
  std::string hex = text;
  if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
  if (hex.empty()) return std::nullopt;
  if ((hex.size() != 6 && hex.size() != 8) ||
      hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    where.Fail(what + " " + Quote(text) + " is not a colour");
  }
  uint32_t value = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
  if (hex.size() == 6) value |= 0xFF000000u;
  return value;
}

std::optional<uint32_t> ColourAttribute(const pugi::xml_node& node, const char* name,
                                        const Where& where) {
  const pugi::xml_attribute a = node.attribute(name);
  if (!a) return std::nullopt;
  return ParseColour(a.value(), where, name);
}

TiledProperties ReadProperties(const pugi::xml_node& node) {
  TiledProperties properties;
  for (const pugi::xml_node p : node.child("properties").children("property")) {
    TiledProperty property;
    property.name = p.attribute("name").value();
    property.type = p.attribute("type") ? p.attribute("type").value() : "string";
    // Multi-line strings are kept as the element's text instead of an attribute.
    property.value = p.attribute("value") ? p.attribute("value").value() : p.child_value();
    properties.push_back(std::move(property));
  }
  return properties;
}

std::string Resolve(const std::string& base, const std::string& relative) {
  return (fs::path(base).parent_path() / relative).lexically_normal().string();
}

std::optional<uint32_t> TransAttribute(const pugi::xml_node& image, const Where& where) {
  const auto c = ColourAttribute(image, "trans", where);
  if (!c) return std::nullopt;
  return *c & 0xFFFFFFu;
}

// "0,0 32,0 32,16": the points of a polygon or polyline, relative to its object.
std::vector<std::pair<double, double>> ReadPoints(const pugi::xml_node& shape, const Where& where) {
  std::vector<std::pair<double, double>> points;
  const std::string text = shape.attribute("points").value();
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find(' ', at), text.size());
    const std::string pair = text.substr(at, end - at);
    at = end + 1;
    if (pair.empty()) continue;
    if (points.size() >= 65536) where.Fail("a shape of more than 65536 points");
    const size_t comma = pair.find(',');
    double x = 0, y = 0;
    size_t usedX = 0, usedY = 0;
    try {
      x = std::stod(pair.substr(0, comma), &usedX);
      y = std::stod(pair.substr(comma + 1), &usedY);
    } catch (const std::exception&) {
      usedX = 0;
    }
    if (comma == std::string::npos || usedX == 0 || usedY == 0 || !std::isfinite(x) ||
        !std::isfinite(y) || std::fabs(x) > 1e9 || std::fabs(y) > 1e9) {
      where.Fail("the point " + Quote(pair) + " is not two numbers");
    }
    points.emplace_back(x, y);
  }
  return points;
}

// The objects drawn on a tile as its collision shapes, as their bounds; points have none.
std::vector<TiledRect> CollisionShapes(const pugi::xml_node& group, const Where& where) {
  std::vector<TiledRect> shapes;
  for (const pugi::xml_node o : group.children("object")) {
    if (shapes.size() >= 4096) where.Fail("more than 4096 collision shapes on one tile");
    if (o.child("point")) continue;
    TiledRect r{RealAttribute(o, "x", 0, where), RealAttribute(o, "y", 0, where),
                RealAttribute(o, "width", 0, where), RealAttribute(o, "height", 0, where)};
    const pugi::xml_node poly = o.child("polygon") ? o.child("polygon") : o.child("polyline");
    if (poly) r = TiledPointBounds(r.x, r.y, ReadPoints(poly, where));
    if (r.width > 0 && r.height > 0) shapes.push_back(r);
  }
  return shapes;
}

std::vector<uint8_t> DecodeBase64(const std::string& text, const Where& where);

// Where an image is: its file, or, for a picture kept inside the map as base64, a name of its
// own under which the tileset keeps its bytes. Empty: no picture at all.
std::string ImageSource(const pugi::xml_node& image, const std::string& file, TiledTileset& set,
                        const std::string& name, const Where& where) {
  if (image.attribute("source")) return Resolve(file, image.attribute("source").value());
  const pugi::xml_node data = image.child("data");
  if (!data || std::string(data.attribute("encoding").value()) != "base64") {
    where.Fail("an image that is neither a file nor base64 data");
  }
  std::vector<uint8_t> bytes = DecodeBase64(data.child_value(), where);
  if (bytes.empty()) return "";
  const std::string key = file + "#" + name;
  set.embedded[key] = std::move(bytes);
  return key;
}

void ReadTilesetBody(const pugi::xml_node& node, const std::string& file, TiledTileset& set,
                     const Where& where) {
  set.name = node.attribute("name").value();
  set.file = file;
  set.tileWidth = IntAttribute(node, "tilewidth", 0, 1, 16384, where);
  set.tileHeight = IntAttribute(node, "tileheight", 0, 1, 16384, where);
  if (set.tileWidth == 0 || set.tileHeight == 0) where.Fail("tilewidth and tileheight are missing");
  set.spacing = IntAttribute(node, "spacing", 0, 0, 16384, where);
  set.margin = IntAttribute(node, "margin", 0, 0, 16384, where);
  set.tileCount =
      IntAttribute(node, "tilecount", 0, 0, static_cast<int>(kMaxTiledTilesetTiles), where);
  set.columns = IntAttribute(node, "columns", 0, 0, 16384, where);
  set.objectAlignment = node.attribute("objectalignment").value();
  const pugi::xml_node offset = node.child("tileoffset");
  set.offsetX = IntAttribute(offset, "x", 0, -16384, 16384, where);
  set.offsetY = IntAttribute(offset, "y", 0, -16384, 16384, where);
  const pugi::xml_node image = node.child("image");
  set.collection = !image;
  if (image) {
    set.imagePath = ImageSource(image, file, set, set.name, where);
    if (set.imagePath.empty()) where.Fail("its image is empty");
    set.trans = TransAttribute(image, where);
    const int w = IntAttribute(image, "width", 0, 0, 16384, where);
    const int h = IntAttribute(image, "height", 0, 0, 16384, where);
    // Older files leave out columns and tilecount; the image size gives them.
    if (set.columns == 0 && w > 0) {
      set.columns = std::max(0, (w - 2 * set.margin + set.spacing) / (set.tileWidth + set.spacing));
    }
    if (set.tileCount == 0 && set.columns > 0 && h > 0) {
      const int rows =
          std::max(0, (h - 2 * set.margin + set.spacing) / (set.tileHeight + set.spacing));
      set.tileCount =
          static_cast<int>(std::min<int64_t>(int64_t{rows} * set.columns, kMaxTiledTilesetTiles));
    }
    if (set.columns == 0) where.Fail("the tileset has no columns");
  }
  size_t count = 0;
  for (const pugi::xml_node t : node.children("tile")) {
    if (++count > static_cast<size_t>(kMaxTiledTilesetTiles)) where.Fail("too many tiles");
    const int id = IntAttribute(t, "id", -1, 0, static_cast<int>(kTiledGidMask), where);
    const Where at{where.text + ", tile " + std::to_string(id)};
    if (id < 0) where.Fail("a tile without an id");
    if (!set.collection && id >= set.tileCount)
      at.Fail("the id is beyond the tileset's " + std::to_string(set.tileCount) + " tiles");
    TiledTile tile;
    tile.className =
        t.attribute("class") ? t.attribute("class").value() : t.attribute("type").value();
    tile.properties = ReadProperties(t);
    size_t frames = 0;
    for (const pugi::xml_node f : t.child("animation").children("frame")) {
      if (++frames > 4096) at.Fail("more than 4096 animation frames");
      TiledFrame frame;
      frame.tileId = IntAttribute(f, "tileid", 0, 0, static_cast<int>(kTiledGidMask), at);
      frame.durationMs = IntAttribute(f, "duration", 0, 0, 3600000, at);
      tile.animation.push_back(frame);
    }
    if (set.collection) {
      const pugi::xml_node ti = t.child("image");
      if (!ti) at.Fail("an image-collection tile without an image");
      tile.imagePath = ImageSource(ti, file, set, set.name + "/" + std::to_string(id), at);
      if (tile.imagePath.empty()) continue;  // a tile without a picture draws nothing
      tile.trans = TransAttribute(ti, at);
      tile.imageX = IntAttribute(t, "x", 0, 0, 16384, at);
      tile.imageY = IntAttribute(t, "y", 0, 0, 16384, at);
      tile.width =
          IntAttribute(t, "width", IntAttribute(ti, "width", 0, 0, 16384, at), 0, 16384, at);
      tile.height =
          IntAttribute(t, "height", IntAttribute(ti, "height", 0, 0, 16384, at), 0, 16384, at);
    }
    tile.collision = CollisionShapes(t.child("objectgroup"), at);
    set.tiles[id] = std::move(tile);
  }
  if (set.collection) set.tileCount = static_cast<int>(set.tiles.size());
}

// A tileset that cannot be read is kept as broken, so that its tiles are left out quietly
// instead of each being reported as a gid of no tileset.
void ReadTileset(const pugi::xml_node& node, TiledMap& map) {
  TiledTileset set;
  const Where inMap{map.file + ": tileset " + Quote(node.attribute("name").value())};
  try {
    set.firstGid = static_cast<uint32_t>(
        IntAttribute(node, "firstgid", 0, 1, static_cast<int>(kTiledGidMask), inMap));
    if (set.firstGid == 0) inMap.Fail("firstgid is missing");
  } catch (const ToolError& e) {
    map.errors.push_back(e.message);
    return;
  }
  try {
    if (node.attribute("source")) {
      const std::string path = Resolve(map.file, node.attribute("source").value());
      set.file = path;
      ReadTiledTilesetFile(path, map.file, set);
      map.files.push_back(path);
    } else {
      ReadTilesetBody(node, map.file, set, Where{map.file + ": tileset " + Quote(set.name)});
    }
  } catch (const ToolError& e) {
    map.errors.push_back(e.message);
    set.broken = true;
  }
  map.tilesets.push_back(std::move(set));
}

std::vector<uint8_t> DecodeBase64(const std::string& text, const Where& where) {
  static const std::string alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::vector<uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  uint32_t bits = 0;
  int count = 0;
  bool ended = false;
  for (const char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
    if (c == '=') {
      ended = true;
      continue;
    }
    const size_t v = alphabet.find(c);
    if (v == std::string::npos || ended) where.Fail("the base64 tile data is broken");
    bits = (bits << 6) | static_cast<uint32_t>(v);
    if (++count == 4) {
      out.push_back(static_cast<uint8_t>(bits >> 16));
      out.push_back(static_cast<uint8_t>(bits >> 8));
      out.push_back(static_cast<uint8_t>(bits));
      bits = 0;
      count = 0;
    }
  }
  if (count == 1) where.Fail("the base64 tile data is broken");
  if (count == 2) out.push_back(static_cast<uint8_t>(bits >> 4));
  if (count == 3) {
    out.push_back(static_cast<uint8_t>(bits >> 10));
    out.push_back(static_cast<uint8_t>(bits >> 2));
  }
  return out;
}

// Inflates zlib or gzip data into exactly `expected` bytes; more or less is an error, and
// nothing beyond expected + 1 bytes is ever produced.
std::vector<uint8_t> Inflate(const std::vector<uint8_t>& in, size_t expected, bool gzip,
                             const Where& where) {
  std::vector<uint8_t> out(expected + 1);
  z_stream z{};
  if (inflateInit2(&z, gzip ? 16 + MAX_WBITS : MAX_WBITS) != Z_OK) where.Fail("cannot inflate");
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&z, Z_FINISH);
  const size_t produced = out.size() - z.avail_out;
  inflateEnd(&z);
  const std::string kind = gzip ? "gzip" : "zlib";
  if (status != Z_STREAM_END) {
    if (produced > expected)
      where.Fail("the " + kind + " tile data holds more than the layer's tiles");
    where.Fail("the " + kind + " tile data is broken or cut short");
  }
  if (produced != expected) {
    where.Fail("the " + kind + " tile data holds " + std::to_string(produced / 4) +
               " tiles where " + std::to_string(expected / 4) + " were expected");
  }
  out.resize(expected);
  return out;
}

// The gids of a block in one of the text encodings.
std::vector<uint32_t> DecodeText(const std::string& encoding, const std::string& compression,
                                 const char* text, int64_t cells, const Where& where) {
  std::vector<uint32_t> gids;
  gids.reserve(static_cast<size_t>(cells));
  if (encoding == "csv") {
    if (!compression.empty()) where.Fail("CSV tile data cannot be compressed");
    const char* p = text;
    while (*p) {
      while (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t' || *p == ',') ++p;
      if (!*p) break;
      if (*p < '0' || *p > '9') where.Fail("the CSV tile data holds " + Quote(std::string(1, *p)));
      uint64_t v = 0;
      while (*p >= '0' && *p <= '9') {
        v = v * 10 + static_cast<uint64_t>(*p++ - '0');
        if (v > 0xFFFFFFFFu) where.Fail("a gid in the CSV tile data is too large");
      }
      if (static_cast<int64_t>(gids.size()) >= cells) where.Fail("more tiles than the layer holds");
      gids.push_back(static_cast<uint32_t>(v));
    }
  } else if (encoding == "base64") {
    std::vector<uint8_t> bytes = DecodeBase64(text, where);
    const size_t expected = static_cast<size_t>(cells) * 4;
    if (compression == "zlib" || compression == "gzip") {
      bytes = Inflate(bytes, expected, compression == "gzip", where);
    } else if (!compression.empty()) {
      where.Fail(Quote(compression) + " compression is not supported (use zlib or gzip)");
    } else if (bytes.size() != expected) {
      where.Fail("the base64 tile data holds " + std::to_string(bytes.size() / 4) +
                 " tiles where " + std::to_string(cells) + " were expected");
    }
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
      gids.push_back(uint32_t{bytes[i]} | uint32_t{bytes[i + 1]} << 8 |
                     uint32_t{bytes[i + 2]} << 16 | uint32_t{bytes[i + 3]} << 24);
    }
  } else {
    where.Fail("tile data encoding " + Quote(encoding) + " is not supported");
  }
  if (static_cast<int64_t>(gids.size()) != cells) {
    where.Fail("the tile data holds " + std::to_string(gids.size()) + " tiles where " +
               std::to_string(cells) + " were expected");
  }
  return gids;
}

// The gids of a width x height block in `data`'s encoding, row by row.
std::vector<uint32_t> DecodeTileData(const pugi::xml_node& data, const pugi::xml_node& block,
                                     int64_t cells, const Where& where) {
  const std::string encoding = data.attribute("encoding").value();
  const std::string compression = data.attribute("compression").value();
  std::vector<uint32_t> gids;
  gids.reserve(static_cast<size_t>(cells));
  if (encoding.empty()) {
    for (const pugi::xml_node t : block.children("tile")) {
      if (static_cast<int64_t>(gids.size()) >= cells) where.Fail("more tiles than the layer holds");
      const unsigned long long gid = t.attribute("gid").as_ullong(0);
      if (gid > 0xFFFFFFFFull) where.Fail("a gid in the tile data is too large");
      gids.push_back(static_cast<uint32_t>(gid));
    }
  } else {
    gids = DecodeText(encoding, compression, block.child_value(), cells, where);
  }
  if (static_cast<int64_t>(gids.size()) != cells) {
    where.Fail("the tile data holds " + std::to_string(gids.size()) + " tiles where " +
               std::to_string(cells) + " were expected");
  }
  return gids;
}

TiledInherited Inherit(const pugi::xml_node& node, const TiledInherited& parent,
                       const Where& where) {
  TiledInherited own;
  own.path = node.attribute("name").value();
  own.offsetX = RealAttribute(node, "offsetx", 0, where);
  own.offsetY = RealAttribute(node, "offsety", 0, where);
  own.opacity = RealAttribute(node, "opacity", 1, where);
  own.parallaxX = RealAttribute(node, "parallaxx", 1, where);
  own.parallaxY = RealAttribute(node, "parallaxy", 1, where);
  own.tint = ColourAttribute(node, "tintcolor", where).value_or(0xFFFFFFFFu);
  return InheritTiled(parent, own);
}

void ReadTileLayer(const pugi::xml_node& node, const TiledMap& map, TiledLayer& layer,
                   int64_t& placed, const Where& where) {
  const pugi::xml_node data = node.child("data");
  if (!data) where.Fail("a tile layer without data");
  auto keep = [&](const std::vector<uint32_t>& gids, int x0, int y0, int w) {
    KeepTiledCells(layer, gids, x0, y0, w, placed, where);
  };
  // Infinite maps keep their tiles in chunks; a layer saved without them is read whole.
  if (map.infinite && data.child("chunk")) {
    size_t chunks = 0;
    for (const pugi::xml_node chunk : data.children("chunk")) {
      if (++chunks > 65536) where.Fail("too many chunks");
      const int x = IntAttribute(chunk, "x", 0, -(1 << 24), 1 << 24, where);
      const int y = IntAttribute(chunk, "y", 0, -(1 << 24), 1 << 24, where);
      const int w = IntAttribute(chunk, "width", 0, 1, 1 << 16, where);
      const int h = IntAttribute(chunk, "height", 0, 1, 1 << 16, where);
      if (w == 0 || h == 0) where.Fail("a chunk without a size");
      const int64_t cells = int64_t{w} * h;
      if (cells > kMaxTiledLayerCells)
        where.Fail("a chunk of " + std::to_string(w) + " x " + std::to_string(h) +
                   " tiles is too large");
      keep(DecodeTileData(data, chunk, cells, where), x, y, w);
    }
    SortTiledChunks(layer, where);
  } else {
    const int w = IntAttribute(node, "width", map.width, 1, 1 << 20, where);
    const int h = IntAttribute(node, "height", map.height, 1, 1 << 20, where);
    const int64_t cells = int64_t{w} * h;
    if (cells > kMaxTiledLayerCells)
      where.Fail(std::to_string(w) + " x " + std::to_string(h) + " tiles are too many");
    keep(DecodeTileData(data, data, cells, where), 0, 0, w);
  }
}

// An object as the map gives it; what it leaves out comes from its template, when it has one.
TiledObject ReadObject(const pugi::xml_node& o, const Where& layerWhere, TiledReading& reading,
                       const TiledObject* base = nullptr) {
  TiledObject object;
  const int id = IntAttribute(o, "id", 0, 0, 1 << 30, layerWhere);
  const Where idWhere{layerWhere.text + ", object " + std::to_string(id)};
  if (o.attribute("template") && *o.attribute("template").value()) {
    const std::string file = Resolve(reading.map.file, o.attribute("template").value());
    base = &TiledTemplateObject(reading, file, idWhere);
  }
  if (base) object = *base;
  object.id = id;
  if (o.attribute("name")) object.name = o.attribute("name").value();
  const Where where{layerWhere.text + ", object " + std::to_string(object.id) +
                    (object.name.empty() ? "" : " " + Quote(object.name))};
  if (o.attribute("class")) {
    object.className = o.attribute("class").value();
  } else if (o.attribute("type")) {
    object.className = o.attribute("type").value();
  }
  object.x = RealAttribute(o, "x", object.x, where);
  object.y = RealAttribute(o, "y", object.y, where);
  object.width = RealAttribute(o, "width", object.width, where);
  object.height = RealAttribute(o, "height", object.height, where);
  object.rotation = RealAttribute(o, "rotation", object.rotation, where);
  if (o.attribute("gid")) {
    const unsigned long long gid = o.attribute("gid").as_ullong(0);
    if (gid > 0xFFFFFFFFull) where.Fail("its gid is too large");
    object.gid = static_cast<uint32_t>(gid);
  }
  // A shape of its own replaces the template's.
  const bool ownShape = o.child("point") || o.child("ellipse") || o.child("polygon") ||
                        o.child("polyline") || o.child("text");
  if (ownShape || !base) {
    ClearTiledShape(object);
    object.point = static_cast<bool>(o.child("point"));
    object.ellipse = static_cast<bool>(o.child("ellipse"));
  }
  for (const char* kind : {"polygon", "polyline"}) {
    if (const pugi::xml_node poly = o.child(kind)) {
      object.shape = kind;
      object.points = ReadPoints(poly, where);
    }
  }
  if (const pugi::xml_node text = o.child("text")) {
    object.text = true;
    object.textValue = text.child_value();
    if (const auto c = ColourAttribute(text, "color", where)) object.textColor = *c & 0xFFFFFFu;
  }
  object.properties = MergeTiledProperties(object.properties, ReadProperties(o));
  return object;
}

void ReadLayer(const pugi::xml_node& node, const std::string& kind, const TiledInherited& inherited,
               TiledReading& reading, int depth, const Where& where);

void ReadLayers(const pugi::xml_node& parent, const TiledInherited& inherited,
                TiledReading& reading, int depth) {
  TiledMap& map = reading.map;
  for (const pugi::xml_node node : parent.children()) {
    const std::string kind = node.name();
    if (kind != "layer" && kind != "objectgroup" && kind != "imagelayer" && kind != "group")
      continue;
    const Where where{map.file + ": layer " +
                      Quote(inherited.path.empty()
                                ? node.attribute("name").value()
                                : inherited.path + "/" + node.attribute("name").value())};
    if (node.attribute("visible") && node.attribute("visible").as_int(1) == 0) continue;
    try {
      ReadLayer(node, kind, inherited, reading, depth, where);
    } catch (const ToolError& e) {
      map.errors.push_back(e.message);
    }
  }
}

void ReadLayer(const pugi::xml_node& node, const std::string& kind, const TiledInherited& inherited,
               TiledReading& reading, int depth, const Where& where) {
  TiledMap& map = reading.map;
  const TiledInherited in = Inherit(node, inherited, where);
  if (kind == "group") {
    // Each group is a level of recursion here: a map cannot make it exhaust the stack.
    if (depth >= kMaxTiledGroupDepth) {
      where.Fail("groups nested more than " + std::to_string(kMaxTiledGroupDepth) + " deep");
    }
    ReadLayers(node, in, reading, depth + 1);
    return;
  }
  TiledLayer layer = TiledLayerInheriting(in);
  layer.properties = ReadProperties(node);
  if (kind == "layer") {
    layer.kind = TiledLayerKind::Tiles;
    ReadTileLayer(node, map, layer, reading.placed, where);
  } else if (kind == "objectgroup") {
    layer.kind = TiledLayerKind::Objects;
    for (const pugi::xml_node o : node.children("object")) {
      if (o.attribute("visible") && o.attribute("visible").as_int(1) == 0) continue;
      if (++reading.objects > static_cast<size_t>(kMaxTiledObjects))
        where.Fail("more than " + std::to_string(kMaxTiledObjects) + " objects in the map");
      try {
        layer.objects.push_back(ReadObject(o, where, reading));
      } catch (const ToolError& e) {
        // One object's fault spoils neither its layer nor the others.
        map.errors.push_back(e.message);
      }
    }
  } else {
    layer.kind = TiledLayerKind::Image;
    const pugi::xml_node image = node.child("image");
    if (image && image.attribute("source") && *image.attribute("source").value()) {
      layer.imagePath = Resolve(map.file, image.attribute("source").value());
      layer.imageTrans = TransAttribute(image, where);
    }
    layer.repeatX = node.attribute("repeatx").as_int(0) != 0;
    layer.repeatY = node.attribute("repeaty").as_int(0) != 0;
    if (layer.imagePath.empty()) return;  // an image layer without an image draws nothing
  }
  map.layers.push_back(std::move(layer));
}

}  // namespace

void ReadTsxTileset(const std::string& path, const std::string& context, TiledTileset& set) {
  pugi::xml_document doc;
  LoadXml(path, doc, context);
  const pugi::xml_node root = doc.child("tileset");
  if (!root) throw ToolError{path + ": not a Tiled tileset"};
  ReadTilesetBody(root, path, set, Where{path});
}

TiledObject ReadTxTemplate(const std::string& path, const std::string& context,
                           TiledTemplateTileset& tileset, TiledReading& reading) {
  pugi::xml_document doc;
  LoadXml(path, doc, context);
  const pugi::xml_node root = doc.child("template");
  const pugi::xml_node object = root.child("object");
  if (!root || !object) throw ToolError{path + ": not a Tiled template"};
  const Where where{path};
  if (const pugi::xml_node t = root.child("tileset")) {
    tileset.firstGid = static_cast<uint32_t>(
        IntAttribute(t, "firstgid", 0, 1, static_cast<int>(kTiledGidMask), where));
    if (!t.attribute("source")) where.Fail("its tileset is not a file of its own");
    tileset.source = Resolve(path, t.attribute("source").value());
  }
  return ReadObject(object, Where{path + ": template"}, reading);
}

const TiledProperty* FindTiledProperty(const TiledProperties& properties, const std::string& name) {
  for (const auto& p : properties) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

TiledMap ReadTiledMap(const std::string& path) {
  const std::string ext = fs::path(path).extension().string();
  if (ext == ".json" || ext == ".tmj") return ReadTiledJsonMap(path);
  TiledMap map;
  map.file = path;
  pugi::xml_document doc;
  LoadXml(path, doc, path);
  const pugi::xml_node root = doc.child("map");
  if (!root) throw ToolError{path + ": not a Tiled map (no <map> element)"};
  const Where where{path};
  map.orientation = root.attribute("orientation").value();
  if (map.orientation != "orthogonal") {
    where.Fail(Quote(map.orientation) + " orientation cannot be played; only orthogonal maps can");
  }
  map.infinite = root.attribute("infinite").as_int(0) != 0;
  map.width = IntAttribute(root, "width", 0, 0, 1 << 20, where);
  map.height = IntAttribute(root, "height", 0, 0, 1 << 20, where);
  map.tileWidth = IntAttribute(root, "tilewidth", 0, 1, 16384, where);
  map.tileHeight = IntAttribute(root, "tileheight", 0, 1, 16384, where);
  if (map.tileWidth == 0 || map.tileHeight == 0) where.Fail("tilewidth and tileheight are missing");
  if (const auto c = ColourAttribute(root, "backgroundcolor", where))
    map.backgroundColor = *c & 0xFFFFFFu;
  map.properties = ReadProperties(root);
  for (const pugi::xml_node t : root.children("tileset")) {
    if (map.tilesets.size() >= 4096) where.Fail("too many tilesets");
    ReadTileset(t, map);
  }
  SortTiledTilesets(map);
  TiledReading reading{map};
  ReadLayers(root, TiledInherited{}, reading, 0);
  return map;
}

const TiledTileset* FindTiledTileset(const TiledMap& map, uint32_t gid, int& tileId) {
  gid &= kTiledGidMask;
  const TiledTileset* found = nullptr;
  for (const auto& set : map.tilesets) {
    if (set.firstGid <= gid) found = &set;
  }
  if (!found || gid == 0) return nullptr;
  tileId = static_cast<int>(gid - found->firstGid);
  if (found->collection ? !found->tiles.count(tileId) : tileId >= found->tileCount) return nullptr;
  return found;
}

std::string TiledQuote(const std::string& s) {
  return Quote(s);
}

std::vector<uint8_t> ReadTiledFile(const std::string& path, const std::string& context) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) throw ToolError{context + ": cannot read " + path + ": " + ec.message()};
  if (size > static_cast<uintmax_t>(kMaxTiledFileBytes)) {
    throw ToolError{path + ": larger than " + std::to_string(kMaxTiledFileBytes >> 20) + " MiB"};
  }
  return ReadWholeFile(path);
}

std::optional<uint32_t> ParseTiledColour(const std::string& text, const TiledWhere& where,
                                         const std::string& what) {
  return ParseColour(text, where, what);
}

std::string ResolveTiledPath(const std::string& base, const std::string& relative) {
  return Resolve(base, relative);
}

std::vector<uint32_t> DecodeTiledText(const std::string& encoding, const std::string& compression,
                                      const char* text, int64_t cells, const TiledWhere& where) {
  return DecodeText(encoding, compression, text, cells, where);
}

uint32_t MultiplyTiledTint(uint32_t a, uint32_t b) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * cb + 127) / 255) << shift;
  }
  return out;
}

TiledInherited InheritTiled(const TiledInherited& parent, const TiledInherited& own) {
  TiledInherited in;
  in.path = parent.path.empty() ? own.path : parent.path + "/" + own.path;
  in.offsetX = parent.offsetX + own.offsetX;
  in.offsetY = parent.offsetY + own.offsetY;
  in.opacity = parent.opacity * std::clamp(own.opacity, 0.0, 1.0);
  in.parallaxX = parent.parallaxX * own.parallaxX;
  in.parallaxY = parent.parallaxY * own.parallaxY;
  in.tint = MultiplyTiledTint(parent.tint, own.tint);
  return in;
}

TiledLayer TiledLayerInheriting(const TiledInherited& in) {
  TiledLayer layer;
  layer.name = in.path;
  layer.offsetX = in.offsetX;
  layer.offsetY = in.offsetY;
  layer.opacity = in.opacity;
  layer.parallaxX = in.parallaxX;
  layer.parallaxY = in.parallaxY;
  layer.tint = in.tint;
  return layer;
}

void KeepTiledCells(TiledLayer& layer, const std::vector<uint32_t>& gids, int x0, int y0, int w,
                    int64_t& placed, const TiledWhere& where) {
  for (size_t i = 0; i < gids.size(); ++i) {
    if (gids[i] == 0) continue;
    if (++placed > kMaxTiledMapCells) {
      where.Fail("more than " + std::to_string(kMaxTiledMapCells) + " tiles in the map");
    }
    layer.cells.push_back({x0 + static_cast<int>(i % static_cast<size_t>(w)),
                           y0 + static_cast<int>(i / static_cast<size_t>(w)), gids[i]});
  }
}

void SortTiledChunks(TiledLayer& layer, const TiledWhere& where) {
  std::sort(layer.cells.begin(), layer.cells.end(), [](const TiledCell& a, const TiledCell& b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
  });
  const auto same = std::adjacent_find(
      layer.cells.begin(), layer.cells.end(),
      [](const TiledCell& a, const TiledCell& b) { return a.x == b.x && a.y == b.y; });
  if (same != layer.cells.end()) where.Fail("chunks overlap");
}

}  // namespace hopwerk
