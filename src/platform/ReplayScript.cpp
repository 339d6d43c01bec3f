// The scripted input of hopwerk-replay: one event a line, "FRAME down|up|tap KEY",
// "FRAME type TEXT", "FRAME unfocus|focus" or "FRAME copy SOURCE TARGET".
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"

namespace hopwerk {

namespace {

struct NamedKey {
  const char* name;
  int code;
};

constexpr NamedKey kNamedKeys[] = {
    {"ESC", 27},     {"ENTER", 13},   {"SPACE", 32},  {"TAB", 9},     {"BACKSPACE", 8},
    {"LEFT", 37},    {"UP", 38},      {"RIGHT", 39},  {"DOWN", 40},   {"HOME", 36},
    {"END", 35},     {"PGUP", 33},    {"PGDN", 34},   {"INSERT", 45}, {"DELETE", 46},
    {"LSHIFT", 160}, {"RSHIFT", 161}, {"LCTRL", 162}, {"RCTRL", 163}, {"LALT", 164},
    {"RALT", 165}};

// Frames beyond this would overflow the clock arithmetic; no replay is that long.
constexpr int64_t kMaxFrame = 1'000'000'000'000;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Blank-separated paths, each plain or in double quotes (for blanks and "#" in it); "#" outside
// quotes starts a comment. False on an unclosed quote or an empty path.
bool SplitPaths(const std::string& text, std::vector<std::string>& paths) {
  size_t i = 0;
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size() || text[i] == '#') return true;
    std::string path;
    if (text[i] == '"') {
      const size_t close = text.find('"', i + 1);
      if (close == std::string::npos) return false;
      path = text.substr(i + 1, close - i - 1);
      i = close + 1;
      if (i < text.size() && !IsBlank(text[i])) return false;
    } else {
      while (i < text.size() && !IsBlank(text[i])) path += text[i++];
    }
    if (path.empty()) return false;
    paths.push_back(path);
  }
}

// The file `path` names from the script's folder, or "" when it lies outside that folder: an
// input file may come with a bug report, and must not reach the files of whoever replays it.
// Links are followed as far as they exist, so none leads out either.
std::string InFolder(const std::string& folder, const std::string& path) {
  std::error_code ec;
  const std::filesystem::path root = std::filesystem::canonical(folder, ec);
  if (ec || folder.empty()) return "";
  const std::filesystem::path file =
      std::filesystem::weakly_canonical(std::filesystem::path(folder) / path, ec);
  if (ec) return "";
  auto r = root.begin();
  auto f = file.begin();
  for (; r != root.end(); ++r, ++f) {
    if (f == file.end() || *r != *f) return "";
  }
  return f == file.end() ? "" : file.generic_string();
}

}  // namespace

int ReplayKeyCode(const std::string& text) {
  const std::string name = Upper(text);
  if (name.size() == 1) {
    const char c = name[0];
    // A lone digit is the digit key, as on the keyboard; codes 1 to 9 have names of their own.
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    return -1;
  }
  if (AllDigits(name)) {
    if (name.size() > 3) return -1;
    const int code = std::stoi(name);
    return code >= 1 && code <= 255 ? code : -1;
  }
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' && AllDigits(name.substr(1))) {
    const int n = std::stoi(name.substr(1));
    return n >= 1 && n <= 12 ? 111 + n : -1;
  }
  for (const NamedKey& key : kNamedKeys) {
    if (name == key.name) return key.code;
  }
  return -1;
}

bool ParseReplayScript(const std::string& text, std::vector<ReplayEvent>& events,
                       std::string& error, const std::string& baseFolder) {
  std::vector<ReplayEvent> parsed;
  size_t start = 0;
  int lineNumber = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(lineNumber) + ": " + what + ": " + line;
      return false;
    };

    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') continue;

    size_t j = i;
    while (j < line.size() && !IsBlank(line[j])) ++j;
    const std::string frameText = line.substr(i, j - i);
    if (!AllDigits(frameText)) return fail("frame number expected");
    if (frameText.size() > 13 || std::stoll(frameText) > kMaxFrame) {
      return fail("frame number too large");
    }
    const int64_t frame = std::stoll(frameText);

    i = j;
    while (i < line.size() && IsBlank(line[i])) ++i;
    j = i;
    while (j < line.size() && !IsBlank(line[j])) ++j;
    const std::string command = line.substr(i, j - i);

    if (command == "type") {
      // The text is everything after one blank, "#" and blanks included.
      if (j == line.size()) return fail("text expected after type");
      ReplayEvent event;
      event.frame = frame;
      event.kind = ReplayEvent::Kind::Type;
      event.text = line.substr(j + 1);
      parsed.push_back(event);
      continue;
    }
    if (command == "unfocus" || command == "focus") {
      size_t k = j;
      while (k < line.size() && IsBlank(line[k])) ++k;
      if (k < line.size() && line[k] != '#') return fail("nothing expected after " + command);
      ReplayEvent event;
      event.frame = frame;
      event.kind =
          command == "focus" ? ReplayEvent::Kind::FocusGained : ReplayEvent::Kind::FocusLost;
      parsed.push_back(event);
      continue;
    }
    if (command == "copy") {
      std::vector<std::string> paths;
      if (!SplitPaths(line.substr(j), paths) || paths.size() != 2) {
        return fail("two paths expected after copy");
      }
      ReplayEvent event;
      event.frame = frame;
      event.kind = ReplayEvent::Kind::Copy;
      event.text = InFolder(baseFolder, paths[0]);
      event.target = InFolder(baseFolder, paths[1]);
      if (event.text.empty() || event.target.empty()) {
        return fail("copy names files in the input file's folder only");
      }
      parsed.push_back(event);
      continue;
    }
    if (command != "down" && command != "up" && command != "tap") {
      return fail(command.empty() ? "command expected" : "unknown command '" + command + "'");
    }

    std::string rest = line.substr(j);
    const size_t hash = rest.find('#');
    if (hash != std::string::npos) rest.erase(hash);
    size_t k = 0;
    while (k < rest.size() && IsBlank(rest[k])) ++k;
    size_t m = k;
    while (m < rest.size() && !IsBlank(rest[m])) ++m;
    const std::string keyText = rest.substr(k, m - k);
    while (m < rest.size() && IsBlank(rest[m])) ++m;
    if (keyText.empty()) return fail("key expected");
    if (m != rest.size()) return fail("one key expected");
    const int key = ReplayKeyCode(keyText);
    if (key < 0) return fail("unknown key '" + keyText + "'");

    ReplayEvent event;
    event.frame = frame;
    event.key = key;
    event.kind = command == "up" ? ReplayEvent::Kind::Up : ReplayEvent::Kind::Down;
    parsed.push_back(event);
    if (command == "tap") {
      event.frame = frame + 1;
      event.kind = ReplayEvent::Kind::Up;
      parsed.push_back(event);
    }
  }
  std::stable_sort(parsed.begin(), parsed.end(),
                   [](const ReplayEvent& a, const ReplayEvent& b) { return a.frame < b.frame; });
  events = std::move(parsed);
  error.clear();
  return true;
}

}  // namespace hopwerk
