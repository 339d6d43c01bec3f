// Writing pictures that keep their transparency (the Tiled importer's cut tiles); screenshots,
// which have none, use WritePng of Compositor.h.
#pragma once

#include <cstdint>
#include <string>

namespace hopwerk {

// Writes premultiplied a8r8g8b8 pixels as an RGBA PNG, safely (whole or not at all).
bool WritePngWithAlpha(const std::string& path, const uint32_t* pixels, int width, int height);
// The same from straight (not premultiplied) a8r8g8b8 pixels, which keep their colour however
// faint their alpha.
bool WritePngStraight(const std::string& path, const uint32_t* pixels, int width, int height);

}  // namespace hopwerk
