// Positional, buffered reading of one archive file. Bytes outside the file read as 0, so a
// damaged directory or entry can never make a reader touch memory or file space it has no
// right to; loaders notice the damage through the values they get and through EOF.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace hopwerk {

// One version of a file on disk: when it differs, the archive's directory is read again.
struct VxrFileStamp {
  int64_t size = -1;
  int64_t modified = 0;  // last write time in file-clock ticks
  bool operator==(const VxrFileStamp&) const = default;
};

// False when path is not a regular file that can be examined.
bool StampVxrFile(const std::string& path, VxrFileStamp& stamp);

// An archive file opened read-only. Reads name their position, so any number of cursors can
// share the file without disturbing each other.
class VxrFile {
 public:
  // Null when path is not a regular, readable file.
  static std::shared_ptr<VxrFile> Open(const std::string& path);
  ~VxrFile();
  VxrFile(const VxrFile&) = delete;
  VxrFile& operator=(const VxrFile&) = delete;

  int64_t Size() const { return size_; }
  const VxrFileStamp& Stamp() const { return stamp_; }
  // Copies up to count bytes from pos; returns how many it got (0 outside the file).
  size_t ReadAt(int64_t pos, uint8_t* dst, size_t count);

 private:
  VxrFile() = default;
  std::FILE* file_ = nullptr;
  int64_t size_ = 0;
  VxrFileStamp stamp_;
};

inline constexpr size_t kVxrReadBufferSize = 64 * 1024;

// A read position in a VxrFile with a buffer of its own (at most kVxrReadBufferSize bytes).
// readAheadEnd is where the bytes of interest end: the buffer is not filled much past it, so
// opening a small entry of a large archive does not read 64 KiB of its neighbours.
class VxrCursor {
 public:
  VxrCursor(std::shared_ptr<VxrFile> file, int64_t pos, int64_t readAheadEnd = INT64_MAX);

  int ReadByte();     // 0..255; 0 outside the file
  int32_t ReadInt();  // little-endian
  std::string ReadString(int count);
  void Seek(int64_t pos) { pos_ = pos; }
  int64_t Position() const { return pos_; }
  const std::shared_ptr<VxrFile>& File() const { return file_; }

 private:
  bool Fill();
  std::shared_ptr<VxrFile> file_;
  int64_t pos_ = 0;
  int64_t readAheadEnd_ = INT64_MAX;
  std::vector<uint8_t> buffer_;
  int64_t bufferStart_ = 0;
  size_t bufferLength_ = 0;
};

}  // namespace hopwerk
