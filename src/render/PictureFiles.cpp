// Picture files: PNG pictures made into the compositor's premultiplied pixels, the pictures
// compiled into the program, strips cut from a sheet, and blank pictures.
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "codec/PngReader.h"
#include "files/ByteStream.h"
#include "render/BuiltinPictures.h"
#include "render/Compositor.h"

namespace hopwerk {

namespace {

constexpr int64_t kBytesPerPixel = 4;

// Whether `frames` frames of width x height fit in maxBytes, never above kMaxPictureBytes, each
// frame counted as at least kMinFrameBytes.
bool FramesFit(uint64_t frames, int width, int height, int64_t maxBytes) {
  const uint64_t frameBytes = std::max<uint64_t>(
      uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height) * kBytesPerPixel,
      kMinFrameBytes);
  const uint64_t limit = static_cast<uint64_t>(std::clamp<int64_t>(maxBytes, 0, kMaxPictureBytes));
  return frames <= limit / frameBytes;
}

constexpr const char* kBuiltinPrefix = "incbin::";

// The engine's masking rule and the compositor's pixel format in one pass: pure black becomes
// fully transparent, everything else is premultiplied by its own alpha.
uint32_t MaskAndPremultiply(uint32_t p) {
  if ((p & 0x00FFFFFFu) == 0) return 0;
  const uint32_t a = p >> 24;
  if (a == 255) return p;
  auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (mul((p >> 16) & 255) << 16) | (mul((p >> 8) & 255) << 8) | mul(p & 255);
}

// Through the engine's stream, so only a regular file of a sane size is read.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  auto in = ByteStream::Open(path, ByteStream::Mode::Read);
  if (!in) return false;
  const int64_t size = in->Size();
  bytes = in->ReadString(static_cast<int>(size));
  return static_cast<int64_t>(bytes.size()) == size;
}

// A loaded picture (file or built-in) as one frame.
PicturePtr LoadSource(const std::string& path, int64_t maxBytes) {
  if (path.rfind(kBuiltinPrefix, 0) == 0) {
    PicturePtr builtin = LoadBuiltinPicture(path.substr(std::strlen(kBuiltinPrefix)));
    if (builtin && !PixelsFit(uint64_t{static_cast<uint32_t>(builtin->width)} *
                                  static_cast<uint32_t>(builtin->height),
                              maxBytes)) {
      return nullptr;
    }
    return builtin;
  }
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return nullptr;
  return DecodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), maxBytes);
}

}  // namespace

PicturePtr DecodePng(const uint8_t* data, size_t size, int64_t maxBytes) {
  std::optional<PngImage> image = DecodePngAsStored(data, size, maxBytes);
  if (!image) return nullptr;
  auto picture = std::make_shared<Picture>();
  picture->width = image->width;
  picture->height = image->height;
  picture->frames.resize(1);
  picture->frames[0].pixels = std::move(image->pixels);
  for (uint32_t& p : picture->frames[0].pixels) p = MaskAndPremultiply(p);
  return picture;
}

PicturePtr LoadPictureFile(const std::string& path, int64_t maxBytes) {
  return LoadSource(path, maxBytes);
}

PicturePtr LoadPictureStripFile(const std::string& path, int cellWidth, int cellHeight,
                                int firstCell, int cellCount, int64_t maxBytes) {
  if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
  PicturePtr sheet = LoadSource(path, maxBytes);
  if (!sheet || sheet->frames.empty()) return nullptr;
  // Only whole cells count; a sheet that holds not even one cannot be cut.
  const int columns = sheet->width / cellWidth;
  const int rows = sheet->height / cellHeight;
  if (columns <= 0 || rows <= 0) return nullptr;
  const long long cellsInSheet = static_cast<long long>(columns) * rows;
  // The sheet is still held while the strip is cut from it: both count.
  const int64_t sheetBytes = static_cast<int64_t>(sheet->width) * sheet->height * kBytesPerPixel;
  if (!FramesFit(static_cast<uint64_t>(cellCount), cellWidth, cellHeight, maxBytes - sheetBytes)) {
    return nullptr;
  }
  auto strip = std::make_shared<Picture>();
  strip->width = cellWidth;
  strip->height = cellHeight;
  strip->frames.resize(static_cast<size_t>(cellCount));
  const std::vector<uint32_t>& src = sheet->frames[0].pixels;
  for (int i = 0; i < cellCount; ++i) {
    std::vector<uint32_t>& dst = strip->frames[static_cast<size_t>(i)].pixels;
    // Cells past the end of the sheet stay fully transparent.
    dst.assign(static_cast<size_t>(cellWidth) * cellHeight, 0);
    const long long cell = static_cast<long long>(firstCell) + i;
    if (cell >= cellsInSheet) continue;
    const int cx = static_cast<int>(cell % columns) * cellWidth;
    const int cy = static_cast<int>(cell / columns) * cellHeight;
    for (int row = 0; row < cellHeight; ++row) {
      const uint32_t* from = src.data() + static_cast<size_t>(cy + row) * sheet->width + cx;
      std::copy(from, from + cellWidth, dst.data() + static_cast<size_t>(row) * cellWidth);
    }
  }
  return strip;
}

PicturePtr CreateBlankPicture(int width, int height, int frames, int64_t maxBytes) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  if (!FramesFit(static_cast<uint64_t>(frames), width, height, maxBytes)) {
    return nullptr;
  }
  auto picture = std::make_shared<Picture>();
  picture->width = width;
  picture->height = height;
  picture->frames.resize(static_cast<size_t>(frames));
  for (PictureFrame& f : picture->frames) f.pixels.assign(static_cast<size_t>(width) * height, 0);
  return picture;
}

}  // namespace hopwerk
