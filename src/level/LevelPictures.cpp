#include "level/LevelPictures.h"

namespace hopwerk {

namespace {

template <typename Load>
PicturePtr Cached(Engine& engine, const std::string& key, Load&& load) {
  auto& cache = engine.level.PictureCache;
  if (const auto found = cache.find(key); found != cache.end()) return found->second;
  PicturePtr picture = load();
  cache.emplace(key, picture);
  return picture;
}

}  // namespace

PicturePtr LoadLevelPicture(Engine& engine, const std::string& path) {
  if (path.empty()) return nullptr;
  return Cached(engine, "1|" + path, [&] { return engine.platform.LoadPicture(path); });
}

PicturePtr LoadLevelPictureStrip(Engine& engine, const std::string& path, int32_t width,
                                 int32_t height, int32_t cells) {
  if (path.empty()) return nullptr;
  const std::string key = std::to_string(width) + "x" + std::to_string(height) + "x" +
                          std::to_string(cells) + "|" + path;
  return Cached(engine, key,
                [&] { return engine.platform.LoadPictureStrip(path, width, height, 0, cells); });
}

}  // namespace hopwerk
