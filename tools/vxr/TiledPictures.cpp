#include "TiledPictures.h"

#include <cmath>
#include <filesystem>
#include <numeric>

#include "VxrTool.h"
#include "codec/PngReader.h"
#include "codec/PngWriter.h"

namespace hopwerk {

namespace fs = std::filesystem;

struct TiledPictures::Source {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // straight
};

namespace {

// Images are read whole; none may hold more than this.
constexpr int64_t kMaxImageBytes = int64_t{64} << 20;
constexpr int kMaxSide = 16384;

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

// The engine drops pure black however opaque; the nearest colour it keeps stands in for it.
uint32_t KeepVisible(uint32_t pixel) {
  return (pixel >> 24) != 0 && (pixel & 0xFFFFFFu) == 0 ? pixel | kVisibleBlack : pixel;
}

uint32_t Fade(uint32_t pixel, int alpha) {
  if (alpha >= 255) return pixel;
  const uint32_t a = ((pixel >> 24) * static_cast<uint32_t>(alpha) + 127) / 255;
  return (a << 24) | (pixel & 0xFFFFFFu);
}

uint32_t Multiply(uint32_t pixel, uint32_t tint) {
  if (tint == 0xFFFFFFFFu) return pixel;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t c = (pixel >> shift) & 0xFF, t = (tint >> shift) & 0xFF;
    out |= ((c * t + 127) / 255) << shift;
  }
  return out;
}

// Source over destination, both straight, as one layer is laid over another.
uint32_t Over(uint32_t src, uint32_t dst) {
  const uint32_t sa = src >> 24;
  if (sa == 255) return src;
  if (sa == 0) return dst;
  const uint32_t da = dst >> 24;
  const uint32_t rest = (da * (255 - sa) + 127) / 255;
  const uint32_t a = sa + rest;
  uint32_t out = a << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= ((s * sa + d * rest + a / 2) / a) << shift;
  }
  return out;
}

