// Tile layers: each placed tile becomes a map object with its picture; runs of one tile in a row
// become one object repeated across, equal runs in the rows below one rectangle, and tiles that
// collide are walls, as large as the tile or as the shapes drawn on it.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>

#include "TiledImporter.h"
#include "VxrTool.h"

namespace hopwerk {

namespace {

// RepX and RepY are bytes: one object covers at most this many tiles a side.
constexpr int kMaxRun = 256;

// The engine keeps an object only while its top-left corner lies within the level's margins
// around the view, so a merged run wider than the left margin (or taller than the top one)
// would vanish while its far end is still on screen. Runs stop at as many tiles as the margin
// holds; a map without margins keeps everything, up to the world's size.
int RunLimit(const TiledMap& map, const char* margin, int tileSize) {
  int pixels = 5000;
  if (const TiledProperty* p = FindTiledProperty(map.properties, margin)) {
    int value = 0;
    const char* end = p->value.data() + p->value.size();
    if (std::from_chars(p->value.data(), end, value).ptr == end && value >= 0) pixels = value;
  }
  return std::clamp(pixels / std::max(tileSize, 1), 1, kMaxRun);
}

}  // namespace

// The names other engines' maps give a tile that stops the player, in any letter case.
bool IsTiledWallName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "wall" || lower == "collides" || lower == "collision" || lower == "solid";
}

namespace {

// One object a placed tile makes: its picture, or a wall smaller than it; dx, dy from the
// top-left corner of its cell.
struct Piece {
  const CutPicture* pic = nullptr;
  int otype = 0;
  int dx = 0, dy = 0;
};

struct TileRun {
  int column = 0, row = 0, length = 0;
  Piece piece;
};

}  // namespace

TileLook TiledImporter::CellLook(const TiledTileset& set, int tileId, uint32_t gid, int alpha) {
  TileLook look;
  look.set = &set;
  look.tileId = tileId;
  look.flipH = gid & kTiledFlipH;
  look.flipV = gid & kTiledFlipV;
  look.diagonal = gid & kTiledFlipDiagonal;
  look.alpha = alpha;
  return look;
}

TileWall TiledImporter::WallOf(const TiledTileset& set, int tileId) {
  const auto t = set.tiles.find(tileId);
  if (t == set.tiles.end()) return {};
  const TiledTile& tile = t->second;
  if (IsTiledWallName(tile.className)) return {TileWall::Kind::Whole};
  for (const auto& p : tile.properties) {
    if (IsTiledWallName(p.name) && IsTiledTrue(p)) return {TileWall::Kind::Whole};
  }
  if (tile.collision.empty()) return {};
  double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
  for (const TiledRect& r : tile.collision) {
    left = std::min(left, r.x);
    top = std::min(top, r.y);
    right = std::max(right, r.x + r.width);
    bottom = std::max(bottom, r.y + r.height);
  }
  int w = 0, h = 0;
  out.pictures->TileSize(set, tileId, w, h, "tile " + std::to_string(tileId));
  const int x0 = std::clamp(static_cast<int>(std::floor(left)), 0, w);
  const int y0 = std::clamp(static_cast<int>(std::floor(top)), 0, h);
  const int x1 = std::clamp(static_cast<int>(std::ceil(right)), 0, w);
  const int y1 = std::clamp(static_cast<int>(std::ceil(bottom)), 0, h);
  if (x1 <= x0 || y1 <= y0) return {};
  if (x0 == 0 && y0 == 0 && x1 == w && y1 == h) return {TileWall::Kind::Whole};
  return {TileWall::Kind::Part, x0, y0, x1 - x0, y1 - y0};
}

TileWall TiledImporter::ShapeOnPicture(const TileWall& shape, const TileLook& look,
                                       const CutPicture& pic, const std::string& where) {
  // Scaled with a tile object drawn larger or smaller than its tile (a layer's cells never are).
  double sx = 1, sy = 1;
  if (look.width > 0 || look.height > 0) {
    int tw = 0, th = 0;
    out.pictures->TileSize(*look.set, look.tileId, tw, th, where);
    if (look.width > 0 && tw > 0) sx = double(look.width) / tw;
    if (look.height > 0 && th > 0) sy = double(look.height) / th;
  }
  TileWall part = shape;
  part.x = static_cast<int>(std::floor(shape.x * sx));
  part.y = static_cast<int>(std::floor(shape.y * sy));
  part.width = std::max(1, static_cast<int>(std::ceil((shape.x + shape.width) * sx)) - part.x);
  part.height = std::max(1, static_cast<int>(std::ceil((shape.y + shape.height) * sy)) - part.y);
  // The shape turns with the tile: swapped first, then flipped, as its picture.
  if (look.diagonal) {
    std::swap(part.x, part.y);
    std::swap(part.width, part.height);
  }
  if (look.flipH) part.x = pic.frameWidth - part.x - part.width;
  if (look.flipV) part.y = pic.frameHeight - part.y - part.height;
  return part;
}

