#include "archive/VxrFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace hopwerk {

namespace {

VxrFileStamp StampOf(const struct stat& st) {
  VxrFileStamp stamp;
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  stamp.size = static_cast<int64_t>(st.st_size);
  stamp.modifiedSec = static_cast<int64_t>(st.st_mtim.tv_sec);
  stamp.modifiedNsec = static_cast<int64_t>(st.st_mtim.tv_nsec);
  stamp.changedSec = static_cast<int64_t>(st.st_ctim.tv_sec);
  stamp.changedNsec = static_cast<int64_t>(st.st_ctim.tv_nsec);
  return stamp;
}

}  // namespace

bool StampVxrFile(const std::string& path, VxrFileStamp& stamp) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp = StampOf(st);
  return true;
}

std::shared_ptr<VxrFile> VxrFile::Open(const std::string& path) {
  // O_NONBLOCK keeps a FIFO put where an archive was expected from hanging the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::shared_ptr<VxrFile> file(new VxrFile());
  file->fd_ = fd;
  file->stamp_ = StampOf(st);
  return file;
}

VxrFile::~VxrFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t VxrFile::ReadAt(int64_t pos, uint8_t* dst, size_t count) {
  if (pos < 0 || pos >= Size() || count == 0) return 0;
  count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), Size() - pos));
  size_t got = 0;
  // The file may have shrunk since it was opened: whatever the reads do not deliver stays unread.
  while (got < count) {
    const ssize_t n = ::pread(fd_, dst + got, count - got, static_cast<off_t>(pos) + got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

std::shared_ptr<const VxrBlock> VxrFile::BlockAt(int64_t pos, int64_t readAheadEnd) {
  if (lastBlock_ && pos >= lastBlock_->start &&
      pos - lastBlock_->start < static_cast<int64_t>(lastBlock_->bytes.size())) {
    return lastBlock_;
  }
  if (pos < 0 || pos >= Size()) return nullptr;
  constexpr int64_t kMinimumFill = 4096;
  int64_t want = std::min<int64_t>(static_cast<int64_t>(kVxrReadBufferSize), Size() - pos);
  if (readAheadEnd > pos && readAheadEnd - pos < want) {
    want = std::min(want, std::max(readAheadEnd - pos, kMinimumFill));
  } else if (readAheadEnd <= pos) {
    // Reading past the bytes of interest (a loader running over an entry's end) is rare.
    want = std::min(want, kMinimumFill);
  }
  auto block = std::make_shared<VxrBlock>();
  block->start = pos;
  block->bytes.resize(static_cast<size_t>(want));
  block->bytes.resize(ReadAt(pos, block->bytes.data(), block->bytes.size()));
  if (block->bytes.empty()) return nullptr;
  lastBlock_ = block;
  return block;
}

VxrCursor::VxrCursor(std::shared_ptr<VxrFile> file, int64_t pos, int64_t readAheadEnd)
    : file_(std::move(file)), pos_(pos), readAheadEnd_(readAheadEnd) {}

int VxrCursor::ReadByteSlow() {
  block_ = file_->BlockAt(pos_, readAheadEnd_);
  if (!block_) {
    blockBytes_ = nullptr;
    blockStart_ = blockEnd_ = 0;
    if (pos_ < INT64_MAX) ++pos_;
    return 0;
  }
  blockBytes_ = block_->bytes.data();
  blockStart_ = block_->start;
  blockEnd_ = block_->start + static_cast<int64_t>(block_->bytes.size());
  return blockBytes_[pos_++ - blockStart_];
}

int32_t VxrCursor::ReadInt() {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(ReadByte()) << (8 * i);
  return static_cast<int32_t>(v);
}

std::string VxrCursor::ReadString(int count) {
  std::string s;
  if (count <= 0) return s;
  s.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) s.push_back(static_cast<char>(ReadByte()));
  return s;
}

}  // namespace hopwerk
