#include <filesystem>
#include <iostream>

#include "ExtractIndex.h"
#include "VxrTool.h"
#include "files/FileWriter.h"
#include "schema/EntryText.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

// Creates the folders of rel under root and returns the file's path, refusing to go through a
// symbolic link left in the folder, so nothing is ever written outside root.
fs::path PathUnder(const fs::path& root, const std::string& rel) {
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
  return at;
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
  // Every record is checked before the first file is written. The data is then read one entry
  // at a time: records may share or overlap their data, so holding them all could take many
  // times the archive's size.
  for (size_t i = 0; i < records.size(); ++i) CheckRecordBounds(archive, i);

  const fs::path root(folder);
  std::error_code ec;
  fs::create_directories(root, ec);
  if (!fs::is_directory(root, ec)) throw ToolError{folder + ": cannot create the folder"};

  PathPlanner planner;
  planner.Claim(kIndexFileName);
  IndexFile index;
  index.archive = ArchiveFileName(archivePath);
  std::vector<uint8_t> buffer;
  for (size_t i = 0; i < records.size(); ++i) {
    const VxrRecord& r = records[i];
    IndexLine line;
    line.meth = r.meth;
    line.name = r.name;
    // Only an entry with a readable form is needed whole; any other is copied through buffer.
    const bool whole = FindEntryFormat(r.name, index.archive) != nullptr;
    std::vector<uint8_t> bytes;
    if (whole) {
      bytes = ReadRecordBytes(archive, i);
      std::string text, note;
      if (ReadableForm(r.name, index.archive, bytes, text, note)) {
        line.text = true;
        bytes.assign(text.begin(), text.end());
      } else if (!note.empty()) {
        std::cout << ShowName(r.name) << ": " << note << "\n";
      }
    }
    const std::string extension = line.text ? kEntryTextExtension : "";
    const std::string safe = SafeRelativePath(r.name);
    line.file = safe.empty() ? "" : safe + extension;
    if (line.file.empty() || !planner.Claim(line.file)) {
      line.file = std::string(kOtherFolder) + "/" + std::to_string(i + 1) + extension;
      planner.Claim(line.file);
    }
    const std::string path = PathUnder(root, line.file).string();
    auto out = FileWriter::Create(path);
    const bool written = out &&
                         (whole ? out->Write(bytes.data(), bytes.size())
                                : CopyRecordBytes(archive, i, *out, buffer)) &&
                         out->Commit();
    if (!written) throw ToolError{path + ": cannot write"};
    std::cout << ShowName(r.name) << " -> " << line.file << (line.text ? " (readable form)" : "")
              << "\n";
    index.lines.push_back(std::move(line));
  }
  const std::string indexText = FormatIndex(index);
  WriteWholeFile(PathUnder(root, kIndexFileName).string(),
                 std::vector<uint8_t>(indexText.begin(), indexText.end()));
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
