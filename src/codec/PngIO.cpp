// PNG files through libpng: decoding into plain straight pixels, and writing them safely.
#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "codec/PngReader.h"
#include "codec/PngWriter.h"
#include "files/FileWriter.h"

namespace hopwerk {

namespace {

// Pictures are untrusted project data: refuse sizes that would only be a way to exhaust memory.
constexpr png_uint_32 kMaxSide = 16384;
constexpr int64_t kBytesPerPixel = 4;

struct ReadCursor {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
  if (count > cursor->size - cursor->pos) png_error(png, "truncated");
  std::memcpy(out, cursor->data + cursor->pos, count);
  cursor->pos += count;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

struct RawImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // straight (not premultiplied) 0xAARRGGBB
  std::vector<png_bytep> rows;
};

// libpng reports errors by longjmp back here. Everything that owns memory lives in `out`, owned
// by the caller, so the jump skips no destructor.
bool ReadPng(png_structp png, png_infop info, int64_t maxBytes, RawImage& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
  // Checked from the header alone: a small file can declare a picture of gigabytes.
  if (width == 0 || height == 0 || !PixelsFit(uint64_t{width} * height, maxBytes)) return false;
  // Whatever the file holds, read 8-bit B, G, R, A bytes: one native-endian 0xAARRGGBB word.
  png_set_expand(png);  // palette to RGB, small greys to 8 bits, tRNS to alpha
  png_set_scale_16(png);
  if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  if constexpr (std::endian::native == std::endian::little) {
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  } else {
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    png_set_swap_alpha(png);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{width} * 4) return false;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels.assign(size_t{width} * height, 0);
  out.rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    out.rows[y] = reinterpret_cast<png_bytep>(out.pixels.data() + size_t{y} * width);
  }
  png_read_image(png, out.rows.data());
  png_read_end(png, nullptr);
  return true;
}

bool DecodeRaw(const uint8_t* data, size_t size, int64_t maxBytes, RawImage& out) {
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  ReadCursor cursor{data, size, 0};
  png_set_read_fn(png, &cursor, ReadFromMemory);
  const bool ok = ReadPng(png, info, maxBytes, out);
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}

}  // namespace

// What a picture of this many pixels may take: the caller's limit, never above the cap.
bool PixelsFit(uint64_t pixels, int64_t maxBytes) {
  const uint64_t limit = static_cast<uint64_t>(std::clamp<int64_t>(maxBytes, 0, kMaxPictureBytes));
  return pixels <= limit / kBytesPerPixel;
}

std::optional<PngImage> DecodePngAsStored(const uint8_t* data, size_t size, int64_t maxBytes) {
  RawImage raw;
  if (!DecodeRaw(data, size, maxBytes, raw)) return std::nullopt;
  PngImage image;
  image.width = raw.width;
  image.height = raw.height;
  image.pixels = std::move(raw.pixels);
  return image;
}

namespace {

struct WriteJob {
  const uint32_t* pixels;
  int width;
  int height;
  std::vector<uint8_t> row;  // one row, owned here so the longjmp skips no destructor
  bool alpha = false;        // RGBA, else RGB
  bool straight = false;     // alpha pixels are straight, not premultiplied
};

void WriteToFile(png_structp png, png_bytep data, png_size_t count) {
  if (!static_cast<FileWriter*>(png_get_io_ptr(png))->Write(data, count)) png_error(png, "write");
}
void FlushNothing(png_structp) {}

bool WritePngRows(png_structp png, png_infop info, FileWriter& file, WriteJob& job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &file, WriteToFile, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(job.width), static_cast<png_uint_32>(job.height),
               8, job.alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  job.row.resize(static_cast<size_t>(job.width) * (job.alpha ? 4 : 3));
  for (int y = 0; y < job.height; ++y) {
    const uint32_t* src = job.pixels + static_cast<size_t>(y) * job.width;
    for (int x = 0; job.alpha && x < job.width; ++x) {
      const uint32_t a = src[x] >> 24;
      uint8_t* out = job.row.data() + static_cast<size_t>(x) * 4;
      for (int c = 0; c < 3; ++c) {
        const uint32_t v = (src[x] >> (16 - 8 * c)) & 0xFF;
        out[c] = static_cast<uint8_t>(job.straight ? v
                                      : a == 0     ? 0
                                               : std::min<uint32_t>(255, (v * 255 + a / 2) / a));
      }
      out[3] = static_cast<uint8_t>(a);
    }
    for (int x = 0; !job.alpha && x < job.width; ++x) {
      job.row[static_cast<size_t>(x) * 3] = static_cast<uint8_t>(src[x] >> 16);
      job.row[static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>(src[x] >> 8);
      job.row[static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>(src[x]);
    }
    png_write_row(png, job.row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

bool WritePngFile(const std::string& path, const uint32_t* pixels, int width, int height,
                  bool alpha, bool straight = false) {
  if (!pixels || width <= 0 || height <= 0) return false;
  auto file = FileWriter::Create(path);
  if (!file) return false;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (png && info) {
    WriteJob job{pixels, width, height, {}, alpha, straight};
    ok = WritePngRows(png, info, *file, job);
  }
  if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
  return ok && file->Commit();
}

}  // namespace

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height) {
  return WritePngFile(path, pixels, width, height, false);
}

bool WritePngWithAlpha(const std::string& path, const uint32_t* pixels, int width, int height) {
  return WritePngFile(path, pixels, width, height, true);
}

bool WritePngStraight(const std::string& path, const uint32_t* pixels, int width, int height) {
  return WritePngFile(path, pixels, width, height, true, true);
}

}  // namespace hopwerk
