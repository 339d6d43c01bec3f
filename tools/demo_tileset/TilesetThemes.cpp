#include "TilesetThemes.h"

#include "TilePieces.h"

namespace hopwerk {

namespace {

// Crystals, spikes and gates look the same everywhere: the player learns them once.
constexpr TilePiece kGlow0{"Crystal.png", 0, 16, 32, 32, 0};
constexpr TilePiece kGlow1{"Crystal.png", 32, 16, 32, 32, 0};
constexpr TilePiece kGlow2{"Crystal.png", 64, 16, 32, 32, 0};
constexpr TilePiece kSpikes{"Spikes.png", 0, 0, 32, 16, 16};
constexpr TilePiece kGate{"Gate.png", 0, 0, 32, 32, 0};

const TilesetTheme kThemes[] = {
    // The meadow's own pictures, as the marsh and the orchard are drawn.
    {"marsh",
     {{"Ground.png", 0, 0, 32, 32, 0},
      {"Ground.png", 32, 0, 32, 32, 0},
      {"Soil.png", 0, 0, 32, 32, 0},
      {"Soil.png", 32, 32, 32, 32, 0},
      {"Stone.png", 0, 0, 32, 32, 0},
      kGlow0,
      kGlow1,
      kGlow2,
      {"Ledge.png", 0, 0, 32, 16, 0},
      {"Ledge.png", 32, 0, 32, 16, 0},
      kSpikes,
      kGate}},
    // The caves: the floor and shelf the text-form caves are built of, over cave rock.
    {"cave",
     {{"CaveFloor.png", 0, 0, 32, 32, 0},
      {"CaveFloor.png", 32, 0, 32, 32, 0},
      {"CaveRock", 0, 0, 32, 32, 0},
      {"CaveRock", 32, 32, 32, 32, 0},
      {"CaveStone", 0, 0, 32, 32, 0},
      kGlow0,
      kGlow1,
      kGlow2,
      {"CaveLedge.png", 0, 0, 32, 16, 0},
      {"CaveLedge.png", 32, 0, 32, 16, 0},
      kSpikes,
      kGate}},
    // The peaks: snow on frozen ground, frosted stone, snowy planks with icicles under them.
    {"peak",
     {{"SnowGround", 0, 0, 32, 32, 0},
      {"SnowGround", 32, 0, 32, 32, 0},
      {"FrozenSoil", 0, 0, 32, 32, 0},
      {"FrozenSoil", 32, 32, 32, 32, 0},
      {"FrostStone", 0, 0, 32, 32, 0},
      kGlow0,
      kGlow1,
      kGlow2,
      {"SnowLedge", 0, 0, 32, 32, 0},
      {"SnowLedge", 32, 0, 32, 32, 0},
      kSpikes,
      kGate}},
};

const PaintedPiece kPainted[] = {
    {"CaveRock", 64, 64, true, PaintCaveRock},     {"CaveStone", 32, 32, true, PaintCaveStone},
    {"FrozenSoil", 64, 64, true, PaintFrozenSoil}, {"SnowGround", 64, 64, true, PaintSnowGround},
    {"FrostStone", 32, 32, true, PaintFrostStone}, {"SnowLedge", 64, 32, false, PaintSnowLedge},
};

}  // namespace

const TilesetTheme* FindTilesetTheme(std::string_view name) {
  for (const TilesetTheme& theme : kThemes) {
    if (name == theme.name) return &theme;
  }
  return nullptr;
}

const char* TilesetThemeNames() {
  return "marsh, cave or peak";
}

const PaintedPiece* FindPaintedPiece(std::string_view name) {
  for (const PaintedPiece& piece : kPainted) {
    if (name == piece.name) return &piece;
  }
  return nullptr;
}

}  // namespace hopwerk
