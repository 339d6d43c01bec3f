#include <filesystem>
#include <iostream>

#include "ExtractIndex.h"
#include "VxrTool.h"
#include "archive/EntryText.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

// Creates the folders of rel under root and writes the file, refusing to follow a symbolic
// link left in the folder, so nothing is ever written outside root.
void WriteUnder(const fs::path& root, const std::string& rel, const std::vector<uint8_t>& bytes) {
  fs::path at = root;
  const fs::path relPath(rel);
  auto part = relPath.begin();
  for (auto next = std::next(part); next != relPath.end(); ++part, ++next) {
    at /= *part;
    std::error_code ec;
    const auto status = fs::symlink_status(at, ec);
    if (fs::is_symlink(status))
      throw ToolError{at.string() + ": refusing to write through a symbolic link"};
    if (!fs::exists(status)) {
      fs::create_directory(at, ec);
      if (ec) throw ToolError{at.string() + ": cannot create folder: " + ec.message()};
    } else if (!fs::is_directory(status)) {
      throw ToolError{at.string() + ": exists and is not a folder"};
    }
  }
  at /= *part;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(at, ec))) {
    throw ToolError{at.string() + ": refusing to write through a symbolic link"};
  }
  WriteWholeFile(at.string(), bytes);
}

bool CanonicalLayout(const ToolArchive& archive) {
  const VxrDirectory& dir = archive.directory;
  int64_t offset = kVxrHeaderSize;
  for (const auto& r : dir.records) {
    if (r.offset != offset) return false;
    offset += r.size;
  }
  return dir.dirOffset == offset && dir.directoryEnd == archive.file->Size() &&
         static_cast<size_t>(dir.files) == dir.records.size();
}

}  // namespace

int ExtractCommand(const std::string& archivePath, const std::string& folder) {
  const ToolArchive archive = LoadToolArchive(archivePath);
  const auto& records = archive.directory.records;
  // Everything is read and checked before the first file is written.
  std::vector<std::vector<uint8_t>> contents;
  contents.reserve(records.size());
  for (size_t i = 0; i < records.size(); ++i) contents.push_back(ReadRecordBytes(archive, i));

  const fs::path root(folder);
  std::error_code ec;
  fs::create_directories(root, ec);
  if (!fs::is_directory(root, ec)) throw ToolError{folder + ": cannot create the folder"};

  PathPlanner planner;
  planner.Claim(kIndexFileName);
  IndexFile index;
  index.archive = ArchiveFileName(archivePath);
  for (size_t i = 0; i < records.size(); ++i) {
    const VxrRecord& r = records[i];
    IndexLine line;
    line.meth = r.meth;
    line.name = r.name;
    std::vector<uint8_t> bytes = contents[i];
    std::string text, note;
    if (ReadableForm(r.name, index.archive, bytes, text, note)) {
      line.text = true;
      bytes.assign(text.begin(), text.end());
    } else if (!note.empty()) {
      std::cout << ShowName(r.name) << ": " << note << "\n";
    }
    const std::string extension = line.text ? kEntryTextExtension : "";
    const std::string safe = SafeRelativePath(r.name);
    line.file = safe.empty() ? "" : safe + extension;
    if (line.file.empty() || !planner.Claim(line.file)) {
      line.file = std::string(kOtherFolder) + "/" + std::to_string(i + 1) + extension;
      planner.Claim(line.file);
    }
    WriteUnder(root, line.file, bytes);
    std::cout << ShowName(r.name) << " -> " << line.file << (line.text ? " (readable form)" : "")
              << "\n";
    index.lines.push_back(std::move(line));
  }
  const std::string indexText = FormatIndex(index);
  WriteUnder(root, kIndexFileName, std::vector<uint8_t>(indexText.begin(), indexText.end()));
  if (!CanonicalLayout(archive)) {
    std::cout << "note: " << archivePath
              << " is not laid out as vxr pack writes archives (entry data in directory order, "
                 "directory at the end); packing gives the same records and bytes in that "
                 "layout\n";
  }
  std::cout << records.size() << " records extracted to " << folder << "\n";
  return 0;
}

}  // namespace hopwerk
