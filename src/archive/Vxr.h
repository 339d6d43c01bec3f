// Reader for VXR4 archives. Knows nothing of the engine: trace lines and errors go to the
// host given in VxrModule, which decides what an error does (the engine ends the program).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace hopwerk {

class VxrFile;  // a buffered read-only view of one archive file

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

struct VxrRecord {
  std::string name;
  int32_t meth = 0;
  int32_t size = 0;
  int32_t offset = 0;
};

struct VXRStream {
  std::shared_ptr<VxrFile> BT;  // null once closed
  int32_t Pos = 0;
  int32_t Size = 0;
  int32_t Offset = 0;
  int32_t Key = 0;
  std::string Pass;
  int32_t Endian = 0;
  int32_t Meth = 0;  // the entry's own storage method, fixed when it was opened
  int64_t filePos = 0;  // where BT reads next
};
using VXRStreamPtr = std::unique_ptr<VXRStream>;

struct VxrModule {
  VxrHost* host = nullptr;
  // The listing (one at a time).
  std::shared_ptr<VxrFile> DirStream;
  std::string dirPath;
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
  std::unordered_map<std::string, std::shared_ptr<struct VxrIndex>> indexes;
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

// Writing archives (tools and tests only; the engine never writes archives).
struct VxrWriteEntry {
  std::string name;
  std::vector<uint8_t> data;  // as stored
  int32_t meth = 0;
};
std::vector<uint8_t> BuildVxrArchive(const std::vector<VxrWriteEntry>& entries);
bool WriteVxrArchive(const std::string& path, const std::vector<VxrWriteEntry>& entries);
// Scrambles plain bytes for a method 1 or 2 entry with a password (for tools and tests).
std::vector<uint8_t> ScrambleVxrBytes(const std::vector<uint8_t>& plain, int32_t meth,
                                      const std::string& pass);

}  // namespace hopwerk
