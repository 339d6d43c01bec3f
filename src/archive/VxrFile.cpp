#include "archive/VxrFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace hopwerk {

bool StampVxrFile(const std::string& path, VxrFileStamp& stamp) {
  std::error_code ec;
  std::filesystem::directory_entry entry(path, ec);
  if (ec || !entry.is_regular_file(ec) || ec) return false;
  const auto size = entry.file_size(ec);
  if (ec) return false;
  const auto modified = entry.last_write_time(ec);
  if (ec) return false;
  stamp.size = static_cast<int64_t>(size);
  stamp.modified = static_cast<int64_t>(modified.time_since_epoch().count());
  return true;
}

std::shared_ptr<VxrFile> VxrFile::Open(const std::string& path) {
  VxrFileStamp stamp;
  if (!StampVxrFile(path, stamp)) return nullptr;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return nullptr;
  // Cursors keep their own buffers; a second one in stdio would only copy the bytes twice.
  std::setvbuf(f, nullptr, _IONBF, 0);
  std::shared_ptr<VxrFile> file(new VxrFile());
  file->file_ = f;
  file->stamp_ = stamp;
  file->size_ = stamp.size;
  return file;
}

VxrFile::~VxrFile() {
  if (file_) std::fclose(file_);
}

size_t VxrFile::ReadAt(int64_t pos, uint8_t* dst, size_t count) {
  if (pos < 0 || pos >= size_ || count == 0) return 0;
  count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - pos));
  if (std::fseek(file_, static_cast<long>(pos), SEEK_SET) != 0) return 0;
  // The file may have shrunk since it was opened: whatever fread does not deliver stays unread.
  return std::fread(dst, 1, count, file_);
}

VxrCursor::VxrCursor(std::shared_ptr<VxrFile> file, int64_t pos, int64_t readAheadEnd)
    : file_(std::move(file)), pos_(pos), readAheadEnd_(readAheadEnd) {}

bool VxrCursor::Fill() {
  const int64_t fileSize = file_->Size();
  if (pos_ < 0 || pos_ >= fileSize) return false;
  constexpr int64_t kMinimumFill = 4096;
  int64_t want = std::min<int64_t>(static_cast<int64_t>(kVxrReadBufferSize), fileSize - pos_);
  if (readAheadEnd_ > pos_ && readAheadEnd_ - pos_ < want) {
    want = std::min(want, std::max(readAheadEnd_ - pos_, kMinimumFill));
  } else if (readAheadEnd_ <= pos_) {
    // Reading past the bytes of interest (a loader running over an entry's end) is rare.
    want = std::min(want, kMinimumFill);
  }
  if (buffer_.size() < static_cast<size_t>(want)) buffer_.resize(static_cast<size_t>(want));
  bufferStart_ = pos_;
  bufferLength_ = file_->ReadAt(pos_, buffer_.data(), static_cast<size_t>(want));
  return bufferLength_ > 0;
}

int VxrCursor::ReadByte() {
  if (pos_ < bufferStart_ || pos_ >= bufferStart_ + static_cast<int64_t>(bufferLength_)) {
    if (!Fill()) {
      if (pos_ < INT64_MAX) ++pos_;
      return 0;
    }
  }
  const int b = buffer_[static_cast<size_t>(pos_ - bufferStart_)];
  ++pos_;
  return b;
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