std::string Number(double v) {
  std::string text = std::to_string(v);
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// A frame turned clockwise by degrees about (ox, oy), into the box that holds it. Quarter turns
// move pixels exactly; other angles take the nearest pixel.
struct Turned {
  int width = 0, height = 0;
  double handleX = 0, handleY = 0;  // the origin, in the turned picture
  double cosine = 1, sine = 0;
  double left = 0, top = 0;
};

Turned TurnGeometry(int w, int h, double degrees, double ox, double oy) {
  Turned t;
  double turns = std::fmod(degrees, 360.0);
  if (turns < 0) turns += 360.0;
  static const double kQuarter[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  if (std::fmod(turns, 90.0) == 0) {
    const int k = static_cast<int>(turns / 90.0);
    t.cosine = kQuarter[k][0];
    t.sine = kQuarter[k][1];
  } else {
    const double r = turns * M_PI / 180.0;
    t.cosine = std::cos(r);
    t.sine = std::sin(r);
  }
  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
  for (const auto& [cx, cy] :
       {std::pair{0.0, 0.0}, {double(w), 0.0}, {0.0, double(h)}, {double(w), double(h)}}) {
    const double x = cx - ox, y = cy - oy;
    const double tx = x * t.cosine - y * t.sine, ty = x * t.sine + y * t.cosine;
    minX = std::min(minX, tx);
    maxX = std::max(maxX, tx);
    minY = std::min(minY, ty);
    maxY = std::max(maxY, ty);
  }
  t.left = std::floor(minX + 1e-6);
  t.top = std::floor(minY + 1e-6);
  t.width = static_cast<int>(std::ceil(maxX - 1e-6) - t.left);
  t.height = static_cast<int>(std::ceil(maxY - 1e-6) - t.top);
  t.handleX = -t.left;
  t.handleY = -t.top;
  return t;
}

// Reads frame `frame` of an upright strip into the turned one.
void TurnFrame(const std::vector<uint32_t>& upright, int w, int h, int frames, int frame, double ox,
               double oy, const Turned& t, std::vector<uint32_t>& out) {
  const size_t inStride = static_cast<size_t>(w) * static_cast<size_t>(frames);
  const size_t outStride = static_cast<size_t>(t.width) * static_cast<size_t>(frames);
  for (int j = 0; j < t.height; ++j) {
    for (int i = 0; i < t.width; ++i) {
      const double qx = t.left + i + 0.5, qy = t.top + j + 0.5;
      const double px = qx * t.cosine + qy * t.sine + ox;
      const double py = -qx * t.sine + qy * t.cosine + oy;
      const double fx = std::floor(px + 1e-9), fy = std::floor(py + 1e-9);
      if (fx < 0 || fy < 0 || fx >= w || fy >= h) continue;
      out[static_cast<size_t>(j) * outStride + static_cast<size_t>(frame) * t.width +
          static_cast<size_t>(i)] =
          upright[static_cast<size_t>(fy) * inStride + static_cast<size_t>(frame) * w +
                  static_cast<size_t>(fx)];
    }
  }
}

}  // namespace

bool WriteCutPicture(const CutPicture& picture, const std::string& path) {
  return WritePngStraight(path, picture.pixels.data(), picture.frameWidth * picture.frames,
                          picture.frameHeight);
}

TiledPictures::TiledPictures(const TiledMap& map) : map_(map) {}
TiledPictures::~TiledPictures() = default;

void TiledPictures::Spend(int64_t bytes, const std::string& context) {
  spent_ += bytes;
  if (bytes > kMaxImageBytes * 2 || spent_ > kMaxTiledPictureBytes) {
    throw ToolError{context + ": the pictures would take more than " +
                    std::to_string(kMaxTiledPictureBytes >> 20) + " MiB"};
  }
}

const TiledPictures::Source& TiledPictures::Load(const std::string& path,
                                                 std::optional<uint32_t> trans,
                                                 const std::string& context) {
  const std::string key = path + "#" + (trans ? std::to_string(*trans) : "");
  if (auto it = images_.find(key); it != images_.end()) return *it->second;
  const std::vector<uint8_t>* embedded = nullptr;
  for (const auto& set : map_.tilesets) {
    if (const auto e = set.embedded.find(path); e != set.embedded.end()) embedded = &e->second;
  }
  std::vector<uint8_t> bytes;
  if (embedded) {
    bytes = *embedded;
  } else {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) throw ToolError{context + ": cannot read the image " + path + ": " + ec.message()};
    if (size > static_cast<uintmax_t>(kMaxImageBytes)) {
      throw ToolError{context + ": the image " + path + " is too large"};
    }
    bytes = ReadWholeFile(path);
  }
  std::optional<PngImage> decoded = DecodePngAsStored(
      bytes.data(), bytes.size(),
      std::max<int64_t>(0, std::min(kMaxImageBytes, kMaxTiledPictureBytes - spent_)));
  if (!decoded) {
    throw ToolError{context + ": the image " + path +
                    " is not a PNG picture the engine can load, or too large"};
  }
  Spend(int64_t{decoded->width} * decoded->height * 4, context);
  auto image = std::make_unique<Source>();
  image->width = decoded->width;
  image->height = decoded->height;
  image->pixels = std::move(decoded->pixels);
  for (uint32_t& p : image->pixels) {
    if (trans && (p & 0xFFFFFFu) == *trans) p = 0;
    p = KeepVisible(p);
  }
  return *images_.emplace(key, std::move(image)).first->second;
}

