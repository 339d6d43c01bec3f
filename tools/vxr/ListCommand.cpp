#include <algorithm>
#include <cstdio>
#include <iostream>

#include "VxrTool.h"

namespace hopwerk {

int ListCommand(const std::string& path) {
  ToolArchive archive;
  try {
    archive = LoadToolArchive(path);
  } catch (const ToolError&) {
    // A damaged directory is still worth seeing as far as it goes; the error follows.
    auto file = VxrFile::Open(path);
    if (file) {
      VxrDirectory dir = ReadVxrDirectory(file, false);
      if (dir.isVxr) {
        archive.directory = std::move(dir);
        archive.file = file;
      }
    }
    for (const auto& r : archive.directory.records) {
      std::cout << ShowName(r.name) << "  " << r.meth << "  " << r.size << "  " << r.offset << "\n";
    }
    throw;
  }
  size_t width = 4;
  for (const auto& r : archive.directory.records) {
    width = std::max(width, std::min<size_t>(ShowName(r.name).size(), 48));
  }
  for (const auto& r : archive.directory.records) {
    std::string name = ShowName(r.name);
    if (name.size() < width) name.resize(width, ' ');
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "  %3d  %10d  %10d", static_cast<int>(r.meth),
                  static_cast<int>(r.size), static_cast<int>(r.offset));
    std::cout << name << numbers << "\n";
  }
  return 0;
}

int DumpCommand(const std::string& path, const std::string& entry) {
  const ToolArchive archive = LoadToolArchive(path);
  const std::string wanted = VxrUpper(entry);
  const auto& records = archive.directory.records;
  // The engine's rules: first match, ASCII case-insensitive, an empty name ends the directory.
  for (size_t i = 0; i < records.size() && !records[i].name.empty(); ++i) {
    if (VxrUpper(records[i].name) != wanted) continue;
    std::vector<uint8_t> bytes = ReadRecordBytes(archive, i);
    std::string text, note;
    if (ReadableForm(records[i].name, ArchiveFileName(path), bytes, text, note)) {
      bytes.assign(text.begin(), text.end());
    } else if (!note.empty()) {
      std::cerr << "note: " << ShowName(records[i].name) << ": " << note << "\n";
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
      throw ToolError{"cannot write to standard output"};
    }
    return 0;
  }
  throw ToolError{path + ": no entry " + ShowName(entry)};
}

}  // namespace hopwerk
