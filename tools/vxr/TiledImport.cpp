#include "TiledImport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "TiledImporter.h"
#include "VxrTool.h"

namespace hopwerk {

namespace fs = std::filesystem;

bool IsTiledTrue(const TiledProperty& p) {
  return p.value == "true" || p.value == "1";
}

bool TiledFieldValue(const EntryField& field, const TiledProperty& p, EntryValue& value,
                     std::string& why) {
  if (field.type == EntryFieldType::String || field.type == EntryFieldType::Scrambled) {
    if (p.value.size() > 255) {
      why = "is longer than 255 bytes";
      return false;
    }
    value = TextValue(p.value);
    return true;
  }
  int64_t low = INT32_MIN, high = INT32_MAX;
  if (field.type != EntryFieldType::Int) {
    low = field.high < field.low ? 0 : field.low;
    high = field.high < field.low ? 255 : field.high;
  }
  if (p.value == "true" || p.value == "false") {
    value = NumberValue(p.value == "true" ? 1 : 0);
    return true;
  }
  size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(p.value, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != p.value.size() || v < low || v > high) {
    why = "is not a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  value = NumberValue(v);
  return true;
}

int RoundTiled(double v) {
  return static_cast<int>(std::lround(v));
}

// A number as an author typed it: 90, 0.3.
std::string TiledNumber(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

void SetTiledPicture(EntryValues& v, const CutPicture& pic) {
  v["PicName"] = TextValue(pic.file);
  if (pic.frames > 1) {
    v["Anim"] = NumberValue(1);
    v["AnW"] = NumberValue(pic.frameWidth);
    v["AnH"] = NumberValue(pic.frameHeight);
    v["ANF"] = NumberValue(pic.frames);
    v["AnimSlow"] = NumberValue(pic.animSlow);
  }
}

void SetTiledColour(EntryValues& v, uint32_t rgb) {
  v["R"] = NumberValue((rgb >> 16) & 0xFF);
  v["G"] = NumberValue((rgb >> 8) & 0xFF);
  v["B"] = NumberValue(rgb & 0xFF);
}

TiledImporter::TiledImporter(const TiledMap& m, std::string name, const TiledImportOptions& o,
                             TiledReport& r)
    : map(m),
      levelName(std::move(name)),
      options(o),
      report(r),
      objectsFormat(LevelEntryFormat("LEVEL/Objects")) {
  out.pictures = std::make_unique<TiledPictures>(map);
}

std::string TiledImporter::LayerWhere(const TiledLayer& layer) const {
  return "layer \"" + layer.name + "\"";
}

int TiledImporter::Alpha(const TiledLayer& layer) const {
  return std::clamp(RoundTiled(layer.opacity * static_cast<double>(layer.tint >> 24)), 0, 255);
}

DrawLayer& TiledImporter::NewLayer(const std::string& name, bool tiles) {
  layers.push_back(DrawLayer{name, tiles, {}});
  return layers.back();
}

bool TiledImporter::Lookup(uint32_t gid, const TiledTileset*& set, int& tileId,
                           const std::string& where) {
  // A tileset that could not be read was reported once; its tiles are simply missing.
  gid &= kTiledGidMask;
  const TiledTileset* owner = nullptr;
  for (const auto& s : map.tilesets) {
    if (s.firstGid <= gid) owner = &s;
  }
  if (owner && owner->broken) return false;
  set = FindTiledTileset(map, gid, tileId);
  if (!set) {
    report.Error(where + ": gid " + std::to_string(gid) + " is in no tileset");
    return false;
  }
  return true;
}

void TiledImporter::Run() {
  MeasureMap();
  PlanBackground();
  ChoosePlayer();
  for (const TiledLayer& layer : map.layers) {
    // A tile layer's wall flag makes walls of its tiles; anything else a layer carries is
    // another engine's.
    std::string names;
    for (const auto& p : layer.properties) {
      if (layer.kind == TiledLayerKind::Tiles && IsTiledWallName(p.name)) continue;
      names += (names.empty() ? "\"" : ", \"") + p.name + "\"";
    }
    if (!names.empty()) {
      report.Warning(LayerWhere(layer) + ": ignored its properties " + names +
                     ", which the engine does not have");
    }
    if (inBackground.count(&layer) || leftOut.count(&layer)) continue;
    switch (layer.kind) {
      case TiledLayerKind::Tiles:
        TileLayer(layer);
        break;
      case TiledLayerKind::Objects:
        ObjectLayer(layer);
        break;
      case TiledLayerKind::Image:
        ImageLayerObjects(layer);
        break;
    }
  }
  PlacePlayer();
  Shift();
  DrawBackground();
  AssignLevels();
  std::string nextLevel;
  LevelFields(nextLevel);
  Scripts(nextLevel);
}

std::string FormatTiledMessage(const TiledMessage& message) {
  const char* word = message.kind == TiledMessageKind::Warning ? "warning: "
                     : message.kind == TiledMessageKind::Note  ? "note: "
                                                               : "";
  return (message.file.empty() ? "" : message.file + ": ") + word + message.text;
}

bool TiledImportResult::HasErrors() const {
  for (const auto& m : messages) {
    if (m.kind == TiledMessageKind::Error) return true;
  }
  return false;
}

TiledImportResult ImportTiledFile(const std::string& mapPath, const std::string& levelName,
                                  const TiledImportOptions& options) {
  TiledImportResult result;
  TiledReport report(mapPath, options.strict);
  try {
    const TiledMap map = ReadTiledMap(mapPath);
    for (const std::string& e : map.errors) report.ReaderError(e);
    TiledImporter importer(map, levelName, options, report);
    try {
      importer.Run();
    } catch (const ToolError& e) {
      // Limits (memory for pictures) end the import at once.
      report.ReaderError(e.message);
    }
    // The map first, then every other file once.
    std::vector<std::string> sources = map.files;
    const std::vector<std::string> images = importer.out.pictures->Images();
    sources.insert(sources.end(), images.begin(), images.end());
    sources.insert(sources.end(), importer.out.sources.begin(), importer.out.sources.end());
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    sources.insert(sources.begin(), map.file);
    importer.out.sources = std::move(sources);
    if (!report.HasErrors()) result.level = std::move(importer.out);
  } catch (const ToolError& e) {
    report.ReaderError(e.message);
  }
  result.messages = report.Messages();
  return result;
}

ImportedLevel ImportTiledMap(const TiledMap& map, const std::string& levelName) {
  TiledReport report(map.file, false);
  for (const std::string& e : map.errors) report.ReaderError(e);
  TiledImportOptions options;
  TiledImporter importer(map, levelName, options, report);
  importer.Run();
  for (const TiledMessage& m : report.Messages()) {
    if (m.kind == TiledMessageKind::Error) throw ToolError{FormatTiledMessage(m)};
  }
  return std::move(importer.out);
}

}  // namespace hopwerk
