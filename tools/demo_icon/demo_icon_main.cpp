// demo-icon STRIP CELL OUT_PNG: cuts the first CELL x CELL frame out of a picture strip of the
// demo game and writes it as an RGBA PNG for the desktop: the engine reads black as see-through,
// so black becomes transparent here too.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "render/Compositor.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: demo-icon STRIP CELL OUT_PNG\n";
    return 2;
  }
  const int cell = std::atoi(argv[2]);
  if (cell <= 0 || cell > 1024) {
    std::cerr << "demo-icon: bad cell size " << argv[2] << "\n";
    return 2;
  }
  const hopwerk::PicturePtr strip = hopwerk::LoadPictureStripFile(argv[1], cell, cell, 0, 1);
  if (!strip || strip->frames.empty() || strip->width != cell || strip->height != cell) {
    std::cerr << "demo-icon: no " << cell << "x" << cell << " frame in " << argv[1] << "\n";
    return 1;
  }
  // Premultiplied a8r8g8b8 words to straight RGBA bytes.
  std::vector<uint8_t> rgba;
  rgba.reserve(static_cast<size_t>(cell) * cell * 4);
  bool anyVisible = false;
  for (const uint32_t p : strip->frames[0].pixels) {
    const uint32_t a = p >> 24;
    auto straight = [a](uint32_t c) -> uint8_t {
      return a == 0 ? 0 : static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a));
    };
    rgba.insert(rgba.end(), {straight((p >> 16) & 0xFF), straight((p >> 8) & 0xFF),
                             straight(p & 0xFF), static_cast<uint8_t>(a)});
    anyVisible = anyVisible || a != 0;
  }
  if (!anyVisible) {
    std::cerr << "demo-icon: the first frame of " << argv[1] << " is empty\n";
    return 1;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(cell);
  image.height = static_cast<png_uint_32>(cell);
  image.format = PNG_FORMAT_RGBA;
  if (png_image_write_to_file(&image, argv[3], 0, rgba.data(), 0, nullptr) == 0) {
    std::cerr << "demo-icon: cannot write " << argv[3] << ": " << image.message << "\n";
    return 1;
  }
  return 0;
}
