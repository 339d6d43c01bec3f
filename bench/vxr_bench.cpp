// Opening entries of a large archive one after the other: each open must cost a lookup, not
// a walk over the directory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "archive/Vxr.h"

namespace {

class SilentHost : public hopwerk::VxrHost {
 public:
  void Trace(const std::string&) override {}
  std::string WorkingFolder() override { return {}; }
  void ShowError(const std::string&) override {}
  [[noreturn]] void EndOnError() override { std::abort(); }
};

void BM_VxrOpen2000Of10000(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("hopwerk-bench-" + std::to_string(::getpid()) + ".vxr"))
                               .string();
  std::vector<hopwerk::VxrWriteEntry> entries;
  for (int i = 0; i < 10000; ++i) {
    entries.push_back({"lev" + std::to_string(i % 50) + "/Script/Entry" + std::to_string(i),
                       std::vector<uint8_t>(64, static_cast<uint8_t>(i)), 0});
  }
  if (!hopwerk::WriteVxrArchive(path, entries)) {
    state.SkipWithError("cannot write the archive");
    return;
  }
  SilentHost host;
  hopwerk::VxrModule vxr;
  vxr.host = &host;
  for (auto _ : state) {
    for (int i = 0; i < 2000; ++i) {
      // Spread over the directory, in upper case as engine callers often ask.
      const int n = (i * 5 + 3) % 10000;
      auto stream = hopwerk::VXR_Open(
          vxr, path, "LEV" + std::to_string(n % 50) + "/SCRIPT/ENTRY" + std::to_string(n));
      benchmark::DoNotOptimize(hopwerk::VXR_Read(vxr, stream.get()));
      hopwerk::VXR_Close(vxr, stream.get());
    }
  }
  state.SetItemsProcessed(state.iterations() * 2000);
  std::filesystem::remove(path);
}
BENCHMARK(BM_VxrOpen2000Of10000)->Unit(benchmark::kMillisecond);

}  // namespace
