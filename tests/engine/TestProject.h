// Small game projects built inside a test, and a headless engine to run them on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "archive/Vxr.h"
#include "engine/Engine.h"
#include "platform/HeadlessPlatform.h"
#include "schema/EntryRecords.h"

namespace hopwerk::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Little helpers to spell entry bytes the way the engine's formats store them.
struct Bytes {
  std::vector<uint8_t> data;
  Bytes& Byte(int b);
  Bytes& Int(int32_t v);
  Bytes& String(const std::string& s);  // length byte + characters
  Bytes& Text(const std::string& s);    // characters only
  // One record of an entry format, written by the schema: `name` is the record's keyword or
  // its first field, values are its fields in table order.
  Bytes& Record(const std::string& format, const std::string& name,
                const std::vector<FieldValue>& values = {});
  // The format's end tag.
  Bytes& End(const std::string& format);
};

Bytes GenData(const std::string& title, int width, int height, int fullScreen,
              const std::string& author);
Bytes IdEntry(int major, int32_t minor);

// The entries a General archive needs to get the engine to its main menu.
std::vector<VxrWriteEntry> MinimalGeneral(const std::string& title = "Jump", int width = 640,
                                          int height = 480, int fullScreen = 0);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

// A project folder with VXR/General.vxr, and a headless engine that captures its output.
struct EngineRun {
  TempDir project;
  TempDir home;
  HeadlessOptions options;
  std::vector<std::string> output;
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<Engine> engine;
  ProgramEnd end;
  bool ended = false;

  EngineRun();
  void WriteGeneral(const std::vector<VxrWriteEntry>& entries);
  // Builds the platform and engine from `options` (call after adjusting them).
  Engine& Start();
  // Runs f on the engine, catching the end of the program.
  template <typename F>
  void Run(F&& f) {
    if (!engine) Start();
    try {
      f(*engine);
    } catch (const ProgramEnd& e) {
      end = e;
      ended = true;
    }
  }
  bool Printed(const std::string& line) const;
  // Index of the first output line equal to `line`, or -1.
  int IndexOf(const std::string& line) const;
};

// A run of the real hopwerk-replay executable.
struct ReplayResult {
  int status = -1;
  std::vector<std::string> lines;
  bool Has(const std::string& line) const { return IndexOf(line) >= 0; }
  int IndexOf(const std::string& line) const;
  int Count(const std::string& prefix) const;  // lines starting with prefix
  // The value of a --state line ("state| NAME=VALUE"), or "(none)" when there is none.
  std::string State(const std::string& name) const;
};
ReplayResult Replay(const std::string& project, const std::vector<std::string>& args);

// The records of an entry's readable form, split at `keyword` lines (all one record without):
// each its fields' names and values in order, quoted values unquoted, comments left out.
using TextRecord = std::vector<std::pair<std::string, std::string>>;
std::vector<TextRecord> SplitTextRecords(const std::string& text, const std::string& keyword);

}  // namespace hopwerk::test
