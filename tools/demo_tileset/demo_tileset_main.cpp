// demo-tileset DATA_DIR OUT_PNG [THEME]: lays out a tileset of the demo's Tiled levels
// (demo/Tiled) as a sheet of 32 x 32 cells, four a row, black (which the engine sees through)
// written as transparent. THEME (marsh when not given, cave or peak) picks the pictures: the
// marsh's are the level pictures demo-art paints into DATA_DIR, the others mix those with
// pieces painted here that the game itself never loads. Each sheet is committed beside its
// .tsx so that the maps open in Tiled; this is how they were made, and how to remake them when
// the art changes:
//   demo-tileset build/bin/Data demo/Tiled/MarshTiles.png
//   demo-tileset build/bin/Data demo/Tiled/CaveTiles.png cave
//   demo-tileset build/bin/Data demo/Tiled/PeakTiles.png peak
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "TilesetThemes.h"
#include "codec/PngWriter.h"
#include "render/Compositor.h"

namespace {

using hopwerk::PicturePtr;

// A piece painted in memory, in the form LoadPictureFile gives: opaque pixels, 0 where empty.
PicturePtr PaintPiece(const hopwerk::PaintedPiece& piece) {
  hopwerk::Canvas canvas(piece.width, piece.height);
  piece.paint(canvas);
  hopwerk::Layer layer = canvas.Grab();
  PicturePtr picture = hopwerk::CreateBlankPicture(piece.width, piece.height, 1);
  if (!picture) return nullptr;
  // Black in an opaque piece is lifted a step, as demo-art does when it saves one, so that it
  // is not taken for the see-through background.
  if (piece.opaque) {
    for (uint32_t& p : layer.pixels) {
      if (p == 0) p = 0xff010101u;
    }
  }
  picture->frames[0].pixels = std::move(layer.pixels);
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: demo-tileset DATA_DIR OUT_PNG [THEME: " << hopwerk::TilesetThemeNames()
              << "]\n";
    return 2;
  }
  const hopwerk::TilesetTheme* theme = hopwerk::FindTilesetTheme(argc == 4 ? argv[3] : "marsh");
  if (!theme) {
    std::cerr << "demo-tileset: no theme " << argv[3] << " (" << hopwerk::TilesetThemeNames()
              << ")\n";
    return 2;
  }
  const std::string pictures = std::string(argv[1]) + "/GFX/Level/Pictures/";
  const int width = hopwerk::kTileCell * hopwerk::kTileColumns;
  const int height = hopwerk::kTileCell * hopwerk::kTileRows;
  std::vector<uint32_t> sheet(static_cast<size_t>(width) * height, 0);
  for (int i = 0; i < hopwerk::kTileCount; ++i) {
    const hopwerk::TilePiece& p = theme->pieces[i];
    const hopwerk::PaintedPiece* painted = hopwerk::FindPaintedPiece(p.picture);
    const PicturePtr from =
        painted ? PaintPiece(*painted) : hopwerk::LoadPictureFile(pictures + p.picture);
    if (!from || from->width < p.x + p.w || from->height < p.y + p.h) {
      std::cerr << "demo-tileset: no " << p.w << "x" << p.h << " piece in "
                << (painted ? std::string("the painted ") : pictures) << p.picture << "\n";
      return 1;
    }
    const int cx = (i % hopwerk::kTileColumns) * hopwerk::kTileCell;
    const int cy = (i / hopwerk::kTileColumns) * hopwerk::kTileCell + p.dy;
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
