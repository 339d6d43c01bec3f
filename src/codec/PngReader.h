// Reading PNG files into plain pixels, as the file stores them. What the engine makes of them
// (its masking rule, premultiplied pixels, pictures of frames) belongs to render/, so the tools
// that only read and write PNG files need neither the compositor nor pixman.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace hopwerk {

// Pictures are untrusted project data: no picture is larger than 16384 a side or
// kMaxPictureBytes decoded, so a small file cannot be a way to exhaust memory.
constexpr int64_t kMaxPictureBytes = (int64_t{1} << 26) * 4;

// Whether this many pixels of four bytes fit in maxBytes, never above kMaxPictureBytes.
bool PixelsFit(uint64_t pixels, int64_t maxBytes);

// A decoded PNG: straight (not premultiplied) a8r8g8b8, one native-endian 0xAARRGGBB word a
// pixel, row-major, width * height words, black kept black.
struct PngImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The pixels as the file stores them, for tools that write pictures again and for the
// engine's pictures, which are made from them. Nothing when the bytes are not a whole PNG or
// its pixels would take more than `maxBytes` (checked from the header, before decoding).
std::optional<PngImage> DecodePngAsStored(const uint8_t* data, size_t size,
                                          int64_t maxBytes = kMaxPictureBytes);

}  // namespace hopwerk
