// The demo's tilesets, one a theme: the same twelve cells in the same order in every one, so a
// map changes its look by pointing at another .tsx and keeps every tile id, wall and shape.
#pragma once

#include <string_view>

#include "ArtCanvas.h"

namespace hopwerk {

constexpr int kTileCell = 32;
constexpr int kTileColumns = 4;
constexpr int kTileRows = 3;
constexpr int kTileCount = kTileColumns * kTileRows;

struct TilePiece {
  const char* picture;  // painted here (FindPaintedPiece), else under GFX/Level/Pictures/
  int x, y, w, h;       // the part of it taken
  int dy;               // where it goes in its cell
};

struct TilesetTheme {
  const char* name;  // as demo-tileset is told it
  // Cells in tile id order: ground top (two halves), the fill under it (two), a stone block,
  // three crystal glows, a ledge (two halves), spikes and a gate.
  TilePiece pieces[kTileCount];
};

const TilesetTheme* FindTilesetTheme(std::string_view name);
// The themes' names, for the usage line.
const char* TilesetThemeNames();

struct PaintedPiece {
  const char* name;
  int width, height;
  bool opaque;  // black in it is a colour, not the see-through background
  void (*paint)(Canvas&);
};

const PaintedPiece* FindPaintedPiece(std::string_view name);

}  // namespace hopwerk
