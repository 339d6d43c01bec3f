#include "archive/VxrIndex.h"

#include <algorithm>
#include <cstring>

#include "archive/Vxr.h"

namespace hopwerk {

namespace {

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string VxrUpper(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

const VxrRecord* VxrIndex::Find(std::string_view name) const {
  // Records hold at most 255 bytes of name; anything longer is in no directory.
  char upper[255] = {};
  if (name.size() > sizeof upper) return nullptr;
  for (size_t i = 0; i < name.size(); ++i) upper[i] = UpperAscii(name[i]);
  const auto match = firstByName.find(std::string_view(upper, name.size()));
  return match == firstByName.end() ? nullptr : &directory.records[match->second];
}

VxrDirectory ReadVxrDirectory(const std::shared_ptr<VxrFile>& file, bool stopAtEmptyName) {
  VxrDirectory dir;
  const int64_t fileSize = file->Size();
  uint8_t header[kVxrHeaderSize] = {};
  const size_t got = file->ReadAt(0, header, sizeof header);
  if (got < sizeof kVxrMagic || std::memcmp(header, kVxrMagic, sizeof kVxrMagic) != 0) return dir;
  dir.isVxr = true;
  auto int32At = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(header[at + i]) << (8 * i);
    return static_cast<int32_t>(v);
  };
  dir.headerComplete = got == sizeof header;
  dir.files = int32At(5);
  dir.dirOffset = int32At(9);
  dir.directoryEnd = dir.dirOffset;
  if (dir.files <= 0) return dir;
  if (!dir.headerComplete || dir.dirOffset < 0 || dir.dirOffset >= fileSize) {
    dir.truncated = true;
    return dir;
  }
  // A record takes at least 10 bytes: a huge Files cannot make us reserve more than the file holds.
  const int64_t room = (fileSize - dir.dirOffset) / 10 + 1;
  dir.records.reserve(static_cast<size_t>(std::min<int64_t>(dir.files, room)));
  VxrCursor cursor(file, dir.dirOffset);
  for (int32_t i = 0; i < dir.files; ++i) {
    const int64_t start = cursor.Position();
    // Records past the most an archive may list are treated like records past the file's end.
    if (fileSize - start < 10 || i >= kMaxVxrFiles) {
      dir.truncated = true;
      break;
    }
    const int length = cursor.ReadByte();
    if (fileSize - start < 10 + length) {
      dir.truncated = true;
      break;
    }
    VxrRecord record;
    record.name = cursor.ReadString(length);
    record.meth = cursor.ReadByte();
    record.size = cursor.ReadInt();
    record.offset = cursor.ReadInt();
    dir.directoryEnd = cursor.Position();
    const bool empty = record.name.empty();
    dir.records.push_back(std::move(record));
    if (empty && stopAtEmptyName) {
      dir.endedAtEmptyName = true;
      break;
    }
  }
  return dir;
}

namespace {

// Forgets the cached archives whose files, or folders on the way to them, changed.
void DropChangedArchives(VxrModule& vxr) {
  if (!vxr.watcher || vxr.watcher->Empty()) return;
  vxr.changedArchives.clear();
  vxr.watcher->Drain(vxr.changedArchives);
  for (const std::string& path : vxr.changedArchives) vxr.indexes.erase(path);
}

}  // namespace

const VxrIndex* FindVxrIndex(VxrModule& vxr, const std::string& path, VxrProbe& probe) {
  DropChangedArchives(vxr);
  auto known = vxr.indexes.find(path);
  if (known != vxr.indexes.end() && known->second->watches.Watched()) {
    probe = VxrProbe::Found;
    return known->second.get();
  }
  VxrFileStamp stamp;
  if (!StampVxrFile(path, stamp)) {
    if (known != vxr.indexes.end()) vxr.indexes.erase(known);
    probe = VxrProbe::Missing;
    return nullptr;
  }
  if (known != vxr.indexes.end() && known->second->file->Stamp() == stamp) {
    probe = VxrProbe::Found;
    return known->second.get();
  }
  if (known != vxr.indexes.end()) vxr.indexes.erase(known);
  if (!vxr.watcherTried) {
    vxr.watcherTried = true;
    vxr.watcher = VxrWatcher::Create();
  }
  // Watched before it is opened, so that any change from here on is reported.
  auto index = std::make_shared<VxrIndex>();
  if (vxr.watcher) vxr.watcher->Watch(path, index->watches);
  auto file = VxrFile::Open(path);
  if (!file) {
    probe = VxrProbe::Missing;
    return nullptr;
  }
  index->file = file;
  index->directory = ReadVxrDirectory(file, true);
  if (!index->directory.isVxr) {
    probe = VxrProbe::NotVxr;
    return nullptr;
  }
  const auto& records = index->directory.records;
  index->firstByName.reserve(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].name.empty()) break;
    index->firstByName.emplace(VxrUpper(records[i].name), i);  // keeps the first of duplicates
  }
  probe = VxrProbe::Found;
  const VxrIndex* result = index.get();
  vxr.indexes[path] = std::move(index);
  return result;
}

}  // namespace hopwerk
