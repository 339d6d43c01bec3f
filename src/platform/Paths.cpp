#include "platform/Paths.h"

#include <cctype>
#include <vector>

namespace hopwerk {

std::string ToSlashes(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool IsAbsolutePath(const std::string& path) {
  return !path.empty() && path[0] == '/';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (IsAbsolutePath(name) || folder.empty()) return name;
  if (name.empty()) return folder;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string NormalisePathText(const std::string& path) {
  const bool absolute = IsAbsolutePath(path);
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part.empty() || part == ".") {
      // nothing
    } else if (part == "..") {
      if (!parts.empty() && parts.back() != "..") {
        parts.pop_back();
      } else if (!absolute) {
        parts.push_back(part);
      }
    } else {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out = absolute ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += '/';
    out += parts[i];
  }
  if (out.empty()) out = ".";
  return out;
}

namespace {

// ".." itself, and what Windows turns into it by dropping trailing dots and spaces.
bool ClimbsUp(const std::string& part) {
  size_t dots = 0;
  for (const char c : part) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

bool NameStaysInFolder(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return false;
  const std::string path = ToSlashes(name);
  if (IsAbsolutePath(path)) return false;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    return false;
  }
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (ClimbsUp(path.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

DataFilePath JoinDataName(const std::string& folder, const std::string& name) {
  DataFilePath file;
  file.shown = folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
  if (NameStaysInFolder(name)) file.path = file.shown;
  return file;
}

}  // namespace hopwerk
