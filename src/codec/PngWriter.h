// Writing PNG files, safely (whole or not at all): screenshots, which have no transparency, and
// pictures that keep theirs (the Tiled importer's cut tiles).
#pragma once

#include <cstdint>
#include <string>

namespace hopwerk {

// Writes x8r8g8b8 pixels as an RGB PNG (screenshots). Returns success.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);
// Writes premultiplied a8r8g8b8 pixels as an RGBA PNG.
bool WritePngWithAlpha(const std::string& path, const uint32_t* pixels, int width, int height);
// The same from straight (not premultiplied) a8r8g8b8 pixels, which keep their colour however
// faint their alpha.
bool WritePngStraight(const std::string& path, const uint32_t* pixels, int width, int height);

}  // namespace hopwerk
