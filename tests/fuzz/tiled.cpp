// The Tiled importer of vxr tiled: the bytes are a map beside a small tileset picture, in JSON
// when they start with "{", else TMX; the map is read and mapped to a level, and whatever it
// holds ends in a ToolError at worst.
#include <filesystem>

#include "FuzzSupport.h"
#include "TiledImport.h"
#include "TiledMap.h"
#include "VxrTool.h"
#include "codec/PngWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  static test::TempDir folder;
  static const bool tileset = [] {
    std::vector<uint32_t> pixels(16 * 16, 0xFF336699u);
    return WritePngWithAlpha(folder.path() + "/tiles.png", pixels.data(), 16, 16);
  }();
  if (!tileset) return 0;
  const bool json = size > 0 && data[0] == '{';
  const std::string map = folder.path() + (json ? "/map.tmj" : "/map.tmx");
  fuzz::WriteBytes(map, data, size);
  try {
    const TiledMap read = ReadTiledMap(map);
    ImportTiledMap(read, "L");
  } catch (const ToolError&) {
  }
  return 0;
}
