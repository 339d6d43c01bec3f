// Opening entries of a large archive one after the other, beside the bare minimum the same work
// takes (a hash lookup of the name and one read of the entry's bytes). Each open must cost
// about that, not a walk over the directory nor a string of file system calls.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <unordered_map>

#include "archive/Vxr.h"

namespace {

constexpr int kEntries = 10000;
constexpr int kOpens = 2000;

class SilentHost : public hopwerk::VxrHost {
 public:
  void Trace(const std::string&) override {}
  std::string WorkingFolder() override { return {}; }
  void ShowError(const std::string&) override {}
  [[noreturn]] void EndOnError() override { std::abort(); }
};

// A scratch archive of kEntries small entries, and the names to open: spread over the
// directory, in upper case as engine callers often ask.
struct BenchArchive {
  std::string path;
  std::vector<std::string> names;
  BenchArchive() {
    path = (std::filesystem::temp_directory_path() /
            ("hopwerk-bench-" + std::to_string(::getpid()) + ".vxr"))
               .string();
    std::vector<hopwerk::VxrWriteEntry> entries;
    for (int i = 0; i < kEntries; ++i) {
      entries.push_back({"lev" + std::to_string(i % 50) + "/Script/Entry" + std::to_string(i),
                         std::vector<uint8_t>(64, static_cast<uint8_t>(i)), 0});
    }
    if (!hopwerk::WriteVxrArchive(path, entries)) path.clear();
    for (int i = 0; i < kOpens; ++i) {
      const int n = (i * 5 + 3) % kEntries;
      names.push_back("LEV" + std::to_string(n % 50) + "/SCRIPT/ENTRY" + std::to_string(n));
    }
  }
  ~BenchArchive() {
    if (!path.empty()) std::filesystem::remove(path);
  }
};

benchmark::Counter PerOpen() {
  return benchmark::Counter(
      kOpens, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_VxrOpen2000Of10000(benchmark::State& state) {
  BenchArchive archive;
  if (archive.path.empty()) {
    state.SkipWithError("cannot write the archive");
    return;
  }
  SilentHost host;
  hopwerk::VxrModule vxr;
  vxr.host = &host;
  for (auto _ : state) {
    for (const std::string& name : archive.names) {
      auto stream = hopwerk::VXR_Open(vxr, archive.path, name);
      benchmark::DoNotOptimize(hopwerk::VXR_Read(vxr, stream.get()));
      hopwerk::VXR_Close(vxr, stream.get());
    }
  }
  state.counters["per_open"] = PerOpen();
}
BENCHMARK(BM_VxrOpen2000Of10000)->Unit(benchmark::kMillisecond);

// The same opens as a bare hash lookup and one read of the entry's bytes; with statFirst, plus
// the one stat call of the archive's path that an open makes to notice a file that has gone or
// changed since the last open where change notification cannot be had.
void BM_BareLookupAndRead2000Of10000(benchmark::State& state, bool statFirst) {
  BenchArchive archive;
  const int fd = archive.path.empty() ? -1 : ::open(archive.path.c_str(), O_RDONLY);
  if (fd < 0) {
    state.SkipWithError("cannot write the archive");
    return;
  }
  std::unordered_map<std::string, hopwerk::VxrRecord> records;
  for (const auto& r :
       hopwerk::ReadVxrDirectory(hopwerk::VxrFile::Open(archive.path), true).records) {
    records.emplace(hopwerk::VxrUpper(r.name), r);
  }
  uint8_t bytes[64];
  struct stat st {};
  for (auto _ : state) {
    for (const std::string& name : archive.names) {
      if (statFirst) benchmark::DoNotOptimize(::stat(archive.path.c_str(), &st));
      const hopwerk::VxrRecord& r = records.find(name)->second;
      benchmark::DoNotOptimize(::pread(fd, bytes, static_cast<size_t>(r.size), r.offset));
      benchmark::DoNotOptimize(bytes[0]);
    }
  }
  ::close(fd);
  state.counters["per_open"] = PerOpen();
}
BENCHMARK_CAPTURE(BM_BareLookupAndRead2000Of10000, bare, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareLookupAndRead2000Of10000, plus_stat, true)->Unit(benchmark::kMillisecond);

}  // namespace
