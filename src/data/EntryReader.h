// Reading one archive entry as project data. The archive reader happily reads past an entry's
// end into whatever follows; loaders use this wrapper to notice that and call the entry
// corrupted instead of acting on foreign bytes.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Engine.h"

namespace hopwerk {

class EntryReader {
 public:
  EntryReader(Engine& engine, VXRStreamPtr stream) : vxr_(engine.vxr), stream_(std::move(stream)) {}
  ~EntryReader() { Close(); }
  EntryReader(const EntryReader&) = delete;
  EntryReader& operator=(const EntryReader&) = delete;

  bool IsOpen() const { return stream_ != nullptr; }
  bool AtEnd() { return VXR_EOF(vxr_, stream_.get()) != 0; }
  // True once any read went past the entry's last byte.
  bool Overran() const { return stream_->Pos > stream_->Size; }
  int32_t Position() const { return stream_->Pos; }
  int32_t Size() const { return stream_->Size; }

  int Byte() { return VXR_Read(vxr_, stream_.get()); }
  int32_t Int() { return VXR_ReadInt(vxr_, stream_.get(), -1); }
  std::string String() { return VXR_ReadString(vxr_, stream_.get(), 0); }
  std::string Line() { return VXR_ReadLine(vxr_, stream_.get()); }

  void Close() {
    if (stream_) {
      VXR_Close(vxr_, stream_.get());
      stream_.reset();
    }
  }

 private:
  VxrModule& vxr_;
  VXRStreamPtr stream_;
};

}  // namespace hopwerk