std::vector<std::string> TiledPictures::Images() const {
  std::vector<std::string> paths;
  for (const auto& [key, image] : images_) {
    std::string path = key.substr(0, key.rfind('#'));
    // A picture kept inside the map is the map's own.
    if (const size_t inside = path.find('#'); inside != std::string::npos) path.resize(inside);
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

CutPicture& TiledPictures::Keep(std::unique_ptr<CutPicture> picture, const std::string& key,
                                bool written) {
  for (uint32_t& p : picture->pixels) p = KeepVisible(p);
  CutPicture* kept = picture.get();
  if (!written) {
    scratch_.push_back(std::move(picture));
    byKey_[key] = kept;
    return *kept;
  }
  // Two ways of drawing that would share a name (a turn about another origin) get their own.
  std::string stem = picture->file;
  const int uses = ++fileNames_[picture->relative + stem];
  if (uses > 1) stem += "_" + std::to_string(uses);
  picture->file = stem + ".png";
  picture->relative += picture->file;
  cut_.push_back(std::move(picture));
  byKey_[key] = kept;
  return *kept;
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
  const Source& image = Load(tile.imagePath, tile.trans, context);
  width = width > 0 ? width : image.width - tile.imageX;
  height = height > 0 ? height : image.height - tile.imageY;
}

const CutPicture& TiledPictures::Cut(const TileLook& look, const std::string& folder,
                                     const std::string& context, bool written) {
  const TiledTileset& set = *look.set;
  const bool turned = look.rotation != 0;
  const std::string key =
      std::string(written ? "" : "scratch/") + std::to_string(reinterpret_cast<uintptr_t>(&set)) +
      "/" + std::to_string(look.tileId) + "/" + std::to_string(look.flipH) +
      std::to_string(look.flipV) + std::to_string(look.diagonal) + "/" +
      std::to_string(look.width) + "x" + std::to_string(look.height) + "/" +
      std::to_string(look.alpha) + "/" + folder +
      (turned
           ? "/" + Number(look.rotation) + "@" + Number(look.originX) + "," + Number(look.originY)
           : "");
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
      if (FindTiledTileset(map_, set.firstGid + static_cast<uint32_t>(f.tileId), ignored) != &set) {
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
  // The size before x and y are swapped, then after.
  const int pw = look.width > 0 ? look.width : sw;
  const int ph = look.height > 0 ? look.height : sh;
  const int w = look.diagonal ? ph : pw;
  const int h = look.diagonal ? pw : ph;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) {
    throw ToolError{where + ": a picture of " + std::to_string(w) + " x " + std::to_string(h) +
                    " pixels cannot be made"};
  }
  const int frames = static_cast<int>(ids.size());
  Spend(int64_t{w} * h * frames * 4, where);

  auto picture = std::make_unique<CutPicture>();
  picture->frameWidth = w;
  picture->frameHeight = h;
  picture->frames = frames;
  picture->animSlow = animSlow;
  picture->handleX = look.originX;
  picture->handleY = look.originY;
  const size_t stride = static_cast<size_t>(w) * ids.size();
  picture->pixels.assign(stride * static_cast<size_t>(h), 0);
  for (size_t f = 0; f < ids.size(); ++f) {
    const int id = ids[f];
    const Source* image = nullptr;
    int x0 = 0, y0 = 0, fw = 0, fh = 0;
    TileSize(set, id, fw, fh, where);
    if (fw != sw || fh != sh) throw ToolError{where + ": its animation frames differ in size"};
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
    // The flips undone first, then the swap of x and y, then the scaling to the source.
    for (int oy = 0; oy < h; ++oy) {
      for (int ox = 0; ox < w; ++ox) {
        const int a = look.flipH ? w - 1 - ox : ox;
        const int b = look.flipV ? h - 1 - oy : oy;
        const int px = look.diagonal ? b : a, py = look.diagonal ? a : b;
        const int sx = x0 + static_cast<int>(int64_t{px} * sw / pw);
        const int sy = y0 + static_cast<int>(int64_t{py} * sh / ph);
        picture->pixels[static_cast<size_t>(oy) * stride + f * static_cast<size_t>(w) +
                        static_cast<size_t>(ox)] =
            Fade(image->pixels[static_cast<size_t>(sy) * static_cast<size_t>(image->width) +
                               static_cast<size_t>(sx)],
                 look.alpha);
      }
    }
  }
  if (turned) {
    const Turned t = TurnGeometry(w, h, look.rotation, look.originX, look.originY);
    if (t.width <= 0 || t.height <= 0 || t.width > kMaxSide || t.height > kMaxSide) {
      throw ToolError{where + ": turned, it would not fit a picture"};
    }
    Spend(int64_t{t.width} * t.height * frames * 4, where);
    std::vector<uint32_t> out(static_cast<size_t>(t.width) * t.height * ids.size(), 0);
    for (int f = 0; f < frames; ++f) {
      TurnFrame(picture->pixels, w, h, frames, f, look.originX, look.originY, t, out);
    }
    picture->pixels = std::move(out);
    picture->frameWidth = t.width;
    picture->frameHeight = t.height;
    picture->handleX = t.handleX;
    picture->handleY = t.handleY;
  }

  std::string name = SetName(set) + "_" + std::to_string(look.tileId);
  if (look.flipH || look.flipV || look.diagonal) {
    name += std::string("_") + (look.diagonal ? "d" : "") + (look.flipH ? "h" : "") +
            (look.flipV ? "v" : "");
  }
  if (pw != sw || ph != sh) name += "_" + std::to_string(pw) + "x" + std::to_string(ph);
  if (look.alpha < 255) name += "_a" + std::to_string(look.alpha);
  if (turned) name += "_r" + FileSafe(Number(look.rotation));
  picture->file = name;
  picture->relative = "GFX/Level/" + folder + "/";
  return Keep(std::move(picture), key, written);
}

std::unique_ptr<CutPicture> TiledPictures::Transparent(int width, int height,
                                                       const std::string& what,
                                                       const std::string& context) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    throw ToolError{context + ": " + what + " of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels cannot be made"};
  }
  Spend(int64_t{width} * height * 4, context);
  auto picture = std::make_unique<CutPicture>();
  picture->frameWidth = width;
  picture->frameHeight = height;
  picture->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  return picture;
}

