#include "try/TryLevel.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <sstream>

#include "VxrTool.h"
#include "schema/EntryText.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMapsArchive = "Maps.vxr";
// Deeper than any level folder; a loop of links ends here.
constexpr int kMaxFolderDepth = 16;

bool EndsWithText(const std::string& name) {
  const std::string ext = kEntryTextExtension;
  return name.size() > ext.size() &&
         VxrUpper(name.substr(name.size() - ext.size())) == VxrUpper(ext);
}

TiledMessage Error(const std::string& file, const std::string& text) {
  TiledMessage m;
  m.kind = TiledMessageKind::Error;
  m.file = file;
  m.text = text;
  return m;
}

bool HasEntry(const std::vector<VxrWriteEntry>& entries, const std::string& name) {
  const std::string upper = VxrUpper(name);
  return std::any_of(entries.begin(), entries.end(),
                     [&](const VxrWriteEntry& e) { return VxrUpper(e.name) == upper; });
}

// Editors leave swap and backup files beside what they edit; they are no part of the level.
bool IsEditorLeftover(const std::string& name) {
  return name.empty() || name[0] == '.' || name.back() == '~';
}

// Every file under folder, relative with "/", sorted; its folders go to `folders`.
void ListLevelFolder(const fs::path& folder, const std::string& prefix, int depth,
                     std::vector<std::string>& files, std::vector<std::string>& folders) {
  folders.push_back(folder.generic_string());
  if (depth > kMaxFolderDepth) return;
  std::vector<fs::directory_entry> children;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    children.push_back(*it);
  }
  std::sort(children.begin(), children.end());
  for (const fs::directory_entry& child : children) {
    const std::string name = child.path().filename().string();
    if (IsEditorLeftover(name)) continue;
    if (child.is_directory(ec)) {
      ListLevelFolder(child.path(), prefix + name + "/", depth + 1, files, folders);
    } else if (child.is_regular_file(ec)) {
      files.push_back(prefix + name);
    }
  }
}

void BuildFromFolder(const TryTarget& target, TryLevel& out) {
  const fs::path root(target.path);
  std::vector<std::string> files;
  ListLevelFolder(root, "", 0, files, out.sources);
  for (const std::string& relative : files) {
    const std::string file = (root / relative).generic_string();
    out.sources.push_back(file);
    VxrWriteEntry entry;
    std::string problem;
    try {
      const std::vector<uint8_t> raw = ReadWholeFile(file);
      if (!CompileLevelFile(target.level, relative, std::string(raw.begin(), raw.end()), entry,
                            problem)) {
        out.messages.push_back(Error(file, problem));
        continue;
      }
    } catch (const ToolError& e) {
      out.messages.push_back(Error(file, e.message));
      continue;
    }
    out.entries.push_back(std::move(entry));
  }
  // The engine cannot load a level without these two; better said now than as an archive error
  // once the game is running.
  for (const char* needed : {"General", "Objects"}) {
    if (!HasEntry(out.entries, target.level + "/" + needed)) {
      out.messages.push_back(Error(target.path, std::string("not a level folder: it has no ") +
                                                    needed + kEntryTextExtension));
    }
  }
}

void BuildFromMap(const TryTarget& target, const std::string& playerType, TryLevel& out) {
  TiledImportOptions options;
  if (!playerType.empty()) options.playerType = playerType;
  TiledImportResult result = ImportTiledFile(target.path, target.level, options);
  out.messages = std::move(result.messages);
  if (result.HasErrors() || !result.level) return;
  ImportedLevel& level = *result.level;
  for (const auto& [relative, text] : level.files) {
    VxrWriteEntry entry;
    std::string problem;
    if (!CompileLevelFile(target.level, relative, text, entry, problem)) {
      out.messages.push_back(Error(target.path, relative + ": " + problem));
      continue;
    }
    out.entries.push_back(std::move(entry));
  }
  out.pictures = std::move(level.pictures);
  out.sources = std::move(level.sources);
  out.sources.push_back(target.path);
}

}  // namespace

bool CompileLevelFile(const std::string& level, const std::string& relative,
                      const std::string& text, VxrWriteEntry& entry, std::string& problem) {
  entry = VxrWriteEntry{};
  const bool readable = EndsWithText(relative);
  entry.name =
      level + "/" +
      (readable ? relative.substr(0, relative.size() - std::string(kEntryTextExtension).size())
                : relative);
  if (entry.name.size() > 255) {
    problem = "the entry name " + entry.name + " is longer than 255 bytes";
    return false;
  }
  if (!readable) {
    entry.data.assign(text.begin(), text.end());
    return true;
  }
  const EntryFormat* format = FindEntryFormat(entry.name, kMapsArchive);
  if (!format) {
    problem = "no readable form is known for entry " + ShowName(entry.name) + " in " + kMapsArchive;
    return false;
  }
  EntryTextError error;
  if (!EntryTextToBytes(*format, text, entry.data, error)) {
    problem = "line " + std::to_string(error.line) + ": " + error.message;
    return false;
  }
  return true;
}

TryLevel BuildTryLevel(const TryTarget& target, const std::string& playerType) {
  TryLevel out;
  // Whatever a damaged file makes the readers throw is one more error of the level, never the
  // end of a game in progress.
  try {
    if (target.kind == TryKind::Map) {
      BuildFromMap(target, playerType, out);
    } else if (target.kind == TryKind::LevelFolder) {
      BuildFromFolder(target, out);
    }
  } catch (const ToolError& e) {
    out.messages.push_back(Error(target.path, e.message));
  } catch (const std::exception& e) {
    out.messages.push_back(Error(target.path, e.what()));
  }
  out.ok = std::none_of(out.messages.begin(), out.messages.end(),
                        [](const TiledMessage& m) { return m.kind == TiledMessageKind::Error; });
  if (!out.ok) {
    out.entries.clear();
    out.pictures.reset();
    out.sources.clear();
  }
  return out;
}

std::string ProjectPlayerType(const std::string& actorsArchive) {
  try {
    const ToolArchive archive = LoadToolArchive(actorsArchive);
    const std::string archiveName = ArchiveFileName(actorsArchive);
    for (size_t i = 0; i < archive.directory.records.size(); ++i) {
      const VxrRecord& record = archive.directory.records[i];
      if (record.name.empty() || VxrUpper(record.name) == "ID") continue;
      const EntryFormat* format = FindEntryFormat(record.name, archiveName);
      std::string text, reason;
      if (!format || !EntryBytesToText(*format, ReadRecordBytes(archive, i), text, reason)) {
        continue;
      }
      // A field may be given more than once; the last value is the one the engine keeps.
      std::string control;
      std::istringstream lines(text);
      for (std::string line; std::getline(lines, line);) {
        line.erase(0, line.find_first_not_of(" \t"));
        if (line.rfind("Control = ", 0) == 0) control = line.substr(10);
      }
      if (control == "1") return record.name;
    }
  } catch (const ToolError&) {
    // No readable archive, no player kind to name: the importer's default stands.
  }
  return "";
}

}  // namespace hopwerk
