// The pictures a Tiled map needs, cut out of its tileset images: one file per way a tile is
// drawn (flipped, turned, scaled, faded), however often it is placed, animated tiles as strips
// of their frames side by side, and backgrounds.
//
// Pixels are held straight (not premultiplied) as the files store them, so a faint pixel keeps
// its colour, and every visible pure-black pixel is made the nearest colour the engine does not
// treat as transparent.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TiledMap.h"

namespace hopwerk {

// Bytes of pixels the tool holds at most, decoded images and cut pictures together.
inline constexpr int64_t kMaxTiledPictureBytes = int64_t{256} << 20;
inline constexpr int kMaxTiledAnimationFrames = 256;
// What the engine draws in place of visible pure black, which it treats as transparent.
inline constexpr uint32_t kVisibleBlack = 0x000001u;

// How a tile is drawn.
struct TileLook {
  const TiledTileset* set = nullptr;
  int tileId = 0;
  bool flipH = false, flipV = false;
  bool diagonal = false;            // x and y swapped before the flips, as Tiled turns tiles
  int width = 0, height = 0;        // 0: the tile's own size (before the swap)
  int alpha = 255;                  // the layer's opacity, 0 to 255
  double rotation = 0;              // degrees clockwise, about the origin
  double originX = 0, originY = 0;  // in the unturned picture
};

struct CutPicture {
  std::string file;      // file name, in its folder under GFX/Level/
  std::string relative;  // under the project's Data/
  int frameWidth = 0, frameHeight = 0;
  int frames = 1;                // more than 1: an animation strip
  int animSlow = 0;              // the engine's wait between frames (5 ms units)
  std::vector<uint32_t> pixels;  // straight a8r8g8b8, frames side by side
  // Where the look's origin lies in the picture: its top-left corner is the origin minus this.
  double handleX = 0, handleY = 0;
};

// Writes a picture as the PNG file the engine loads; false when it cannot be written.
bool WriteCutPicture(const CutPicture& picture, const std::string& path);

class TiledPictures {
 public:
  explicit TiledPictures(const TiledMap& map);
  ~TiledPictures();
  // The size of a tile's picture (its first frame). context names the place for messages.
  void TileSize(const TiledTileset& set, int tileId, int& width, int& height,
                const std::string& context);
  // The picture of a tile drawn that way, in the folder under GFX/Level/ ("Pictures", "Switch");
  // not written: only to be drawn into another picture.
  const CutPicture& Cut(const TileLook& look, const std::string& folder, const std::string& context,
                        bool written = true);
  // Reads an image, so that one the tool cannot read is found before it is needed.
  void Probe(const std::string& path, std::optional<uint32_t> trans, const std::string& context) {
    Load(path, trans, context);
  }
  // A fully transparent picture: a wall smaller than its tile.
  const CutPicture& Blank(int width, int height, const std::string& context);
  // A whole image, faded by alpha, tinted, turned round so that it starts at (rollX, rollY),
  // as a background picture under GFX/Level/Tiles/ (or as a picture in folder).
  const CutPicture& Image(const std::string& path, std::optional<uint32_t> trans, int alpha,
                          uint32_t tint, int rollX, int rollY, const std::string& folder,
                          const std::string& context);
  // A new empty picture of that size under GFX/Level/Tiles/, to draw a background into.
  CutPicture& Canvas(const std::string& name, int width, int height, const std::string& context);
  // Draws frame 0 of a picture over the canvas with its top-left at x, y, faded by alpha and
  // multiplied by tint (0xAARRGGBB), as Tiled lays layers over one another.
  static void DrawOnto(CutPicture& canvas, const CutPicture& picture, int x, int y, int alpha,
                       uint32_t tint);
  // Draws an image over the canvas at x, y, repeated across and down as asked.
  void DrawImageOnto(CutPicture& canvas, const std::string& path, std::optional<uint32_t> trans,
                     int x, int y, bool repeatX, bool repeatY, int alpha, uint32_t tint,
                     const std::string& context);
  // Every picture cut, in the order first asked for.
  const std::vector<std::unique_ptr<CutPicture>>& All() const { return cut_; }
  // The image files read, each once.
  std::vector<std::string> Images() const;

 private:
  struct Source;
  const Source& Load(const std::string& path, std::optional<uint32_t> trans,
                     const std::string& context);
  void Spend(int64_t bytes, const std::string& context);
  std::unique_ptr<CutPicture> Transparent(int width, int height, const std::string& what,
                                          const std::string& context);
  std::string SetName(const TiledTileset& set);
  CutPicture& Keep(std::unique_ptr<CutPicture> picture, const std::string& key,
                   bool written = true);

  const TiledMap& map_;
  std::map<std::string, std::unique_ptr<Source>> images_;
  std::map<std::string, CutPicture*> byKey_;
  std::map<std::string, const TiledTileset*> setNames_;
  std::map<std::string, int> fileNames_;
  std::vector<std::unique_ptr<CutPicture>> cut_;
  std::vector<std::unique_ptr<CutPicture>> scratch_;  // cut only to be drawn into others
  int64_t spent_ = 0;
};

}  // namespace hopwerk
