#include <algorithm>
#include <climits>

#include "archive/Vxr.h"

namespace hopwerk {

namespace {

void Trace(VxrModule& vxr, const std::string& line) {
  if (vxr.host) vxr.host->Trace(line);
}

// The detailed listing trace, silent unless asked for.
void TraceDetail(VxrModule& vxr, const std::string& line) {
  if (vxr.VXRTrace) Trace(vxr, "VXR: " + line);
}

std::string ReadDirPrefix(const std::string& path) {
  return "VXR_ReadDir(\"" + path + "\"): ";
}

void TraceCouldNotOpen(VxrModule& vxr, const std::string& path) {
  Trace(vxr, ReadDirPrefix(path) + "Couldn't open file | pwd = " +
                 (vxr.host ? vxr.host->WorkingFolder() : std::string()));
}

void TraceHeader(VxrModule& vxr, const std::string& path, int32_t files, int32_t dirOffset) {
  if (!vxr.VXRTrace) return;  // every open passes here: build no text that nobody sees
  TraceDetail(vxr, "ReadDir:   " + path);
  TraceDetail(vxr, "Files:     " + std::to_string(files));
  TraceDetail(vxr, "Offset:    " + std::to_string(dirOffset));
}

void MakeCurrent(VxrModule& vxr, const VxrRecord& record) {
  vxr.EntryName = record.name;
  vxr.EntryMeth = record.meth;
  vxr.EntrySize = record.size;
  vxr.EntryOffset = record.offset;
  if (!vxr.VXRTrace) return;
  TraceDetail(vxr, "VXR_NextFile: File = " + record.name);
  TraceDetail(vxr, "VXR_NextFile: Meth = " + std::to_string(record.meth));
  TraceDetail(vxr, "VXR_NextFile: Size = " + std::to_string(record.size));
  TraceDetail(vxr, "VXR_NextFile: Offs = " + std::to_string(record.offset));
}

bool IsOpen(const VXRStream* stream) {
  return stream != nullptr && stream->BT != nullptr;
}

int32_t KeyAfter(const VXRStream& stream, int32_t pos) {
  if (stream.Pass.empty()) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(pos) % static_cast<int64_t>(stream.Pass.size()));
}

// Moves without any checks; both callers have checked already.
void SeekTo(VXRStream& stream, int32_t pos) {
  stream.BT->Seek(static_cast<int64_t>(stream.Offset) + pos);
  stream.Pos = pos;
  stream.Key = KeyAfter(stream, pos);
}

// A damaged directory can give an entry bytes outside the archive file. They read as zeros, so
// a line over them would never end: a line of gigabytes, or a caller's line loop running once per
// byte up to a Size of 2^31. The bytes before the file's start are stepped over and the entry's
// part past the file's end is taken as its end. True when the entry is now at its end.
bool StepOverBytesOutsideTheFile(VXRStream& stream) {
  const int64_t at = stream.BT->Position();
  if (at >= stream.BT->File()->Size()) {
    SeekTo(stream, stream.Size);
  } else if (at < 0) {
    const int64_t left = static_cast<int64_t>(stream.Size) - stream.Pos;
    SeekTo(stream, stream.Pos + static_cast<int32_t>(std::min<int64_t>(-at, left)));
  }
  return stream.Pos >= stream.Size;
}

}  // namespace

void VXR_Error(VxrModule& vxr, const std::string& message) {
  Trace(vxr, "VXR_Error: " + message);
  if (!vxr.host) return;
  if (vxr.VXRShowErrors) vxr.host->ShowError("VXR Error:\n" + message);
  if (vxr.VXREndOnError) vxr.host->EndOnError();
}

void VXR_ReadDir(VxrModule& vxr, const std::string& path) {
  if (vxr.DirStream) {
    Trace(vxr, ReadDirPrefix(path) + "Closing old VXR_ReadDir session");
    vxr.DirStream.reset();
  }
  auto file = VxrFile::Open(path);
  if (!file) {
    TraceCouldNotOpen(vxr, path);
    return;
  }
  auto cursor = std::make_unique<VxrCursor>(file, 0);
  const std::string magic = cursor->ReadString(5);
  if (magic != std::string(kVxrMagic, sizeof kVxrMagic)) {
    VXR_Error(vxr, ReadDirPrefix(path) + "Requested file is not a VXR file!");
    return;
  }
  const int32_t files = cursor->ReadInt();
  const int32_t dirOffset = cursor->ReadInt();
  TraceHeader(vxr, path, files, dirOffset);
  cursor->Seek(dirOffset);
  vxr.DirStream = std::move(cursor);
  vxr.DirFiles = files;
  vxr.DirRead = 0;
}

