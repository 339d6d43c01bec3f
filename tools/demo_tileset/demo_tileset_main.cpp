// demo-tileset DATA_DIR OUT_PNG: lays out the tileset of the demo's Tiled level (demo/Tiled)
// from the level pictures demo-art paints: a sheet of 32 x 32 cells, four a row, black
// (which the engine sees through) written as transparent. The sheet is committed beside the
// map so that the map opens in Tiled; this is how it was made, and how to remake it when the
// art changes.
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "codec/PngWriter.h"
#include "render/Compositor.h"

namespace {

constexpr int kCell = 32;
constexpr int kColumns = 4;
constexpr int kRows = 3;

struct Piece {
  const char* picture;  // under GFX/Level/Pictures/
  int x, y, w, h;       // the part of it taken
  int dy;               // where it goes in its cell
};

// Cells in tile id order: grass top (two halves), soil (two), stone, three crystal glows, a
// ledge (two halves), spikes and a gate.
const Piece kPieces[kColumns * kRows] = {
    {"Ground.png", 0, 0, 32, 32, 0},    {"Ground.png", 32, 0, 32, 32, 0},
    {"Soil.png", 0, 0, 32, 32, 0},      {"Soil.png", 32, 32, 32, 32, 0},
    {"Stone.png", 0, 0, 32, 32, 0},     {"Crystal.png", 0, 16, 32, 32, 0},
    {"Crystal.png", 32, 16, 32, 32, 0}, {"Crystal.png", 64, 16, 32, 32, 0},
    {"Ledge.png", 0, 0, 32, 16, 0},     {"Ledge.png", 32, 0, 32, 16, 0},
    {"Spikes.png", 0, 0, 32, 16, 16},   {"Gate.png", 0, 0, 32, 32, 0},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: demo-tileset DATA_DIR OUT_PNG\n";
    return 2;
  }
  const std::string pictures = std::string(argv[1]) + "/GFX/Level/Pictures/";
  const int width = kCell * kColumns, height = kCell * kRows;
  std::vector<uint32_t> sheet(static_cast<size_t>(width) * height, 0);
  for (int i = 0; i < kColumns * kRows; ++i) {
    const Piece& p = kPieces[i];
    const hopwerk::PicturePtr from = hopwerk::LoadPictureFile(pictures + p.picture);
    if (!from || from->width < p.x + p.w || from->height < p.y + p.h) {
      std::cerr << "demo-tileset: no " << p.w << "x" << p.h << " piece in " << pictures << p.picture
                << "\n";
      return 1;
    }
    const int cx = (i % kColumns) * kCell, cy = (i / kColumns) * kCell + p.dy;
    for (int y = 0; y < p.h; ++y) {
      for (int x = 0; x < p.w; ++x) {
        sheet[static_cast<size_t>(cy + y) * width + static_cast<size_t>(cx + x)] =
            from->frames[0]
                .pixels[static_cast<size_t>(p.y + y) * from->width + static_cast<size_t>(p.x + x)];
      }
    }
  }
  if (!hopwerk::WritePngWithAlpha(argv[2], sheet.data(), width, height)) {
    std::cerr << "demo-tileset: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
