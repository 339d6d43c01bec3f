#include "files/ByteStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <vector>

#include "files/FileWriter.h"

namespace hopwerk {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

std::unique_ptr<ByteStream> ByteStream::Open(const std::string& path, Mode mode) {
  if (path.empty()) return nullptr;
  std::unique_ptr<ByteStream> stream(new ByteStream());
  stream->mode_ = mode;
  stream->uncaughtAtOpen_ = std::uncaught_exceptions();

  if (mode == Mode::Read) {
    // O_NONBLOCK keeps a FIFO or device from hanging the open; only plain files are streams,
    // and only of a size a real file could have, so nothing is read without end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxReadFileBytes) {
      ::close(fd);
      return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
      ::close(fd);
      return nullptr;
    }
    std::setvbuf(file, nullptr, _IOFBF, kBufferSize);
    stream->file_ = file;
    stream->size_ = static_cast<int64_t>(st.st_size);
    return stream;
  }

  stream->writer_ = FileWriter::Create(path);
  if (!stream->writer_) return nullptr;
  return stream;
}

ByteStream::~ByteStream() {
  if (!IsOpen()) return;
  if (mode_ == Mode::Write && std::uncaught_exceptions() > uncaughtAtOpen_) {
    Abandon();  // the writer was interrupted: what it wrote is incomplete
  } else {
    Close();
  }
}

int ByteStream::ReadByte() {
  if (file_ == nullptr || mode_ != Mode::Read || pos_ >= size_) return 0;
  const int c = std::getc(file_);
  if (c == EOF) {
    // The file shrank under us or could not be read: from here on it ends.
    failed_ = true;
    size_ = pos_;
    return 0;
  }
  ++pos_;
  return c;
}

int32_t ByteStream::ReadInt() {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(ReadByte()) << (8 * i);
  return static_cast<int32_t>(v);
}

std::string ByteStream::ReadString(int count) {
  std::string out;
  if (count <= 0 || file_ == nullptr || mode_ != Mode::Read) return out;
  // Only what the file holds: a hostile count never makes a huge allocation.
  const int64_t n = std::min<int64_t>(count, size_ - pos_);
  if (n <= 0) return out;
  out.resize(static_cast<size_t>(n));
  const size_t got = std::fread(out.data(), 1, out.size(), file_);
  pos_ += static_cast<int64_t>(got);
  if (got < out.size()) {
    failed_ = true;
    size_ = pos_;
    out.resize(got);
  }
  return out;
}

// A longer line comes in pieces, as the archive's lines do: a file of 128 MiB without a line
// feed is not one string. Far above any line of a text the engine reads.
constexpr size_t kMaxReadLineBytes = 64 * 1024;

std::string ByteStream::ReadLine() {
  std::string line;
  if (file_ == nullptr || mode_ != Mode::Read) return line;
  while (pos_ < size_ && line.size() < kMaxReadLineBytes) {
    const int c = std::getc(file_);
    if (c == EOF) {
      failed_ = true;
      size_ = pos_;
      break;
    }
    ++pos_;
    if (c == 10 || c == 0) break;
    if (c == 13) continue;
    line.push_back(static_cast<char>(c));
  }
  return line;
}

void ByteStream::WriteByte(int b) {
  const char c = static_cast<char>(b & 0xFF);
  WriteString(std::string(1, c));
}

void ByteStream::WriteInt(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  char bytes[4];
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  WriteString(std::string(bytes, 4));
}

void ByteStream::WriteString(const std::string& s) {
  if (writer_ == nullptr || failed_ || s.empty()) return;
  if (!writer_->Write(s.data(), s.size())) {
    failed_ = true;
    return;
  }
  pos_ += static_cast<int64_t>(s.size());
  size_ = std::max(size_, pos_);
}

void ByteStream::WriteLine(const std::string& s) {
  WriteString(s + "\r\n");
}

bool ByteStream::Eof() {
  return !IsOpen() || pos_ >= size_;
}

int64_t ByteStream::Position() {
  return pos_;
}

int64_t ByteStream::Size() {
  return size_;
}

void ByteStream::Seek(int64_t pos) {
  if (!IsOpen()) return;
  pos = std::clamp<int64_t>(pos, 0, size_);
  const bool moved =
      writer_ ? writer_->Seek(pos) : ::fseeko(file_, static_cast<off_t>(pos), SEEK_SET) == 0;
  if (!moved) {
    failed_ = true;
    return;
  }
  pos_ = pos;
}

void ByteStream::Abandon() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (writer_ != nullptr) {
    writer_->Abandon();
    writer_.reset();
    failed_ = true;
  }
}

bool ByteStream::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
    return true;
  }
  if (writer_ == nullptr) return !failed_;
  const bool ok = !failed_ && writer_->Commit();
  writer_.reset();
  if (!ok) failed_ = true;
  return ok;
}

}  // namespace hopwerk
