// Reader for VXR4 archives. Knows nothing of the engine: trace lines and errors go to the
// host given in VxrModule, which decides what an error does (the engine ends the program).
//
// Choices where the archive's rules leave room, and where they were made safe:
// - The method a stream descrambles with is its own (VXRStream::Meth, fixed at open); listing
//   or opening other entries afterwards does not change how an open stream decodes.
// - Reads past an entry's end go on into the archive's following bytes (loaders notice the
//   damage through VXR_EOF); bytes past the end of the archive file, or before its start (a
//   negative Offset), read as 0. A negative Size makes an entry that is at its end at once.
// - VXR_Seek to a negative position is refused with "Offset value too low!", like a position
//   at or past the end; the stream is left as it was.
// - A file that is not an archive leaves no listing open (the error is raised, then the
//   listing is closed), so nothing is ever read from a stale directory.
// - VXR_ReadLine and VXR_ReadString on a closed stream raise one "VXR_Read" error and return
//   an empty string instead of looping. Inside an entry, VXR_ReadLine never takes bytes from
//   outside the archive file: it steps over those before the file's start and takes the part
//   past the file's end as the entry's end, so a damaged Size or Offset cannot build a line of
//   gigabytes of zeros nor make a line loop run once per byte of a 2 GiB entry.
// - VXR_ReadLine hands back at most kMaxVxrLineBytes characters: a longer line comes in pieces,
//   so an entry of hundreds of megabytes without a line feed cannot become one string.
// - A hostile directory (huge or negative Files, DirOffset outside the file, a record running
//   off the end) is read as far as whole records lie inside the file and no further.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "archive/VxrFile.h"
#include "archive/VxrIndex.h"
#include "archive/VxrWatch.h"

namespace hopwerk {

// What the reader needs from whoever hosts it.
class VxrHost {
 public:
  virtual ~VxrHost() = default;
  virtual void Trace(const std::string& line) = 0;
  virtual std::string WorkingFolder() = 0;
  // Called after the "VXR_Error: " trace line when errors are shown / end the program.
  virtual void ShowError(const std::string& noticeText) = 0;  // "VXR Error:\n" + message
  [[noreturn]] virtual void EndOnError() = 0;
};

// Far above any line of text a project shows.
inline constexpr size_t kMaxVxrLineBytes = 64 * 1024;

struct VXRStream {
  std::unique_ptr<VxrCursor> BT;  // null once closed
  int32_t Pos = 0;
  int32_t Size = 0;
  int32_t Offset = 0;
  int32_t Key = 0;
  std::string Pass;
  int32_t Endian = 0;
  int32_t Meth = 0;  // the entry's own storage method, fixed when it was opened
};
using VXRStreamPtr = std::unique_ptr<VXRStream>;

struct VxrModule {
  VxrHost* host = nullptr;
  // The listing (one at a time).
  std::unique_ptr<VxrCursor> DirStream;
  int32_t DirFiles = 0;
  int32_t DirRead = 0;
  std::string EntryName;
  int32_t EntryMeth = 0;
  int32_t EntrySize = 0;
  int32_t EntryOffset = 0;
  bool VXRShowErrors = true;
  bool VXREndOnError = true;
  bool VXRTrace = false;
  std::string VXRDefaultPass;
  // Directory index per archive path, built on first use; missing files are not cached.
  std::unordered_map<std::string, std::shared_ptr<VxrIndex>> indexes;
  // Tells which cached archives changed (see VxrWatch.h); null until the first archive is
  // indexed, and for good when notification cannot be had.
  std::shared_ptr<VxrWatcher> watcher;
  bool watcherTried = false;
  std::vector<std::string> changedArchives;  // scratch, kept for its capacity
};

void VXR_ReadDir(VxrModule& vxr, const std::string& path);
std::string VXR_NextFile(VxrModule& vxr);
void VXR_CloseDir(VxrModule& vxr);
int VXR_HasEntry(VxrModule& vxr, const std::string& archive, const std::string& entry);
VXRStreamPtr VXR_Open(VxrModule& vxr, const std::string& archive, const std::string& entry,
                      const std::string& pass = "", int endian = 0);
int VXR_Read(VxrModule& vxr, VXRStream* stream);
int32_t VXR_ReadInt(VxrModule& vxr, VXRStream* stream, int endianCode = -1);
std::string VXR_ReadString(VxrModule& vxr, VXRStream* stream, int count = 0);
std::string VXR_ReadLine(VxrModule& vxr, VXRStream* stream);
int VXR_EOF(VxrModule& vxr, VXRStream* stream);
void VXR_Seek(VxrModule& vxr, VXRStream* stream, int32_t pos);
void VXR_Close(VxrModule& vxr, VXRStream* stream);
void VXR_Error(VxrModule& vxr, const std::string& message);

// Writing archives (tools and tests only; the engine never writes archives). The layout is
// the header, the entries' bytes in the given order, then the directory; names of more than
// 255 bytes, a Meth outside 0..255, more than kMaxVxrFiles entries or an archive beyond 2 GiB
// throw std::length_error.
struct VxrWriteEntry {
  std::string name;
  std::vector<uint8_t> data;  // as stored
  int32_t meth = 0;
};
std::vector<uint8_t> BuildVxrArchive(const std::vector<VxrWriteEntry>& entries);
// Writes through the safe FileWriter (a fresh temporary file renamed into place). False (old
// file untouched) on failure.
bool WriteVxrArchive(const std::string& path, const std::vector<VxrWriteEntry>& entries);
// Scrambles plain bytes for a method 1 or 2 entry with a password (for tools and tests).
std::vector<uint8_t> ScrambleVxrBytes(const std::vector<uint8_t>& plain, int32_t meth,
                                      const std::string& pass);

}  // namespace hopwerk