std::string VXR_NextFile(VxrModule& vxr) {
  if (!vxr.DirStream) {
    Trace(vxr, "VXR_NextFile$(): Directory not open");
    return {};
  }
  if (vxr.DirRead >= vxr.DirFiles) return {};
  ++vxr.DirRead;
  VxrCursor& dir = *vxr.DirStream;
  VxrRecord record;
  record.name = dir.ReadString(dir.ReadByte());
  record.meth = dir.ReadByte();
  record.size = dir.ReadInt();
  record.offset = dir.ReadInt();
  MakeCurrent(vxr, record);
  return record.name;
}

void VXR_CloseDir(VxrModule& vxr) {
  if (!vxr.DirStream) {
    Trace(vxr, "VXR_CLoseDir(): Directory Not Open");
    return;
  }
  vxr.DirStream.reset();
}

namespace {

// VXR_HasEntry, handing back the archive's index too. Answers from the index, but leaves every
// trace line, error and current record that a full listing of the directory would have left.
int SearchEntry(VxrModule& vxr, const std::string& archive, const std::string& entry,
                const VxrIndex*& index) {
  if (vxr.DirStream) {
    Trace(vxr, ReadDirPrefix(archive) + "Closing old VXR_ReadDir session");
    vxr.DirStream.reset();
  }
  VxrProbe probe = VxrProbe::Missing;
  index = FindVxrIndex(vxr, archive, probe);
  if (probe != VxrProbe::Found) {
    if (probe == VxrProbe::Missing) {
      TraceCouldNotOpen(vxr, archive);
    } else {
      VXR_Error(vxr, ReadDirPrefix(archive) + "Requested file is not a VXR file!");
    }
    VXR_NextFile(vxr);
    VXR_CloseDir(vxr);
    return 0;
  }
  const VxrDirectory& dir = index->directory;
  TraceHeader(vxr, archive, dir.files, dir.dirOffset);
  const VxrRecord* match = index->Find(entry);
  const bool found = match != nullptr;
  // A search that fails has read every record up to the end (or up to an empty name).
  const size_t readUpTo =
      found ? static_cast<size_t>(match - dir.records.data()) + 1 : dir.records.size();
  // Only the detailed trace needs every record on the way; otherwise the last one decides.
  const size_t firstShown = vxr.VXRTrace ? 0 : (readUpTo > 0 ? readUpTo - 1 : 0);
  for (size_t i = firstShown; i < readUpTo; ++i) MakeCurrent(vxr, dir.records[i]);
  vxr.DirFiles = dir.files;
  vxr.DirRead = static_cast<int32_t>(readUpTo);
  return found ? 1 : 0;
}

}  // namespace

int VXR_HasEntry(VxrModule& vxr, const std::string& archive, const std::string& entry) {
  const VxrIndex* index = nullptr;
  return SearchEntry(vxr, archive, entry, index);
}

VXRStreamPtr VXR_Open(VxrModule& vxr, const std::string& archive, const std::string& entry,
                      const std::string& pass, int endian) {
  auto prefix = [&] { return "VXR_Open(\"" + archive + "\",\"" + entry + "\"): "; };
  const VxrIndex* index = nullptr;
  if (!SearchEntry(vxr, archive, entry, index)) {
    VXR_Error(vxr, prefix() + "Entry not found");
    return nullptr;
  }
  if (vxr.EntryMeth > 2) {
    VXR_Error(vxr, prefix() + "Unknown storage method");
    return nullptr;
  }
  auto stream = std::make_unique<VXRStream>();
  stream->Size = vxr.EntrySize;
  stream->Offset = vxr.EntryOffset;
  stream->Meth = vxr.EntryMeth;
  stream->Pass = pass.empty() ? vxr.VXRDefaultPass : pass;
  stream->Endian = endian;
  stream->BT = std::make_unique<VxrCursor>(
      index->file, stream->Offset,
      static_cast<int64_t>(stream->Offset) + std::max<int32_t>(stream->Size, 0));
  return stream;
}

