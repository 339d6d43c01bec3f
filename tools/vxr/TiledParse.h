// What the TMX and the JSON map readers share: messages, bounded file reading, colours, paths
// and the decoding of tile data.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TiledMap.h"
#include "VxrTool.h"

namespace hopwerk {

// What a message says where: "map.tmx: layer "Ground"".
struct TiledWhere {
  std::string text;
  [[noreturn]] void Fail(const std::string& what) const { throw ToolError{text + ": " + what}; }
};

std::string TiledQuote(const std::string& s);
// The whole file, refused beyond kMaxTiledFileBytes.
std::vector<uint8_t> ReadTiledFile(const std::string& path, const std::string& context);
// "#RRGGBB", "#AARRGGBB" (the # optional) as 0xAARRGGBB, alpha 255 when not given; empty: none.
std::optional<uint32_t> ParseTiledColour(const std::string& text, const TiledWhere& where,
                                         const std::string& what);
// A file named in `base` (a map or tileset file), relative to its folder.
std::string ResolveTiledPath(const std::string& base, const std::string& relative);
// The gids of `cells` tiles in Tiled's text encodings: "csv", or "base64" with compression
// "zlib", "gzip" or none. Any other count of tiles is an error.
std::vector<uint32_t> DecodeTiledText(const std::string& encoding, const std::string& compression,
                                      const char* text, int64_t cells, const TiledWhere& where);
uint32_t MultiplyTiledTint(uint32_t a, uint32_t b);

// What a layer takes from the groups around it: offsets add up, opacity, parallax and tint
// multiply, and its name is the path through them.
struct TiledInherited {
  std::string path;
  double offsetX = 0, offsetY = 0, opacity = 1, parallaxX = 1, parallaxY = 1;
  uint32_t tint = 0xFFFFFFFFu;
};
// What a layer or group inherits: `own` is what its file says of it, its path its own name.
TiledInherited InheritTiled(const TiledInherited& parent, const TiledInherited& own);
// A layer of no kind yet, with what it inherited as its own.
TiledLayer TiledLayerInheriting(const TiledInherited& in);
// Appends the placed tiles of a w-wide block at x0, y0 to the layer, counting them in placed.
void KeepTiledCells(TiledLayer& layer, const std::vector<uint32_t>& gids, int x0, int y0, int w,
                    int64_t& placed, const TiledWhere& where);
// Chunks come in any order: rows put back to run left to right; overlapping chunks are an error.
void SortTiledChunks(TiledLayer& layer, const TiledWhere& where);

// Reads a map saved in Tiled's JSON format (.tmj or .json).
TiledMap ReadTiledJsonMap(const std::string& path);

// The state of reading one map: the objects and tiles counted against the limits, and each
// template read once.
struct TiledReading {
  explicit TiledReading(TiledMap& m) : map(m) {}
  TiledMap& map;
  int64_t placed = 0;
  size_t objects = 0;
  std::map<std::string, std::unique_ptr<TiledObject>> templates;
};

// The tileset a tile template draws from, as the template names it.
struct TiledTemplateTileset {
  uint32_t firstGid = 0;
  std::string source;  // resolved
};

// An external tileset of either format (.tsx, or .tsj/.json), whichever format the map has.
void ReadTiledTilesetFile(const std::string& path, const std::string& context, TiledTileset& set);
void ReadTsxTileset(const std::string& path, const std::string& context, TiledTileset& set);
void ReadTsjTileset(const std::string& path, const std::string& context, TiledTileset& set);
// A template's object as its file gives it (.tx or .tj/.json), its gid in the template's own
// tileset numbering.
TiledObject ReadTxTemplate(const std::string& path, const std::string& context,
                           TiledTemplateTileset& tileset, TiledReading& reading);
TiledObject ReadTjTemplate(const std::string& path, const std::string& context,
                           TiledTemplateTileset& tileset, TiledReading& reading);
// The object of the template at path, read once, its gid renumbered into the map's tilesets
// (the template's tileset is added to the map when the map does not have it).
const TiledObject& TiledTemplateObject(TiledReading& reading, const std::string& path,
                                       const TiledWhere& where);
// Forgets the shape an object took from its template: it has one of its own.
void ClearTiledShape(TiledObject& object);
// The template's properties with the object's own over them, as Tiled combines them.
TiledProperties MergeTiledProperties(const TiledProperties& base, const TiledProperties& own);
// The bounds of points given relative to (x, y).
TiledRect TiledPointBounds(double x, double y,
                           const std::vector<std::pair<double, double>>& points);
void SortTiledTilesets(TiledMap& map);

}  // namespace hopwerk
