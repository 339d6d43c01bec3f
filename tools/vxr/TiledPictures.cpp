#include "TiledPictures.h"

#include <filesystem>
#include <numeric>

#include "VxrTool.h"
#include "platform/Compositor.h"

namespace hopwerk {

namespace fs = std::filesystem;

struct TiledPictures::Image {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

namespace {

// Images are read whole; none may hold more than this.
constexpr int64_t kMaxImageBytes = int64_t{64} << 20;

std::string FileSafe(const std::string& name) {
  std::string out;
  for (const char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    out += plain ? c : '_';
    if (out.size() >= 100) break;
  }
  return out;
}

uint32_t Fade(uint32_t pixel, int alpha) {
  if (alpha >= 255) return pixel;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t c = (pixel >> shift) & 0xFF;
    out |= ((c * static_cast<uint32_t>(alpha) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

TiledPictures::TiledPictures(const TiledMap& map) : map_(map) {}
TiledPictures::~TiledPictures() = default;

void TiledPictures::Spend(int64_t bytes, const std::string& context) {
  spent_ += bytes;
  if (bytes > kMaxImageBytes || spent_ > kMaxTiledPictureBytes) {
    throw ToolError{context + ": the pictures would take more than " +
                    std::to_string(kMaxTiledPictureBytes >> 20) + " MiB"};
  }
}

const TiledPictures::Image& TiledPictures::Load(const std::string& path,
                                                std::optional<uint32_t> trans,
                                                const std::string& context) {
  const std::string key = path + "#" + (trans ? std::to_string(*trans) : "");
  if (auto it = images_.find(key); it != images_.end()) return *it->second;
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) throw ToolError{context + ": cannot read the image " + path + ": " + ec.message()};
  if (size > static_cast<uintmax_t>(kMaxImageBytes)) {
    throw ToolError{context + ": the image " + path + " is too large"};
  }
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  const PicturePtr picture = DecodePng(bytes.data(), bytes.size(),
                                       std::min(kMaxImageBytes, kMaxTiledPictureBytes - spent_));
  if (!picture || picture->frames.empty()) {
    throw ToolError{context + ": the image " + path +
                    " is not a PNG picture the engine can load, or too large"};
  }
  Spend(int64_t{picture->width} * picture->height * 4, context);
  auto image = std::make_unique<Image>();
  image->width = picture->width;
  image->height = picture->height;
  image->pixels = std::move(picture->frames[0].pixels);
  if (trans) {
    for (uint32_t& p : image->pixels) {
      const uint32_t a = p >> 24;
      if (a == 0) continue;
      const uint32_t r = ((p >> 16) & 0xFF) * 255 / a, g = ((p >> 8) & 0xFF) * 255 / a,
                     b = (p & 0xFF) * 255 / a;
      if (((r << 16) | (g << 8) | b) == *trans) p = 0;
    }
  }
  return *images_.emplace(key, std::move(image)).first->second;
}

std::vector<std::string> TiledPictures::Images() const {
  std::vector<std::string> paths;
  for (const auto& [key, image] : images_) {
    const std::string path = key.substr(0, key.rfind('#'));
    if (paths.empty() || paths.back() != path) paths.push_back(path);
  }
  return paths;
}

std::string TiledPictures::SetName(const TiledTileset& set) {
  std::string name = FileSafe(set.name.empty() ? fs::path(set.file).stem().string() : set.name);
  if (name.empty()) name = "Tileset";
  auto [it, added] = setNames_.emplace(name, &set);
  if (!added && it->second != &set) name += "_" + std::to_string(set.firstGid);
  return name;
}

void TiledPictures::TileSize(const TiledTileset& set, int tileId, int& width, int& height,
                             const std::string& context) {
  if (!set.collection) {
    width = set.tileWidth;
    height = set.tileHeight;
    return;
  }
  const TiledTile& tile = set.tiles.at(tileId);
  width = tile.width;
  height = tile.height;
  if (width > 0 && height > 0) return;
  const Image& image = Load(tile.imagePath, tile.trans, context);
  width = width > 0 ? width : image.width - tile.imageX;
  height = height > 0 ? height : image.height - tile.imageY;
}

const CutPicture& TiledPictures::Cut(const TileLook& look, const std::string& folder,
                                     const std::string& context) {
  const TiledTileset& set = *look.set;
  const std::string key =
      std::to_string(reinterpret_cast<uintptr_t>(&set)) + "/" + std::to_string(look.tileId) + "/" +
      std::to_string(look.flipH) + std::to_string(look.flipV) + "/" + std::to_string(look.width) +
      "x" + std::to_string(look.height) + "/" + std::to_string(look.alpha) + "/" + folder;
  if (auto it = byKey_.find(key); it != byKey_.end()) return *it->second;
  const std::string where =
      context + ": tile " + std::to_string(look.tileId) + " of tileset \"" + set.name + "\"";

  // The frames: the tile itself, or its animation with every frame shown for a whole number of
  // the shortest common step, since the engine holds all frames for the same time.
  std::vector<int> ids = {look.tileId};
  int animSlow = 0;
  const auto tile = set.tiles.find(look.tileId);
  if (tile != set.tiles.end() && !tile->second.animation.empty()) {
    const auto& animation = tile->second.animation;
    int step = 0;
    for (const auto& f : animation) {
      if (f.durationMs <= 0) throw ToolError{where + ": an animation frame lasts 0 ms"};
      step = std::gcd(step, f.durationMs);
    }
    ids.clear();
    for (const auto& f : animation) {
      int ignored = 0;
      if (!FindTiledTileset(map_, set.firstGid + static_cast<uint32_t>(f.tileId), ignored) ||
          FindTiledTileset(map_, set.firstGid + static_cast<uint32_t>(f.tileId), ignored) != &set) {
        throw ToolError{where + ": animation frame tile " + std::to_string(f.tileId) +
                        " is not in the tileset"};
      }
      for (int i = 0; i < f.durationMs / step; ++i) {
        if (static_cast<int>(ids.size()) >= kMaxTiledAnimationFrames) {
          throw ToolError{
              where + ": the animation needs more than " +
              std::to_string(kMaxTiledAnimationFrames) +
              " frames of equal length; make its frame times multiples of a longer time"};
        }
        ids.push_back(f.tileId);
      }
    }
    animSlow = std::max(1, (step + 2) / 5);
  }

  int sw = 0, sh = 0;
  TileSize(set, ids[0], sw, sh, where);
  const int w = look.width > 0 ? look.width : sw;
  const int h = look.height > 0 ? look.height : sh;
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) {
    throw ToolError{where + ": a picture of " + std::to_string(w) + " x " + std::to_string(h) +
                    " pixels cannot be made"};
  }
  const int64_t bytes = int64_t{w} * h * static_cast<int64_t>(ids.size()) * 4;
  Spend(bytes, where);

  auto picture = std::make_unique<CutPicture>();
  picture->frameWidth = w;
  picture->frameHeight = h;
  picture->frames = static_cast<int>(ids.size());
  picture->animSlow = animSlow;
  const size_t stride = static_cast<size_t>(w) * ids.size();
  picture->pixels.assign(stride * static_cast<size_t>(h), 0);
  for (size_t f = 0; f < ids.size(); ++f) {
    const int id = ids[f];
    const Image* image = nullptr;
    int x0 = 0, y0 = 0, fw = 0, fh = 0;
    TileSize(set, id, fw, fh, where);
    if (fw != sw || fh != sh) {
      throw ToolError{where + ": its animation frames differ in size"};
    }
    if (set.collection) {
      const TiledTile& t = set.tiles.at(id);
      image = &Load(t.imagePath, t.trans, where);
      x0 = t.imageX;
      y0 = t.imageY;
    } else {
      image = &Load(set.imagePath, set.trans, where);
      x0 = set.margin + (id % set.columns) * (set.tileWidth + set.spacing);
      y0 = set.margin + (id / set.columns) * (set.tileHeight + set.spacing);
    }
    if (int64_t{x0} + sw > image->width || int64_t{y0} + sh > image->height) {
      throw ToolError{where + ": tile " + std::to_string(id) + " lies outside its image"};
    }
    for (int oy = 0; oy < h; ++oy) {
      const int sy = y0 + static_cast<int>(int64_t{look.flipV ? h - 1 - oy : oy} * sh / h);
      for (int ox = 0; ox < w; ++ox) {
        const int sx = x0 + static_cast<int>(int64_t{look.flipH ? w - 1 - ox : ox} * sw / w);
        picture->pixels[static_cast<size_t>(oy) * stride + f * static_cast<size_t>(w) +
                        static_cast<size_t>(ox)] =
            Fade(image->pixels[static_cast<size_t>(sy) * static_cast<size_t>(image->width) +
                               static_cast<size_t>(sx)],
                 look.alpha);
      }
    }
  }

  std::string name = SetName(set) + "_" + std::to_string(look.tileId);
  if (look.flipH || look.flipV)
    name += std::string("_") + (look.flipH ? "h" : "") + (look.flipV ? "v" : "");
  if (w != sw || h != sh) name += "_" + std::to_string(w) + "x" + std::to_string(h);
  if (look.alpha < 255) name += "_a" + std::to_string(look.alpha);
  picture->file = name + ".png";
  picture->relative = "GFX/Level/" + folder + "/" + picture->file;
  CutPicture* kept = picture.get();
  cut_.push_back(std::move(picture));
  byKey_[key] = kept;
  return *kept;
}

const CutPicture& TiledPictures::Background(const std::string& path, std::optional<uint32_t> trans,
                                            int alpha, const std::string& context) {
  const std::string key = "background/" + path + "/" + std::to_string(alpha);
  if (auto it = byKey_.find(key); it != byKey_.end()) return *it->second;
  const Image& image = Load(path, trans, context);
  Spend(int64_t{image.width} * image.height * 4, context);
  auto picture = std::make_unique<CutPicture>();
  picture->frameWidth = image.width;
  picture->frameHeight = image.height;
  picture->pixels.reserve(image.pixels.size());
  for (const uint32_t p : image.pixels) picture->pixels.push_back(Fade(p, alpha));
  std::string name = FileSafe(fs::path(path).stem().string());
  if (name.empty()) name = "Background";
  if (alpha < 255) name += "_a" + std::to_string(alpha);
  picture->file = name + ".png";
  picture->relative = "GFX/Level/Tiles/" + picture->file;
  CutPicture* kept = picture.get();
  cut_.push_back(std::move(picture));
  byKey_[key] = kept;
  return *kept;
}

}  // namespace hopwerk
