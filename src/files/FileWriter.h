// Writing a file whole or not at all.
//
// The bytes go to a temporary file beside the target, created under a fresh random name that
// must not exist yet (mkostemp, O_CREAT | O_EXCL): a symbolic link or a file planted at any name
// in advance is never followed, opened or overwritten. Commit flushes the file to the disk and
// renames it over the target, so a link standing at the target's own name is replaced, not
// written through. A crash, a full disk or an abandoned write leaves the old file as it was. A
// full disk or an abandoned write leaves no temporary file behind; one a killed process left is
// removed by the next write of the same target, while one a live writer holds is left alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hopwerk {

class FileWriter {
 public:
  // Null when no file can be written at path: an empty name, a folder standing there, or a
  // folder that is missing or cannot be written to.
  static std::unique_ptr<FileWriter> Create(const std::string& path);
  // Abandons the write unless it was committed.
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // False once anything has failed; from then on writes are ignored and Commit fails.
  bool Write(const void* data, size_t size);
  // Moves the write position to pos, which must lie within what has been written.
  bool Seek(int64_t pos);
  // Puts the finished file in place of the target. False, with the old file untouched and the
  // temporary file gone, when any write, the flush to disk or the rename failed.
  bool Commit();
  // Throws the temporary file away; the old file stays as it was.
  void Abandon();
  // Neither committed nor abandoned yet.
  bool IsOpen() const { return fd_ >= 0; }

 private:
  FileWriter() = default;
  bool Flush();

  int fd_ = -1;
  std::string path_;
  std::string tempPath_;
  std::vector<char> buffer_;
  size_t buffered_ = 0;
  int64_t written_ = 0;  // the file's size so far, buffered bytes included
  int64_t pos_ = 0;      // where the next byte goes
  bool failed_ = false;
};

// The whole file in one go through a FileWriter. Returns success.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size);

}  // namespace hopwerk
