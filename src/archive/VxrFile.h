// Positional, buffered reading of one archive file. Bytes outside the file read as 0, so a
// damaged directory or entry can never make a reader touch memory or file space it has no
// right to; loaders notice the damage through the values they get and through EOF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hopwerk {

// One version of a file on disk: when any of it differs, the archive's directory is read again.
// The change time moves with every write, truncation, permission change or rename, even one
// that puts the old modification time back, so the stamp tells versions apart as long as
// the file system keeps change times (every one an archive is likely to live on does).
struct VxrFileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = -1;
  int64_t modifiedSec = 0;
  int64_t modifiedNsec = 0;
  int64_t changedSec = 0;
  int64_t changedNsec = 0;
  bool operator==(const VxrFileStamp&) const = default;
};

// False when path is not a regular file that can be examined. One stat call, nothing more: it
// runs on every entry open.
bool StampVxrFile(const std::string& path, VxrFileStamp& stamp);

inline constexpr size_t kVxrReadBufferSize = 64 * 1024;

// Bytes read from an archive file, shared by every cursor that reads within them.
struct VxrBlock {
  int64_t start = 0;
  std::vector<uint8_t> bytes;
};

// An archive file opened read-only. Reads name their position, so any number of cursors can
// share the file without disturbing each other.
class VxrFile {
 public:
  // Null when path is not a regular, readable file.
  static std::shared_ptr<VxrFile> Open(const std::string& path);
  ~VxrFile();
  VxrFile(const VxrFile&) = delete;
  VxrFile& operator=(const VxrFile&) = delete;

  int64_t Size() const { return stamp_.size; }
  // The version that was opened (taken from the open file, not from its name).
  const VxrFileStamp& Stamp() const { return stamp_; }
  // Copies up to count bytes from pos; returns how many it got (0 outside the file).
  size_t ReadAt(int64_t pos, uint8_t* dst, size_t count);
  // A block holding the byte at pos, reading ahead up to kVxrReadBufferSize bytes but not much
  // past readAheadEnd (see VxrCursor). The block read last is kept and handed to the next
  // cursor that needs a byte within it, so entries opened one after the other out of one
  // stretch of the archive cost one read, not one each. Null when nothing can be read at pos.
  std::shared_ptr<const VxrBlock> BlockAt(int64_t pos, int64_t readAheadEnd);

 private:
  VxrFile() = default;
  int fd_ = -1;
  VxrFileStamp stamp_;
  std::shared_ptr<const VxrBlock> lastBlock_;
};

// A read position in a VxrFile. readAheadEnd is where the bytes of interest end: reads stop not
// far past it, so opening a small entry of a large archive does not read 64 KiB of its
// neighbours.
class VxrCursor {
 public:
  VxrCursor(std::shared_ptr<VxrFile> file, int64_t pos, int64_t readAheadEnd = INT64_MAX);

  int ReadByte() {  // 0..255; 0 outside the file
    if (pos_ >= blockStart_ && pos_ < blockEnd_) return blockBytes_[pos_++ - blockStart_];
    return ReadByteSlow();
  }
  int32_t ReadInt();  // little-endian
  std::string ReadString(int count);
  void Seek(int64_t pos) { pos_ = pos; }
  int64_t Position() const { return pos_; }
  const std::shared_ptr<VxrFile>& File() const { return file_; }

 private:
  int ReadByteSlow();
  std::shared_ptr<VxrFile> file_;
  int64_t pos_ = 0;
  int64_t readAheadEnd_ = INT64_MAX;
  std::shared_ptr<const VxrBlock> block_;
  const uint8_t* blockBytes_ = nullptr;
  int64_t blockStart_ = 0;
  int64_t blockEnd_ = 0;  // empty range until the first read
};

}  // namespace hopwerk
