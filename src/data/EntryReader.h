// Reading one archive entry as project data. The archive reader happily reads past an entry's
// end into whatever follows; loaders use this wrapper to notice that and call the entry
// corrupted instead of acting on foreign bytes.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Engine.h"
#include "schema/EntryRecords.h"

namespace hopwerk {

class EntryReader final : public EntrySource {
 public:
  EntryReader(Engine& engine, VXRStreamPtr stream) : vxr_(engine.vxr), stream_(std::move(stream)) {}
  ~EntryReader() override { Close(); }
  EntryReader(const EntryReader&) = delete;
  EntryReader& operator=(const EntryReader&) = delete;

  bool IsOpen() const { return stream_ != nullptr; }
  bool AtEnd() override { return VXR_EOF(vxr_, stream_.get()) != 0; }
  // True once any read went past the entry's last byte, or took a byte from outside the archive
  // file: a directory record whose Size or Offset runs off the file would otherwise feed a loader
  // zeros up to a Size of 2^31, and a loop over those records would run for as long as the
  // damaged Size says instead of as long as the file's real bytes last.
  bool Overran() const override {
    if (stream_->Pos > stream_->Size) return true;
    if (!stream_->BT || stream_->Pos == 0) return false;
    const int64_t end = static_cast<int64_t>(stream_->Offset) + stream_->Pos;
    return stream_->Offset < 0 || end > stream_->BT->File()->Size();
  }
  int64_t Position() const override { return stream_->Pos; }
  int32_t Size() const { return stream_->Size; }

  int Byte() override { return VXR_Read(vxr_, stream_.get()); }
  int32_t Int() override { return VXR_ReadInt(vxr_, stream_.get(), -1); }
  std::string String() { return VXR_ReadString(vxr_, stream_.get(), 0); }
  std::string String(int key) override {
    std::string text = String();
    for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) ^ key);
    return text;
  }
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
