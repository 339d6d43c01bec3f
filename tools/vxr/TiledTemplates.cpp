// What the TMX and JSON readers share beyond single values: external tilesets of either format,
// templates and the merging of their values with an object's own.
#include <algorithm>
#include <filesystem>

#include "TiledParse.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

bool IsJsonFile(const std::string& path) {
  const std::string ext = fs::path(path).extension().string();
  return ext == ".json" || ext == ".tsj" || ext == ".tj";
}

// The first gid after every tileset of the map: where a tileset the map does not have yet can
// be numbered without taking another's gids.
uint32_t NextFreeGid(const TiledMap& map) {
  uint64_t next = 1;
  for (const auto& set : map.tilesets) {
    uint64_t span = static_cast<uint64_t>(std::max(set.tileCount, 0));
    if (set.collection && !set.tiles.empty())
      span = static_cast<uint64_t>(set.tiles.rbegin()->first) + 1;
    next = std::max(next, set.firstGid + std::max<uint64_t>(span, 1));
  }
  return static_cast<uint32_t>(std::min<uint64_t>(next, kTiledGidMask));
}

}  // namespace

void ReadTiledTilesetFile(const std::string& path, const std::string& context, TiledTileset& set) {
  set.file = path;
  if (IsJsonFile(path)) {
    ReadTsjTileset(path, context, set);
  } else {
    ReadTsxTileset(path, context, set);
  }
}

const TiledObject& TiledTemplateObject(TiledReading& reading, const std::string& path,
                                       const TiledWhere& where) {
  if (const auto it = reading.templates.find(path); it != reading.templates.end()) {
    if (!it->second) where.Fail("its template " + TiledQuote(path) + " cannot be read");
    return *it->second;
  }
  // Marked first: a template that fails is reported once, where it was first used.
  reading.templates[path] = nullptr;
  TiledTemplateTileset tileset;
  TiledObject object = IsJsonFile(path) ? ReadTjTemplate(path, where.text, tileset, reading)
                                        : ReadTxTemplate(path, where.text, tileset, reading);
  reading.map.files.push_back(path);
  if (object.gid != 0) {
    if (tileset.firstGid == 0 || tileset.source.empty()) {
      throw ToolError{path + ": a tile template without its tileset"};
    }
    const std::string source = fs::path(tileset.source).lexically_normal().string();
    const TiledTileset* found = nullptr;
    for (const auto& set : reading.map.tilesets) {
      if (fs::path(set.file).lexically_normal().string() == source) found = &set;
    }
    if (!found) {
      if (reading.map.tilesets.size() >= 4096) where.Fail("too many tilesets");
      TiledTileset set;
      set.firstGid = NextFreeGid(reading.map);
      try {
        ReadTiledTilesetFile(source, path, set);
      } catch (const ToolError&) {
        set.broken = true;
        reading.map.tilesets.push_back(std::move(set));
        throw;
      }
      reading.map.files.push_back(source);
      reading.map.tilesets.push_back(std::move(set));
      found = &reading.map.tilesets.back();
    }
    const uint32_t id =
        (object.gid & kTiledGidMask) - std::min(object.gid & kTiledGidMask, tileset.firstGid);
    object.gid = (object.gid & ~kTiledGidMask) | ((found->firstGid + id) & kTiledGidMask);
  }
  auto& kept = reading.templates[path];
  kept = std::make_unique<TiledObject>(std::move(object));
  return *kept;
}

void ClearTiledShape(TiledObject& object) {
  object.point = false;
  object.ellipse = false;
  object.shape.clear();
  object.points.clear();
  object.text = false;
  object.textValue.clear();
  object.textColor.reset();
}

TiledProperties MergeTiledProperties(const TiledProperties& base, const TiledProperties& own) {
  TiledProperties merged = base;
  for (const auto& p : own) {
    auto same = std::find_if(merged.begin(), merged.end(),
                             [&](const TiledProperty& q) { return q.name == p.name; });
    if (same != merged.end()) {
      *same = p;
    } else {
      merged.push_back(p);
    }
  }
  return merged;
}

TiledRect TiledPointBounds(double x, double y,
                           const std::vector<std::pair<double, double>>& points) {
  if (points.empty()) return {x, y, 0, 0};
  double left = points[0].first, right = left, top = points[0].second, bottom = top;
  for (const auto& [px, py] : points) {
    left = std::min(left, px);
    right = std::max(right, px);
    top = std::min(top, py);
    bottom = std::max(bottom, py);
  }
  return {x + left, y + top, right - left, bottom - top};
}

void SortTiledTilesets(TiledMap& map) {
  std::stable_sort(
      map.tilesets.begin(), map.tilesets.end(),
      [](const TiledTileset& a, const TiledTileset& b) { return a.firstGid < b.firstGid; });
}

}  // namespace hopwerk
