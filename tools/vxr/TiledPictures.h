// The pictures a Tiled map needs, cut out of its tileset images: one file per way a tile is
// drawn (flipped, scaled, faded), however often it is placed, and animated tiles as strips of
// their frames side by side.
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

// How a tile is drawn.
struct TileLook {
  const TiledTileset* set = nullptr;
  int tileId = 0;
  bool flipH = false, flipV = false;
  int width = 0, height = 0;  // 0: the tile's own size
  int alpha = 255;            // the layer's opacity, 0 to 255
};

struct CutPicture {
  std::string file;      // file name, in its folder under GFX/Level/
  std::string relative;  // under the project's Data/
  int frameWidth = 0, frameHeight = 0;
  int frames = 1;                // more than 1: an animation strip
  int animSlow = 0;              // the engine's wait between frames (5 ms units)
  std::vector<uint32_t> pixels;  // premultiplied a8r8g8b8, frames side by side
};

class TiledPictures {
 public:
  explicit TiledPictures(const TiledMap& map);
  ~TiledPictures();
  // The size of a tile's picture (its first frame). context names the place for messages.
  void TileSize(const TiledTileset& set, int tileId, int& width, int& height,
                const std::string& context);
  // The picture of a tile drawn that way, in the folder under GFX/Level/ ("Pictures", "Switch").
  const CutPicture& Cut(const TileLook& look, const std::string& folder,
                        const std::string& context);
  // A whole image, faded by alpha, as a background picture under GFX/Level/Tiles/.
  const CutPicture& Background(const std::string& path, std::optional<uint32_t> trans, int alpha,
                               const std::string& context);
  // Every picture cut, in the order first asked for.
  const std::vector<std::unique_ptr<CutPicture>>& All() const { return cut_; }
  // The image files read, each once.
  std::vector<std::string> Images() const;

 private:
  struct Image;
  const Image& Load(const std::string& path, std::optional<uint32_t> trans,
                    const std::string& context);
  void Spend(int64_t bytes, const std::string& context);
  std::string SetName(const TiledTileset& set);

  const TiledMap& map_;
  std::map<std::string, std::unique_ptr<Image>> images_;
  std::map<std::string, CutPicture*> byKey_;
  std::map<std::string, const TiledTileset*> setNames_;
  std::vector<std::unique_ptr<CutPicture>> cut_;
  int64_t spent_ = 0;
};

}  // namespace hopwerk
