// Shared helpers of the archive tests: a recording host, temporary folders, archive builders.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/Vxr.h"

namespace hopwerk::test {

struct EndOnErrorCalled {};

class RecordingHost : public VxrHost {
 public:
  void Trace(const std::string& line) override { traces.push_back(line); }
  std::string WorkingFolder() override { return "/the/folder"; }
  void ShowError(const std::string& noticeText) override { notices.push_back(noticeText); }
  [[noreturn]] void EndOnError() override { throw EndOnErrorCalled{}; }

  std::vector<std::string> traces;
  std::vector<std::string> notices;
};

// A module whose errors only trace and return, as a test wants most of the time.
struct QuietModule {
  RecordingHost host;
  VxrModule vxr;
  QuietModule() {
    vxr.host = &host;
    vxr.VXRShowErrors = false;
    vxr.VXREndOnError = false;
  }
};

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("hopwerk-archive-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PutInt(std::vector<uint8_t>& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> Header(int32_t files, int32_t dirOffset) {
  std::vector<uint8_t> out = {'V', 'X', 'R', '4', 0x1A};
  PutInt(out, files);
  PutInt(out, dirOffset);
  return out;
}

inline void PutRecord(std::vector<uint8_t>& out, const std::string& name, int meth, int32_t size,
                      int32_t offset) {
  out.push_back(static_cast<uint8_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(static_cast<uint8_t>(meth));
  PutInt(out, size);
  PutInt(out, offset);
}

}  // namespace hopwerk::test