const CutPicture& TiledPictures::Blank(int width, int height, const std::string& context) {
  const std::string key = "blank/" + std::to_string(width) + "x" + std::to_string(height);
  if (auto it = byKey_.find(key); it != byKey_.end()) return *it->second;
  auto picture = Transparent(width, height, "a wall", context);
  picture->file = "Wall_" + std::to_string(width) + "x" + std::to_string(height);
  picture->relative = "GFX/Level/Pictures/";
  return Keep(std::move(picture), key);
}

const CutPicture& TiledPictures::Image(const std::string& path, std::optional<uint32_t> trans,
                                       int alpha, uint32_t tint, int rollX, int rollY,
                                       const std::string& folder, const std::string& context) {
  const std::string key = "image/" + path + "/" + (trans ? std::to_string(*trans) : "") + "/" +
                          std::to_string(alpha) + "/" + std::to_string(tint) + "/" +
                          std::to_string(rollX) + "," + std::to_string(rollY) + "/" + folder;
  if (auto it = byKey_.find(key); it != byKey_.end()) return *it->second;
  const Source& image = Load(path, trans, context);
  Spend(int64_t{image.width} * image.height * 4, context);
  auto picture = std::make_unique<CutPicture>();
  const int w = image.width, h = image.height;
  picture->frameWidth = w;
  picture->frameHeight = h;
  picture->pixels.resize(image.pixels.size());
  // Rolled so that the picture, repeated from the origin, shows the image where it starts.
  const int dx = ((rollX % w) + w) % w, dy = ((rollY % h) + h) % h;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = image.pixels[static_cast<size_t>(y) * w + static_cast<size_t>(x)];
      picture->pixels[static_cast<size_t>((y + dy) % h) * w + static_cast<size_t>((x + dx) % w)] =
          Fade(Multiply(p, tint | 0xFF000000u), alpha);
    }
  }
  std::string name = FileSafe(fs::path(path).stem().string());
  if (name.empty()) name = "Background";
  if (alpha < 255) name += "_a" + std::to_string(alpha);
  if ((tint & 0xFFFFFFu) != 0xFFFFFFu) name += "_t" + std::to_string(tint & 0xFFFFFFu);
  if (dx || dy) name += "_at" + std::to_string(dx) + "_" + std::to_string(dy);
  picture->file = name;
  picture->relative = "GFX/Level/" + folder + "/";
  return Keep(std::move(picture), key);
}

CutPicture& TiledPictures::Canvas(const std::string& name, int width, int height,
                                  const std::string& context) {
  auto picture = Transparent(width, height, "a background", context);
  picture->file = FileSafe(name);
  picture->relative = "GFX/Level/Tiles/";
  return Keep(std::move(picture), "canvas/" + std::to_string(cut_.size()));
}

void TiledPictures::DrawImageOnto(CutPicture& canvas, const std::string& path,
                                  std::optional<uint32_t> trans, int x, int y, bool repeatX,
                                  bool repeatY, int alpha, uint32_t tint,
                                  const std::string& context) {
  const Source& image = Load(path, trans, context);
  CutPicture whole;
  whole.frameWidth = image.width;
  whole.frameHeight = image.height;
  whole.pixels = image.pixels;
  // Repeated: the copies at x + k w that reach the canvas, from the first at or left of its edge.
  const int w = image.width, h = image.height;
  const int startX = repeatX ? ((x % w) + w) % w - (((x % w) + w) % w > 0 ? w : 0) : x;
  const int startY = repeatY ? ((y % h) + h) % h - (((y % h) + h) % h > 0 ? h : 0) : y;
  for (int cy = startY; cy < canvas.frameHeight; cy += h) {
    for (int cx = startX; cx < canvas.frameWidth; cx += w) {
      DrawOnto(canvas, whole, cx, cy, alpha, tint);
      if (!repeatX) break;
    }
    if (!repeatY) break;
  }
}

void TiledPictures::DrawOnto(CutPicture& canvas, const CutPicture& picture, int x, int y, int alpha,
                             uint32_t tint) {
  const int stride = picture.frameWidth * picture.frames;
  for (int j = std::max(0, -y); j < picture.frameHeight && y + j < canvas.frameHeight; ++j) {
    for (int i = std::max(0, -x); i < picture.frameWidth && x + i < canvas.frameWidth; ++i) {
      const uint32_t p = Fade(
          Multiply(picture.pixels[static_cast<size_t>(j) * stride + static_cast<size_t>(i)], tint),
          alpha);
      uint32_t& d =
          canvas
              .pixels[static_cast<size_t>(y + j) * canvas.frameWidth + static_cast<size_t>(x + i)];
      d = KeepVisible(Over(p, d));
    }
  }
}

}  // namespace hopwerk
