#include "TestProject.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "schema/EntryText.h"

namespace hopwerk::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "hopwerk-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

Bytes& Bytes::Byte(int b) {
  data.push_back(static_cast<uint8_t>(b));
  return *this;
}

Bytes& Bytes::Int(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(u >> (8 * i)));
  return *this;
}

Bytes& Bytes::String(const std::string& s) {
  Byte(static_cast<int>(s.size()));
  return Text(s);
}

Bytes& Bytes::Text(const std::string& s) {
  data.insert(data.end(), s.begin(), s.end());
  return *this;
}

Bytes& Bytes::Record(const std::string& format, const std::string& name,
                     const std::vector<FieldValue>& values) {
  for (const auto& record : EntryFormatTitled(format).records) {
    const bool named = record.keyword ? name == record.keyword
                                      : !record.fields.empty() && name == record.fields[0].name;
    if (!named) continue;
    int key = 0;
    WriteEntryRecord(record, values, key, data);
    return *this;
  }
  // A builder naming a record its format lacks is a fault of the test itself.
  throw std::logic_error(format + " has no record " + name);
}

Bytes& Bytes::End(const std::string& format) {
  return Byte(EntryFormatTitled(format).endTag);
}

Bytes GenData(const std::string& title, int width, int height, int fullScreen,
              const std::string& author) {
  Bytes b;
  b.Record("GenData", "ProjectTitle", {{title}})
      .Record("GenData", "ScreenWidth", {{width}, {height}})
      .Record("GenData", "FullScreen", {{fullScreen}})
      .Record("GenData", "ProjectAuthor", {{author}});
  return b.End("GenData");
}

Bytes IdEntry(int major, int32_t minor) {
  return Bytes().Record("ID", "ProjectIdMajor", {{major}, {minor}});
}

std::vector<VxrWriteEntry> MinimalGeneral(const std::string& title, int width, int height,
                                          int fullScreen) {
  return {
      {"GenData", GenData(title, width, height, fullScreen, "Tester").data, 0},
      {"ID", IdEntry(1, 9).data, 0},
      {"Welcome", Bytes().Text("Welcome to the test\r\nHave fun").data, 0},
      {"Cheats", {}, 0},
      {"Score", {}, 0},
      {"Credits", Bytes().Text("$Credits\r\n").data, 0},
  };
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) {
  return fs::exists(path);
}

EngineRun::EngineRun() {
  options.programFolder = project.path() + "/";
  options.homeFolder = home.path();
  options.output = [this](const std::string& line) { output.push_back(line); };
}

void EngineRun::WriteGeneral(const std::vector<VxrWriteEntry>& entries) {
  fs::create_directories(project.path() + "/VXR");
  if (!WriteVxrArchive(project.path() + "/VXR/General.vxr", entries)) std::abort();
}

Engine& EngineRun::Start() {
  engine.reset();
  platform = std::make_unique<HeadlessPlatform>(options);
  engine = std::make_unique<Engine>(*platform);
  return *engine;
}

bool EngineRun::Printed(const std::string& line) const {
  return IndexOf(line) >= 0;
}

int EngineRun::IndexOf(const std::string& line) const {
  for (size_t i = 0; i < output.size(); ++i) {
    if (output[i] == line) return static_cast<int>(i);
  }
  return -1;
}

int ReplayResult::IndexOf(const std::string& line) const {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == line) return static_cast<int>(i);
  }
  return -1;
}

int ReplayResult::Count(const std::string& prefix) const {
  int n = 0;
  for (const auto& l : lines) n += l.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}

std::string ReplayResult::State(const std::string& name) const {
  const std::string prefix = "state| " + name + "=";
  for (const std::string& line : lines) {
    if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
  }
  return "(none)";
}

namespace {
std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

ReplayResult Replay(const std::string& project, const std::vector<std::string>& args) {
  std::string command = Quote(std::string(HOPWERK_BIN_DIR) + "/hopwerk-replay");
  for (const auto& a : args) command += " " + Quote(a);
  command += " " + Quote(project) + " 2>&1";
  ReplayResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) result.lines.push_back(line);
  return result;
}

std::vector<TextRecord> SplitTextRecords(const std::string& text, const std::string& keyword) {
  std::vector<TextRecord> records(keyword.empty() ? 1 : 0);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    line.erase(0, line.find_first_not_of(' '));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == keyword) records.emplace_back();
    const size_t eq = line.find(" = ");
    if (line.empty() || line[0] == '#' || eq == std::string::npos || records.empty()) continue;
    std::string value = line.substr(eq + 3);
    if (!value.empty() && value[0] == '"') {
      size_t pos = 0;
      std::string raw, reason;
      // A value that does not unquote stays as written, so the comparison that reads it fails.
      if (UnquoteEntryText(line.substr(eq + 3), pos, raw, reason)) value = raw;
    }
    records.back().emplace_back(line.substr(0, eq), value);
  }
  return records;
}

}  // namespace hopwerk::test
