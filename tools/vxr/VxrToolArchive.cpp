#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "VxrTool.h"
#include "files/FileWriter.h"
#include "schema/EntryText.h"

namespace hopwerk {

ToolArchive LoadToolArchive(const std::string& path) {
  ToolArchive archive;
  archive.path = path;
  archive.file = VxrFile::Open(path);
  if (!archive.file) throw ToolError{path + ": cannot open (missing, unreadable or not a file)"};
  archive.directory = ReadVxrDirectory(archive.file, false);
  const VxrDirectory& dir = archive.directory;
  if (!dir.isVxr)
    throw ToolError{path + ": not a VXR4 archive (the file does not start with VXR4 and 0x1A)"};
  if (!dir.headerComplete) throw ToolError{path + ": truncated archive header"};
  if (dir.files < 0) {
    throw ToolError{path + ": damaged header: record count " + std::to_string(dir.files)};
  }
  if (dir.truncated) {
    throw ToolError{path + ": damaged directory: the header promises " + std::to_string(dir.files) +
                    " records at offset " + std::to_string(dir.dirOffset) + ", but only " +
                    std::to_string(dir.records.size()) + " fit in the file (" +
                    std::to_string(archive.file->Size()) + " bytes)"};
  }
  return archive;
}

void CheckRecordBounds(const ToolArchive& archive, size_t recordIndex) {
  const VxrRecord& r = archive.directory.records.at(recordIndex);
  if (r.offset < 0 || r.size < 0 ||
      static_cast<int64_t>(r.offset) + r.size > archive.file->Size()) {
    throw ToolError{archive.path + ": damaged record " + std::to_string(recordIndex + 1) + " " +
                    ShowName(r.name) + ": its data (offset " + std::to_string(r.offset) +
                    ", size " + std::to_string(r.size) + ") lies outside the file (" +
                    std::to_string(archive.file->Size()) + " bytes)"};
  }
}

std::vector<uint8_t> ReadRecordBytes(const ToolArchive& archive, size_t recordIndex) {
  CheckRecordBounds(archive, recordIndex);
  const VxrRecord& r = archive.directory.records[recordIndex];
  std::vector<uint8_t> bytes(static_cast<size_t>(r.size));
  if (archive.file->ReadAt(r.offset, bytes.data(), bytes.size()) != bytes.size()) {
    throw ToolError{archive.path + ": cannot read the data of " + ShowName(r.name)};
  }
  return bytes;
}

bool CopyRecordBytes(const ToolArchive& archive, size_t recordIndex, FileWriter& out,
                     std::vector<uint8_t>& buffer) {
  CheckRecordBounds(archive, recordIndex);
  const VxrRecord& r = archive.directory.records[recordIndex];
  if (buffer.empty()) buffer.resize(kVxrReadBufferSize);
  int64_t at = r.offset;
  int64_t left = r.size;
  while (left > 0) {
    const size_t count = static_cast<size_t>(std::min<int64_t>(left, buffer.size()));
    if (archive.file->ReadAt(at, buffer.data(), count) != count) {
      throw ToolError{archive.path + ": cannot read the data of " + ShowName(r.name)};
    }
    if (!out.Write(buffer.data(), count)) return false;
    at += static_cast<int64_t>(count);
    left -= static_cast<int64_t>(count);
  }
  return true;
}

std::string ShowName(const std::string& name) {
  bool plain = !name.empty();
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x20 || c >= 0x7F || c == '"') plain = false;
  }
  return plain ? name : QuoteEntryText(name);
}

std::string ArchiveFileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

bool ReadableForm(const std::string& entryName, const std::string& archiveName,
                  const std::vector<uint8_t>& bytes, std::string& text, std::string& note) {
  text.clear();
  note.clear();
  const EntryFormat* format = FindEntryFormat(entryName, archiveName);
  if (!format) return false;
  std::string reason;
  std::vector<uint8_t> again;
  EntryTextError error;
  if (!EntryBytesToText(*format, bytes, text, reason)) {
    note = "kept raw (" + reason + ")";
  } else if (!EntryTextToBytes(*format, text, again, error) || again != bytes) {
    note = "kept raw (its readable form does not round-trip)";
  }
  if (note.empty()) return true;
  text.clear();
  return false;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError{path + ": cannot read"};
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) throw ToolError{path + ": cannot read"};
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (!WriteFileAtomically(path, bytes.data(), bytes.size())) {
    throw ToolError{path + ": cannot write"};
  }
}

}  // namespace hopwerk