void TiledImporter::TileLayer(const TiledLayer& layer) {
  if (layer.cells.empty()) return;
  const std::string where = LayerWhere(layer);
  if (layer.parallaxX != 1 || layer.parallaxY != 1) {
    report.Warning(where + ": scrolls at " + TiledNumber(layer.parallaxX) + " across and " +
                   TiledNumber(layer.parallaxY) +
                   " down of the camera's speed; drawn with the map, at the camera's speed");
  }
  const int ox = RoundTiled(layer.offsetX), oy = RoundTiled(layer.offsetY);
  const int tw = map.tileWidth, th = map.tileHeight;
  const int maxColumns = RunLimit(map, "MinusX", tw), maxRows = RunLimit(map, "MinusY", th);
  const int alpha = Alpha(layer);
  // A layer marked as colliding makes walls of all its tiles.
  const bool layerWalls =
      std::any_of(layer.properties.begin(), layer.properties.end(),
                  [](const TiledProperty& p) { return IsTiledWallName(p.name) && IsTiledTrue(p); });
  // Every gid is looked up and cut once per layer, however often it is placed.
  std::unordered_map<uint32_t, std::vector<Piece>> seen;
  std::vector<TileRun> runs;
  std::map<std::tuple<int, const CutPicture*, int, int, int>, size_t> open;
  for (const TiledCell& cell : layer.cells) {
    auto found = seen.find(cell.gid);
    if (found == seen.end()) {
      std::vector<Piece> pieces;
      const std::string at =
          where + ", tile at column " + std::to_string(cell.x) + ", row " + std::to_string(cell.y);
      try {
        const TiledTileset* set = nullptr;
        int tileId = 0;
        if (Lookup(cell.gid, set, tileId, at)) {
          const TileLook look = CellLook(*set, tileId, cell.gid, alpha);
          const CutPicture& pic = out.pictures->Cut(look, "Pictures", at);
          const TileWall wall = layerWalls ? TileWall{TileWall::Kind::Whole} : WallOf(*set, tileId);
          // Tiles stand on the bottom-left corner of their cell.
          const int dx = set->offsetX, dy = th - pic.frameHeight + set->offsetY;
          pieces.push_back(
              {&pic, wall.kind == TileWall::Kind::Whole ? kWall : kDecoration, dx, dy});
          if (wall.kind == TileWall::Kind::Part) {
            const TileWall part = ShapeOnPicture(wall, look, pic, at);
            pieces.push_back({&out.pictures->Blank(part.width, part.height, at), kWall, dx + part.x,
                              dy + part.y});
          }
        }
      } catch (const ToolError& e) {
        report.Error(e.message);
      }
      found = seen.emplace(cell.gid, std::move(pieces)).first;
    }
    for (const Piece& piece : found->second) {
      const auto key = std::make_tuple(cell.y, piece.pic, piece.otype, piece.dx, piece.dy);
      // Copies repeat at the picture's own size, so only grid-wide pictures can be merged.
      const auto it = open.find(key);
      if (it != open.end()) {
        TileRun& run = runs[it->second];
        if (run.column + run.length == cell.x && piece.pic->frameWidth == tw &&
            run.length < maxColumns) {
          ++run.length;
          continue;
        }
      }
      open[key] = runs.size();
      runs.push_back({cell.x, cell.y, 1, piece});
    }
  }

  // Equal runs in consecutive rows become one rectangle.
  struct Rect {
    TileRun run;
    int rows = 1;
  };
  std::vector<Rect> rects;
  std::map<std::tuple<int, int, const CutPicture*, int, int, int>, size_t> columns;
  for (const TileRun& run : runs) {
    const Piece& p = run.piece;
    const auto key = std::make_tuple(run.column, run.length, p.pic, p.otype, p.dx, p.dy);
    const auto it = columns.find(key);
    if (it != columns.end() && p.pic->frameHeight == th) {
      Rect& r = rects[it->second];
      if (r.run.row + r.rows == run.row && r.rows < maxRows) {
        ++r.rows;
        continue;
      }
    }
    columns[key] = rects.size();
    rects.push_back({run, 1});
  }

  DrawLayer& draw = NewLayer(layer.name, true);
  for (const Rect& r : rects) {
    PlacedObject o;
    o.x = int64_t{ox} + int64_t{r.run.column} * tw + r.run.piece.dx;
    o.y = int64_t{oy} + int64_t{r.run.row} * th + r.run.piece.dy;
    EntryValues& v = o.values;
    v["RepX"] = NumberValue(r.run.length - 1);
    v["RepY"] = NumberValue(r.rows - 1);
    v["OType"] = NumberValue(r.run.piece.otype);
    SetTiledPicture(v, *r.run.piece.pic);
    SetTiledColour(v, layer.tint);
    draw.objects.push_back(std::move(o));
  }
}

}  // namespace hopwerk
