// The vxr archive tool: shared pieces of its commands.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/VxrFile.h"
#include "archive/VxrIndex.h"

namespace hopwerk {

class FileWriter;

// Ends a command with a message on stderr and an exit status (1: bad input, 2: bad usage).
struct ToolError {
  std::string message;
  int status = 1;
};

struct ToolArchive {
  std::string path;
  std::shared_ptr<VxrFile> file;
  VxrDirectory directory;  // every record, empty names included
};

// Reads an archive's whole directory; a damaged header or directory is a ToolError.
ToolArchive LoadToolArchive(const std::string& path);
// A record whose data lies outside the file is a ToolError.
void CheckRecordBounds(const ToolArchive& archive, size_t recordIndex);
// The stored bytes of a record; data lying outside the file is a ToolError.
std::vector<uint8_t> ReadRecordBytes(const ToolArchive& archive, size_t recordIndex);
// Copies the stored bytes of a record to out through buffer (reused from call to call), so a
// record of any size takes no more memory than the buffer. False when out failed.
bool CopyRecordBytes(const ToolArchive& archive, size_t recordIndex, FileWriter& out,
                     std::vector<uint8_t>& buffer);
// A name as it can be shown on one line: as is when plain, else quoted with escapes.
std::string ShowName(const std::string& name);
// The file name of an archive path, without folders: what decides the readable forms.
std::string ArchiveFileName(const std::string& path);
// The readable form of an entry when it has one and the bytes survive the trip through it
// unchanged; otherwise false, and note says why when a form exists but the bytes do not fit it.
bool ReadableForm(const std::string& entryName, const std::string& archiveName,
                  const std::vector<uint8_t>& bytes, std::string& text, std::string& note);
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Through the safe FileWriter; failure is a ToolError.
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

int ListCommand(const std::string& archive);
int ExtractCommand(const std::string& archive, const std::string& folder);
int PackCommand(const std::string& folder, const std::string& archive);
int DumpCommand(const std::string& archive, const std::string& entry);
int CompileCommand(const std::string& source, const std::string& output);
struct TiledImportOptions;
// dataFolder empty: Data/ beside the folder that holds levelFolder.
int TiledCommand(const std::string& mapPath, const std::string& levelFolder,
                 const std::string& dataFolder, TiledImportOptions options);

}  // namespace hopwerk