int VXR_Read(VxrModule& vxr, VXRStream* stream) {
  if (!IsOpen(stream)) {
    VXR_Error(vxr, "VXR_Read(VXRStream): File not open");
    return 0;
  }
  int b = stream->BT->ReadByte();
  if (stream->Meth != 0 && !stream->Pass.empty()) {
    ++stream->Key;
    const int c = static_cast<unsigned char>(stream->Pass[static_cast<size_t>(stream->Key - 1)]);
    if (stream->Meth == 1) {
      b -= c;
      if (b < 0) b += 256;
    } else if (stream->Meth == 2) {
      b ^= c;
    }
    if (stream->Key == static_cast<int32_t>(stream->Pass.size())) stream->Key = 0;
  }
  if (stream->Pos < INT32_MAX) ++stream->Pos;
  return b;
}

int32_t VXR_ReadInt(VxrModule& vxr, VXRStream* stream, int endianCode) {
  if (!IsOpen(stream)) {
    VXR_Error(vxr, "VXR_ReadInt(VXRStream): File not open");
    return 0;
  }
  if (endianCode == -1) endianCode = stream->Endian;
  uint32_t b[4];
  for (uint32_t& v : b) v = static_cast<uint32_t>(VXR_Read(vxr, stream));
  switch (endianCode) {
    case 0:
    case 2:
      return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24);
    case 1:
      return static_cast<int32_t>(b[3] | b[2] << 8 | b[1] << 16 | b[0] << 24);
    default:
      VXR_Error(vxr,
                "VXR_ReadInt(VXRStream," + std::to_string(endianCode) + "): Unknown Endian Code");
      return 0;
  }
}

std::string VXR_ReadString(VxrModule& vxr, VXRStream* stream, int count) {
  if (!IsOpen(stream)) {
    VXR_Error(vxr, "VXR_Read(VXRStream): File not open");
    return {};
  }
  if (count == 0) count = VXR_Read(vxr, stream);
  std::string text;
  if (count <= 0) return text;
  text.reserve(static_cast<size_t>(std::min(count, 4096)));
  for (int i = 0; i < count; ++i) text.push_back(static_cast<char>(VXR_Read(vxr, stream)));
  return text;
}

std::string VXR_ReadLine(VxrModule& vxr, VXRStream* stream) {
  if (!IsOpen(stream)) {
    VXR_Error(vxr, "VXR_Read(VXRStream): File not open");
    return {};
  }
  std::string text;
  for (;;) {
    if (stream->Pos < stream->Size && StepOverBytesOutsideTheFile(*stream)) return text;
    const int b = VXR_Read(vxr, stream);
    if (b == 10 || b == 13) break;
    text.push_back(static_cast<char>(b));
    if (VXR_EOF(vxr, stream)) break;
    if (text.size() >= kMaxVxrLineBytes) return text;
  }
  if (VXR_EOF(vxr, stream) || StepOverBytesOutsideTheFile(*stream)) return text;
  const int next = VXR_Read(vxr, stream);
  if (next != 10 && next != 13) SeekTo(*stream, stream->Pos - 1);
  return text;
}

int VXR_EOF(VxrModule& vxr, VXRStream* stream) {
  if (!IsOpen(stream)) {
    VXR_Error(vxr, "VXR_EOF(VXRStream): File not open");
    return 0;
  }
  return stream->Pos >= stream->Size ? 1 : 0;
}

void VXR_Seek(VxrModule& vxr, VXRStream* stream, int32_t pos) {
  const std::string prefix = "VXR_Seek(VXRStream," + std::to_string(pos) + "): ";
  if (!IsOpen(stream)) {
    VXR_Error(vxr, prefix + "File Not open");
    return;
  }
  if (pos >= stream->Size) {
    VXR_Error(vxr, prefix + "Offset value too high!");
    return;
  }
  if (pos < 0) {
    VXR_Error(vxr, prefix + "Offset value too low!");
    return;
  }
  SeekTo(*stream, pos);
}

void VXR_Close(VxrModule&, VXRStream* stream) {
  if (stream) stream->BT.reset();
}

}  // namespace hopwerk
