// The workings of the Tiled import, shared by the files that hold its steps: the map's layers
// become drawing layers of placed objects, the background is planned and drawn, the player is
// found or placed, the whole is shifted into the world, and the level's entries are written.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "EntryBuilder.h"
#include "TiledImport.h"
#include "TiledReport.h"
#include "schema/Kinds.h"

namespace hopwerk {

// The world's extent on both axes: nothing can stand outside it.
inline constexpr int kTiledWorldSize = 5000;
// A background that moves by less than a pixel over the whole world stands still.
inline constexpr int kStillBackgroundDivisor = kTiledWorldSize + 1;

// An object of the level before its drawing layer and the map's shift are settled.
struct PlacedObject {
  EntryValues values;    // every field but X and Y
  int64_t x = 0, y = 0;  // where the map puts it, in pixels
};

// One drawing layer of the level: a layer of the map, or neighbouring tile layers merged.
struct DrawLayer {
  std::string name;
  bool tiles = false;  // only tiles: may be merged with a neighbouring tile layer
  std::vector<PlacedObject> objects;
};

// What a tile is to the player: nothing, a wall as large as the tile, or a smaller wall.
struct TileWall {
  enum class Kind { None, Whole, Part } kind = Kind::None;
  int x = 0, y = 0, width = 0, height = 0;  // Part: in the tile's own pixels
};

// A map layer drawn into the background picture rather than as objects.
struct BackgroundPart {
  const TiledLayer* layer = nullptr;
};

struct TiledImporter {
  TiledImporter(const TiledMap& m, std::string name, const TiledImportOptions& o, TiledReport& r);

  const TiledMap& map;
  std::string levelName;
  const TiledImportOptions& options;
  TiledReport& report;
  const EntryFormat& objectsFormat;
  ImportedLevel out;
  std::vector<DrawLayer> layers;  // bottom to top
  std::vector<std::string> scriptNames;
  int64_t shiftX = 0, shiftY = 0;
  // How far the map reaches right and down, after the shift: what the camera can show.
  int64_t contentWidth = 0, contentHeight = 0;
  std::vector<std::string> objectTexts;  // the objects entry's elements

  // The player: where it comes from.
  int classPlayers = 0;
  const TiledObject* candidate = nullptr;  // a spawn point chosen by name or class
  bool playerPlaced = false;

  // The background.
  std::vector<const TiledLayer*> backgroundLayers;  // drawn into it, back to front
  std::set<const TiledLayer*> inBackground;
  std::set<const TiledLayer*> leftOut;  // image layers whose image cannot be read
  int backgroundDivisor = 0;            // 0: no background from the map's layers
  double backgroundSpeed = 1;
  std::string backgroundPic;
  std::string backgroundLayer;  // the first layer it came from, for messages

  void Run();

  // Steps, each in a file of its own.
  void MeasureMap();                                // TiledLayout.cpp
  void PlanBackground();                            // TiledBackground.cpp
  void DrawBackground();                            // TiledBackground.cpp
  void ImageLayerObjects(const TiledLayer& layer);  // TiledBackground.cpp
  bool ImageReadable(const TiledLayer& layer);      // TiledBackground.cpp
  void TileLayer(const TiledLayer& layer);          // TiledTileLayers.cpp
  void ChoosePlayer();                              // TiledObjects.cpp
  void ObjectLayer(const TiledLayer& layer);        // TiledObjects.cpp
  void PlacePlayer();                               // TiledObjects.cpp
  void Shift();                                     // TiledLayout.cpp
  void AssignLevels();                              // TiledLayout.cpp
  void LevelFields(std::string& nextLevel);         // TiledLevelFields.cpp
  void Scripts(const std::string& nextLevel);       // TiledLevelFields.cpp

  // Shared helpers.
  std::string LayerWhere(const TiledLayer& layer) const;
  int Alpha(const TiledLayer& layer) const;
  // The tileset and tile of a gid; false (an error reported, or a broken tileset) when none.
  bool Lookup(uint32_t gid, const TiledTileset*& set, int& tileId, const std::string& where);
  TileWall WallOf(const TiledTileset& set, int tileId);
  // A tile's collision shape where it lies on the tile's picture as drawn: scaled, turned and
  // flipped with it.
  TileWall ShapeOnPicture(const TileWall& shape, const TileLook& look, const CutPicture& pic,
                          const std::string& where);
  // How a cell of a tile layer draws its tile: flipped and turned by the gid's bits.
  static TileLook CellLook(const TiledTileset& set, int tileId, uint32_t gid, int alpha);
  // The background's speed nearest to a layer's: its divisor, and whether that is exact.
  static int Divisor(double speed, bool& exact);
  // Adds a drawing layer and returns it.
  DrawLayer& NewLayer(const std::string& name, bool tiles);
};

// Whether a property is a set flag: a boolean true, or 1.
bool IsTiledTrue(const TiledProperty& p);
// The names maps give the flag of what stops the player: wall, collides, collision, solid.
bool IsTiledWallName(const std::string& name);
// A value of a level field from a property: whole numbers in the field's range, booleans as 0
// and 1, strings of at most 255 bytes. False, with why, when it does not fit.
bool TiledFieldValue(const EntryField& field, const TiledProperty& p, EntryValue& value,
                     std::string& why);
int RoundTiled(double v);
std::string TiledNumber(double v);
void SetTiledPicture(EntryValues& v, const CutPicture& pic);
void SetTiledColour(EntryValues& v, uint32_t rgb);

}  // namespace hopwerk
