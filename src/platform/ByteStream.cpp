#include "platform/ByteStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <vector>

namespace hopwerk {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself survive a power cut; a failure here changes nothing for the caller.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::unique_ptr<ByteStream> ByteStream::Open(const std::string& path, Mode mode) {
  if (path.empty()) return nullptr;
  std::unique_ptr<ByteStream> stream(new ByteStream());
  stream->mode_ = mode;
  stream->path_ = path;
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

  // Write: never over a folder, and always through a temporary file beside the target.
  struct stat old {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) return nullptr;
  const size_t slash = path.rfind('/');
  const std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return nullptr;
  // Hidden, and short enough to stay within the file system's name limit.
  std::string temp = prefix + "." + name.substr(0, 200) + ".tmp-XXXXXX";
  std::vector<char> buffer(temp.begin(), temp.end());
  buffer.push_back('\0');
  const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  temp.assign(buffer.data());
  // Keep the old file's permissions; a new file gets the usual rw-r--r--.
  ::fchmod(fd, hadOld && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : 0644);
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    ::close(fd);
    ::unlink(temp.c_str());
    return nullptr;
  }
  std::setvbuf(file, nullptr, _IOFBF, kBufferSize);
  stream->file_ = file;
  stream->tempPath_ = temp;
  return stream;
}

ByteStream::~ByteStream() {
  if (file_ == nullptr) return;
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

std::string ByteStream::ReadLine() {
  std::string line;
  if (file_ == nullptr || mode_ != Mode::Read) return line;
  while (pos_ < size_) {
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
  if (file_ == nullptr || mode_ != Mode::Write || failed_ || s.empty()) return;
  const size_t put = std::fwrite(s.data(), 1, s.size(), file_);
  pos_ += static_cast<int64_t>(put);
  size_ = std::max(size_, pos_);
  if (put != s.size()) failed_ = true;
}

void ByteStream::WriteLine(const std::string& s) {
  WriteString(s + "\r\n");
}

bool ByteStream::Eof() {
  return file_ == nullptr || pos_ >= size_;
}

int64_t ByteStream::Position() {
  return pos_;
}

int64_t ByteStream::Size() {
  return size_;
}

void ByteStream::Seek(int64_t pos) {
  if (file_ == nullptr) return;
  pos = std::clamp<int64_t>(pos, 0, size_);
  if (mode_ == Mode::Write) std::fflush(file_);
  if (::fseeko(file_, static_cast<off_t>(pos), SEEK_SET) != 0) {
    failed_ = true;
    return;
  }
  pos_ = pos;
}

void ByteStream::Abandon() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
  if (mode_ == Mode::Write) {
    ::unlink(tempPath_.c_str());
    failed_ = true;
  }
}

bool ByteStream::Close() {
  if (file_ == nullptr) return !failed_;
  std::FILE* file = file_;
  file_ = nullptr;
  if (mode_ == Mode::Read) {
    std::fclose(file);
    return true;
  }
  bool ok = !failed_;
  if (std::fflush(file) != 0 || std::ferror(file) != 0) ok = false;
  if (ok && ::fsync(::fileno(file)) != 0 && errno != EINVAL) ok = false;
  if (std::fclose(file) != 0) ok = false;
  if (ok && std::rename(tempPath_.c_str(), path_.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(tempPath_.c_str());
    failed_ = true;
    return false;
  }
  SyncFolder(FolderOf(path_));
  return true;
}

}  // namespace hopwerk
