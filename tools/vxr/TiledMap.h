// A map drawn in the Tiled editor, as far as a level needs it: its tilesets, its layers with
// groups flattened and hidden ones left out, tile data decoded whatever its encoding, and the
// objects of its object layers. Everything read is bounded, so a hostile map ends in an error
// instead of an allocation of gigabytes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hopwerk {

// Limits on what a map may ask of the tool; each is far above what a level of a 5000-pixel
// world can use.
inline constexpr int64_t kMaxTiledFileBytes = int64_t{64} << 20;
inline constexpr int64_t kMaxTiledLayerCells = int64_t{1} << 22;    // width x height of one layer
inline constexpr int64_t kMaxTiledMapCells = int64_t{1} << 23;      // placed tiles, all layers
inline constexpr int64_t kMaxTiledTilesetTiles = int64_t{1} << 16;  // tiles of one tileset
inline constexpr int64_t kMaxTiledObjects = 65536;
inline constexpr int kMaxTiledGroupDepth = 64;

// The flip bits Tiled keeps in the high bits of a gid.
inline constexpr uint32_t kTiledFlipH = 0x80000000u;
inline constexpr uint32_t kTiledFlipV = 0x40000000u;
inline constexpr uint32_t kTiledFlipDiagonal = 0x20000000u;  // a quarter turn with a flip
inline constexpr uint32_t kTiledRotateHex = 0x10000000u;
inline constexpr uint32_t kTiledGidMask = 0x0FFFFFFFu;

struct TiledProperty {
  std::string name;
  std::string type;  // "string", "int", "bool", "float", "color", "file", ...
  std::string value;
};
using TiledProperties = std::vector<TiledProperty>;

const TiledProperty* FindTiledProperty(const TiledProperties& properties, const std::string& name);

// A rectangle in pixels: a tile's collision shape, a shape's bounds.
struct TiledRect {
  double x = 0, y = 0, width = 0, height = 0;
};

struct TiledFrame {
  int tileId = 0;
  int durationMs = 0;
};

// A tile of a tileset that has something of its own: a class, properties, an animation, or (in
// an image-collection tileset) its own picture.
struct TiledTile {
  std::string className;
  TiledProperties properties;
  std::vector<TiledFrame> animation;
  std::string imagePath;  // image collections: the tile's own picture, resolved
  int imageX = 0, imageY = 0, width = 0, height = 0;  // the part of it that is the tile
  std::optional<uint32_t> trans;
  // The bounds of each collision shape drawn on the tile, in its pixels.
  std::vector<TiledRect> collision;
};

struct TiledTileset {
  std::string name;
  std::string file;  // where it is defined: the map, or its .tsx file
  uint32_t firstGid = 1;
  int tileCount = 0;
  int columns = 0;
  int tileWidth = 0, tileHeight = 0;
  int spacing = 0, margin = 0;
  int offsetX = 0, offsetY = 0;   // drawing offset of every tile
  bool collection = false;        // one picture per tile
  std::string imagePath;          // the atlas, resolved (not for collections)
  std::optional<uint32_t> trans;  // the colour drawn transparent, 0xRRGGBB
  std::string objectAlignment;    // where a tile object's position lies on its picture
  std::map<int, TiledTile> tiles;
  // Pictures kept inside the file as base64, by the name their image path gives them.
  std::map<std::string, std::vector<uint8_t>> embedded;
  bool broken = false;  // could not be read (an error says why): its tiles are left out
};

struct TiledObject {
  int id = 0;
  std::string name;
  std::string className;
  double x = 0, y = 0, width = 0, height = 0, rotation = 0;
  uint32_t gid = 0;  // 0: not a tile object; flip bits kept
  bool point = false;
  bool ellipse = false;
  std::string shape;  // "polygon" or "polyline" when it is one, else empty
  std::vector<std::pair<double, double>> points;  // of a polygon or polyline, from x, y
  bool text = false;
  std::string textValue;
  std::optional<uint32_t> textColor;  // 0xRRGGBB
  std::string templateFile;           // resolved; what it gives is already folded in
  TiledProperties properties;
};

enum class TiledLayerKind { Tiles, Objects, Image };

struct TiledCell {
  int x = 0, y = 0;  // in tiles; negative only in infinite maps
  uint32_t gid = 0;  // never 0; flip bits kept
};

// One visible layer, with what its groups give it folded in.
struct TiledLayer {
  TiledLayerKind kind = TiledLayerKind::Tiles;
  std::string name;  // with its groups: "Group/Layer"
  double offsetX = 0, offsetY = 0;
  double opacity = 1;
  double parallaxX = 1, parallaxY = 1;
  uint32_t tint = 0xFFFFFFFFu;  // 0xAARRGGBB, white: none
  TiledProperties properties;
  std::vector<TiledCell> cells;  // row by row, left to right within a row
  std::vector<TiledObject> objects;
  std::string imagePath;  // image layers
  std::optional<uint32_t> imageTrans;
  bool repeatX = false, repeatY = false;  // image layers
};

struct TiledMap {
  std::string file;  // as given, for messages
  std::string orientation;
  int width = 0, height = 0;
  int tileWidth = 0, tileHeight = 0;
  bool infinite = false;
  std::optional<uint32_t> backgroundColor;  // 0xRRGGBB
  TiledProperties properties;
  std::vector<TiledTileset> tilesets;  // ordered by firstGid
  std::vector<TiledLayer> layers;      // bottom to top
  // What could not be read, each a whole message ("Marsh.tmx: layer "A": ..."); the rest of
  // the map is read on, so that one run reports every problem.
  std::vector<std::string> errors;
  std::vector<std::string> files;  // tilesets and templates read, besides the map itself
};

// Reads a TMX or JSON map and the tilesets and templates it refers to. A map the tool cannot
// read at all is a ToolError; a layer or tileset that cannot be read, or asks for more than the
// limits above, is an entry of `errors` naming the file and the layer or object.
TiledMap ReadTiledMap(const std::string& path);

// The tileset of a gid (flip bits ignored) and the tile's id in it; null when no tileset has it.
const TiledTileset* FindTiledTileset(const TiledMap& map, uint32_t gid, int& tileId);

}  // namespace hopwerk
