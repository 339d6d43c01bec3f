#include "codec/SoundDecode.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace hopwerk {

namespace {

struct MemoryFile {
  const std::string* bytes;
  size_t at = 0;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  if (size == 0) return 0;
  const size_t items = std::min(count, (file->bytes->size() - file->at) / size);
  std::memcpy(out, file->bytes->data() + file->at, items * size);
  file->at += items * size;
  return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(source);
  const auto size = static_cast<ogg_int64_t>(file->bytes->size());
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(file->at);
  if (whence == SEEK_END) base = size;
  if (offset < -base || offset > size - base) return -1;
  file->at = static_cast<size_t>(base + offset);
  return 0;
}

long TellMemory(void* source) {
  return static_cast<long>(static_cast<MemoryFile*>(source)->at);
}

constexpr size_t kWavHeaderBytes = 44;

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string OggToWav(const std::string& ogg, int64_t maxMillis) {
  MemoryFile file{&ogg};
  OggVorbis_File vf;
  const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
  if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0) return {};
  const vorbis_info* info = ov_info(&vf, -1);
  // A chained file may change its layout from one link to the next; the mixer cannot follow.
  const int channels = info ? info->channels : 0;
  const long rate = info ? info->rate : 0;
  // Decoded straight behind room for the header, so a long sound is not held twice.
  std::string wav(kWavHeaderBytes, '\0');
  bool ok = channels > 0 && channels <= 8 && rate > 0 && rate <= 384000;
  const int64_t frameBytes = int64_t{2} * channels;
  char buffer[16384];
  while (ok) {
    int link = 0;
    const long got = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &link);
    if (got == OV_HOLE) continue;  // a gap in the stream: decoding goes on after it
    if (got < 0) ok = false;
    if (got <= 0) break;
    const vorbis_info* now = ov_info(&vf, link);
    if (!now || now->channels != channels || now->rate != rate) ok = false;
    wav.append(buffer, static_cast<size_t>(got));
    const auto decoded = static_cast<int64_t>(wav.size() - kWavHeaderBytes);
    if (decoded > kMaxDecodedSoundBytes || !PlaysWithin(decoded / frameBytes, rate, maxMillis))
      ok = false;
  }
  ov_clear(&vf);
  const size_t dataBytes = wav.size() - kWavHeaderBytes;
  if (!ok || dataBytes == 0) return {};

  std::string header = "RIFF";
  PutLe(header, static_cast<uint32_t>(36 + dataBytes), 4);
  header += "WAVEfmt ";
  PutLe(header, 16, 4);
  PutLe(header, 1, 2);  // PCM
  PutLe(header, static_cast<uint32_t>(channels), 2);
  PutLe(header, static_cast<uint32_t>(rate), 4);
  PutLe(header, static_cast<uint32_t>(rate * frameBytes), 4);
  PutLe(header, static_cast<uint32_t>(frameBytes), 2);
  PutLe(header, 16, 2);
  header += "data";
  PutLe(header, static_cast<uint32_t>(dataBytes), 4);
  wav.replace(0, kWavHeaderBytes, header);
  return wav;
}

}  // namespace hopwerk
