#include "files/FileWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

// A process killed while writing (SIGKILL, a power cut) cannot remove its temporary file; the
// next write of the same target does, so they never pile up beside it. Only names of the exact
// form mkostemp gives for this target are touched, and only when no writer holds their lock: a
// second program writing the same file at this moment keeps its file. The kernel drops a lock
// with its process, so a killed writer's file is always free.
void RemoveLeftTemporaries(const std::string& folder, const std::string& tempPrefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != tempPrefix.size() + 6 ||
        name.compare(0, tempPrefix.size(), tempPrefix) != 0) {
      continue;
    }
    // No link is followed and nothing special (a planted FIFO) can make the open wait.
    const int fd = ::openat(::dirfd(dir), name.c_str(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    ::unlinkat(::dirfd(dir), name.c_str(), 0);
    if (fd >= 0) ::close(fd);
  }
  ::closedir(dir);
}

}  // namespace

std::unique_ptr<FileWriter> FileWriter::Create(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return nullptr;
  struct stat old {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) return nullptr;
  // Hidden, and short enough to stay within the file system's name limit.
  const std::string tempName = "." + name.substr(0, 200) + ".tmp-";
  RemoveLeftTemporaries(prefix.empty() ? "." : prefix, tempName);
  std::string temp = prefix + tempName + "XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  // Held until the file is renamed or abandoned, so another writer's cleanup leaves it alone.
  ::flock(fd, LOCK_EX | LOCK_NB);
  // Keep the old file's permissions; a new file gets the usual rw-r--r--.
  ::fchmod(fd, hadOld && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : 0644);
  std::unique_ptr<FileWriter> writer(new FileWriter());
  writer->fd_ = fd;
  writer->path_ = path;
  writer->tempPath_ = temp;
  writer->buffer_.resize(kBufferSize);
  return writer;
}

FileWriter::~FileWriter() {
  Abandon();
}

bool FileWriter::Flush() {
  if (buffered_ == 0) return !failed_;
  if (!failed_ && !WriteAll(fd_, buffer_.data(), buffered_)) failed_ = true;
  buffered_ = 0;
  return !failed_;
}

bool FileWriter::Write(const void* data, size_t size) {
  if (fd_ < 0 || failed_) return false;
  const char* bytes = static_cast<const char*>(data);
  if (size >= buffer_.size()) {
    // Large blocks go straight to the file instead of through the buffer.
    if (!Flush() || !WriteAll(fd_, bytes, size)) failed_ = true;
  } else {
    if (buffered_ + size > buffer_.size() && !Flush()) return false;
    std::memcpy(buffer_.data() + buffered_, bytes, size);
    buffered_ += size;
  }
  if (failed_) return false;
  pos_ += static_cast<int64_t>(size);
  written_ = std::max(written_, pos_);
  return true;
}

bool FileWriter::Seek(int64_t pos) {
  if (fd_ < 0 || failed_ || pos < 0 || pos > written_) return false;
  if (!Flush() || ::lseek(fd_, static_cast<off_t>(pos), SEEK_SET) < 0) {
    failed_ = true;
    return false;
  }
  pos_ = pos;
  return true;
}

bool FileWriter::Commit() {
  if (fd_ < 0) return false;
  bool ok = Flush();
  if (ok && ::fsync(fd_) != 0 && errno != EINVAL) ok = false;
  if (::close(fd_) != 0) ok = false;
  fd_ = -1;
  if (ok && std::rename(tempPath_.c_str(), path_.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(tempPath_.c_str());
    failed_ = true;
    return false;
  }
  SyncFolder(FolderOf(path_));
  return true;
}

void FileWriter::Abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(tempPath_.c_str());
  failed_ = true;
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size) {
  auto writer = FileWriter::Create(path);
  return writer && writer->Write(data, size) && writer->Commit();
}

}  // namespace hopwerk
