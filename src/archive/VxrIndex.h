// The directory of an archive read once and indexed by name, so that opening an entry does not
// list the whole directory again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "archive/VxrFile.h"
#include "archive/VxrWatch.h"

namespace hopwerk {

struct VxrRecord {
  std::string name;
  int32_t meth = 0;
  int32_t size = 0;
  int32_t offset = 0;
};

inline constexpr char kVxrMagic[5] = {'V', 'X', 'R', '4', 0x1A};
inline constexpr int64_t kVxrHeaderSize = 13;
// The most entries an archive may list. A record on disk takes 10 bytes, its index some 100:
// records beyond this count are read no more than records beyond the file's end, rather than
// costing gigabytes. Far above any real project's archive.
inline constexpr int32_t kMaxVxrFiles = 1 << 17;

struct VxrDirectory {
  bool isVxr = false;  // the magic matched
  bool headerComplete = false;
  int32_t files = 0;      // as the header says
  int32_t dirOffset = 0;  // as the header says
  // The records that lie wholly inside the file, in directory order. With stopAtEmptyName the
  // list ends with the first record whose name is empty (kept: it is the one a search ends on).
  std::vector<VxrRecord> records;
  // Files promised more records than the file holds (the last one ran past the end, or the
  // directory starts outside the file).
  bool truncated = false;
  bool endedAtEmptyName = false;
  int64_t directoryEnd = 0;  // file position after the last record read
};

// Reads the header and the directory. Never reads past the file's end and never reserves
// more records than the remaining bytes could hold, whatever the header claims.
VxrDirectory ReadVxrDirectory(const std::shared_ptr<VxrFile>& file, bool stopAtEmptyName);

// ASCII a-z to A-Z, nothing else: how entry names are compared.
std::string VxrUpper(const std::string& name);

// Upper-cased names, looked up without making a string of the name asked for.
struct VxrNameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
};
using VxrNameMap = std::unordered_map<std::string, size_t, VxrNameHash, std::equal_to<>>;

struct VxrIndex {
  std::shared_ptr<VxrFile> file;
  VxrDirectory directory;
  // Upper-cased name -> position in directory.records of its first record.
  VxrNameMap firstByName;
  // When watched, a change of the file is reported and it is not stat-checked on each use.
  VxrWatchSet watches;
  // The first record whose name equals name but for ASCII letter case, or null.
  const VxrRecord* Find(std::string_view name) const;
};

enum class VxrProbe { Missing, NotVxr, Found };

struct VxrModule;
// The index of the archive at path, built on first use and again whenever the file at path is
// another one or another version, so that a file that was removed, replaced or changed since
// the last call is noticed at once, as a fresh listing would notice it. Where change
// notification is had (VxrWatch.h), a call on a watched archive costs one read of the
// notification queue; otherwise one stat of path, compared with the cached VxrFileStamp. Missing
// files and files that are not archives are not remembered, so they are looked at again on the next
// call. Null unless the result is Found.
const VxrIndex* FindVxrIndex(VxrModule& vxr, const std::string& path, VxrProbe& probe);

}  // namespace hopwerk
