#include "PlayerActor.h"

#include <algorithm>
#include <filesystem>

#include "VxrTool.h"
#include "schema/EntryText.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

// Whether an actor definition's readable form says it is the player.
bool IsPlayer(const std::string& text) {
  size_t at = 0;
  while ((at = text.find("Control = ", at)) != std::string::npos) {
    const bool lineStart = at == 0 || text[at - 1] == '\n' || text[at - 1] == ' ';
    at += 10;
    if (lineStart && text.compare(at, 1, "1") == 0 &&
        (at + 1 == text.size() || text[at + 1] == '\n' || text[at + 1] == '\r')) {
      return true;
    }
  }
  return false;
}

std::string FromArchive(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return "";
  try {
    const ToolArchive archive = LoadToolArchive(path.string());
    for (size_t i = 0; i < archive.directory.records.size(); ++i) {
      const std::string& name = archive.directory.records[i].name;
      if (name.empty() || VxrUpper(name) == "ID") continue;
      std::string text, note;
      if (ReadableForm(name, "Actors.vxr", ReadRecordBytes(archive, i), text, note) &&
          IsPlayer(text)) {
        return name;
      }
    }
  } catch (const ToolError&) {
  }
  return "";
}

std::string FromSources(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return "";
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    if (e.path().extension() == kEntryTextExtension) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const std::string name = file.stem().string();
    if (VxrUpper(name) == "ID" || fs::file_size(file, ec) > (1u << 20)) continue;
    const std::vector<uint8_t> raw = ReadWholeFile(file.string());
    if (IsPlayer(std::string(raw.begin(), raw.end()))) return name;
  }
  return "";
}

}  // namespace

std::string FindPlayerActor(const std::string& projectFolder) {
  const fs::path project(projectFolder);
  std::string found = FromArchive(project / "VXR" / "Actors.vxr");
  if (found.empty()) found = FromSources(project / "Actors");
  return found;
}

}  // namespace hopwerk
