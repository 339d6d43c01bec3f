// What every fuzz target shares: a fresh headless engine over throwaway folders, and the
// helpers that turn the fuzzer's bytes into the files and entries a reader expects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "TestProject.h"

namespace hopwerk::fuzz {

// A headless engine on empty project and home folders, its folders set as at start-up, with a
// small display (the error screen a damaged file ends on redraws the whole console) and no
// input, so a screen that waits for a key ends the run instead of hanging.
struct FuzzEngine {
  test::EngineRun run;
  Engine* engine = nullptr;

  FuzzEngine();
  const std::string& Project() const { return run.project.path(); }
  const std::string& Home() const { return run.home.path(); }
  // Runs f on the engine. A damaged file ending the program with its own message is the
  // reader doing its job, not a finding: the end is caught here like the runner catches it.
  template <typename F>
  void Run(F&& f) {
    run.Run(std::forward<F>(f));
  }
  // Writes archive VXR/<name> of the project with the engine's own archive writer.
  void WriteArchive(const std::string& name, const std::vector<VxrWriteEntry>& entries);
};

// Every entry of an archive as stored (empty when it cannot be read), to build on.
std::vector<VxrWriteEntry> ReadArchive(const std::string& path);

std::vector<uint8_t> ToVector(const uint8_t* data, size_t size);
std::string ToString(const uint8_t* data, size_t size);
void WriteBytes(const std::string& path, const uint8_t* data, size_t size);

// Several files from one input: the parts between the separators, always `count` of them
// (missing ones empty, the last takes the rest).
inline constexpr const char* kPartSeparator = "\n==HWFZ==\n";
std::vector<std::vector<uint8_t>> SplitParts(const uint8_t* data, size_t size, size_t count);

}  // namespace hopwerk::fuzz
