#include "platform/XdgFolders.h"

#include <sstream>

namespace hopwerk {

namespace {

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

// The value of a quoted assignment; backslash escapes the next character. Returns false when the
// value is not one double-quoted string (followed at most by a comment).
bool UnquoteValue(const std::string& raw, std::string& value) {
  if (raw.empty() || raw[0] != '"') return false;
  value.clear();
  size_t i = 1;
  for (; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '\\') {
      if (i + 1 >= raw.size()) return false;
      value += raw[++i];
    } else if (c == '"') {
      break;
    } else {
      value += c;
    }
  }
  if (i >= raw.size()) return false;  // no closing quote
  const std::string rest = Trim(raw.substr(i + 1));
  return rest.empty() || rest[0] == '#';
}

// home + rest (rest starting with "/"), without doubling the root's separator.
std::string UnderHome(const std::string& home, const std::string& rest) {
  std::string base = WithoutTrailingSlash(home);
  if (base == "/") base.clear();
  return WithoutTrailingSlash(base + rest);
}

}  // namespace

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string XdgDataFolder(const char* xdgDataHome, const std::string& home) {
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return WithoutTrailingSlash(xdgDataHome);
  return UnderHome(home, "/.local/share");
}

std::string XdgConfigFolder(const char* xdgConfigHome, const std::string& home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    return WithoutTrailingSlash(xdgConfigHome);
  }
  return UnderHome(home, "/.config");
}

std::string ParseXdgUserDir(const std::string& userDirsText, const std::string& key,
                            const std::string& home) {
  std::istringstream lines(userDirsText);
  std::string line;
  std::string found;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line.compare(0, key.size(), key) != 0) continue;
    std::string rest = Trim(line.substr(key.size()));
    if (rest.empty() || rest[0] != '=') continue;
    std::string value;
    if (!UnquoteValue(Trim(rest.substr(1)), value)) continue;
    const std::string homeVar = "$HOME";
    if (value.compare(0, homeVar.size(), homeVar) == 0 &&
        (value.size() == homeVar.size() || value[homeVar.size()] == '/')) {
      found = UnderHome(home, value.substr(homeVar.size()));
      if (found.empty()) found = "/";
    } else if (!value.empty() && value[0] == '/') {
      found = WithoutTrailingSlash(value);
    }
  }
  return found;
}

std::string XdgDocumentsFolder(const std::string& userDirsText, const std::string& home) {
  const std::string fromFile = ParseXdgDocumentsDir(userDirsText, home);
  if (!fromFile.empty()) return fromFile;
  return UnderHome(home, "/Documents");
}

std::string XdgPicturesFolder(const std::string& userDirsText, const std::string& home) {
  const std::string fromFile = ParseXdgUserDir(userDirsText, "XDG_PICTURES_DIR", home);
  if (!fromFile.empty()) return fromFile;
  return UnderHome(home, "/Pictures");
}

}  // namespace hopwerk
