// A Tiled map turned into a level's readable sources: its General entry, its activity margins,
// its objects and its scripts in their .hwt forms, and the pictures it needs under Data/.
//
// The import is lenient: what the engine cannot express from another engine's conventions is
// left out or adjusted with a warning that names it, and only what cannot be played at all is
// an error. Every error and warning of a map is reported in one run.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "TiledMap.h"
#include "TiledPictures.h"

namespace hopwerk {

struct TiledImportOptions {
  bool strict = false;  // every warning is an error
  // Where the player starts, in the map's pixels (before any shift); none: found in the map.
  std::optional<std::pair<int, int>> player;
  // The actor definition of a player the map places without naming one (property Type).
  std::string playerType = "Player";
};

enum class TiledMessageKind { Error, Warning, Note };

struct TiledMessage {
  TiledMessageKind kind = TiledMessageKind::Error;
  std::string file;  // the map or the file the message is about
  std::string text;  // where and what: "layer "Objects": left out 14 objects of class ..."
};

// "Marsh.tmx: warning: layer "Objects": left out ...", errors without a word before the text.
std::string FormatTiledMessage(const TiledMessage& message);

struct ImportedLevel {
  // Files of the level's folder, relative to it ("General.hwt", "Script/Finish.hwt"), in order.
  std::vector<std::pair<std::string, std::string>> files;
  std::unique_ptr<TiledPictures> pictures;
  size_t objects = 0;
  // Every file the import read (the map, tilesets, templates, images, scripts): a change to
  // any of them changes the level.
  std::vector<std::string> sources;
};

struct TiledImportResult {
  std::optional<ImportedLevel> level;  // none when there were errors
  std::vector<TiledMessage> messages;  // in the order found; errors, warnings and notes
  bool HasErrors() const;
};

// Reads the map at mapPath (TMX or JSON) and maps it to the level named levelName. Scripts are
// read from NAME.hwt files beside the map.
TiledImportResult ImportTiledFile(const std::string& mapPath, const std::string& levelName,
                                  const TiledImportOptions& options);

// Maps an already read map; anything the engine cannot express is a ToolError naming the map
// file, the layer or object and what.
ImportedLevel ImportTiledMap(const TiledMap& map, const std::string& levelName);

}  // namespace hopwerk
