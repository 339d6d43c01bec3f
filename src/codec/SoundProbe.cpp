#include "codec/SoundProbe.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "codec/SoundDecode.h"
#include "files/ByteStream.h"

namespace hopwerk {

namespace {

uint32_t Le32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint64_t Le64(const unsigned char* p) {
  return static_cast<uint64_t>(Le32(p)) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
}

// Walks the RIFF chunks for "fmt " (byte rate) and "data" (its size).
int64_t WavDuration(ByteStream& in) {
  const int64_t size = in.Size();
  uint32_t byteRate = 0;
  int64_t dataSize = -1;
  int64_t offset = 12;
  for (int chunks = 0; chunks < 4096 && offset + 8 <= size; ++chunks) {
    in.Seek(offset);
    const std::string header = in.ReadString(8);
    if (header.size() < 8) break;
    const auto* h = reinterpret_cast<const unsigned char*>(header.data());
    const int64_t chunkSize = Le32(h + 4);
    if (std::memcmp(h, "fmt ", 4) == 0 && chunkSize >= 16) {
      const std::string fmt = in.ReadString(16);
      if (fmt.size() == 16) byteRate = Le32(reinterpret_cast<const unsigned char*>(fmt.data()) + 8);
    } else if (std::memcmp(h, "data", 4) == 0) {
      dataSize = std::min(chunkSize, size - offset - 8);  // a truncated file plays what it has
    }
    if (byteRate != 0 && dataSize >= 0) return dataSize * 1000 / byteRate;
    offset += 8 + chunkSize + (chunkSize & 1);
  }
  return -1;
}

// Sample rate from the Vorbis identification header of the first page; length from the
// granule position of the last page in the file's tail.
int64_t OggDuration(ByteStream& in) {
  in.Seek(0);
  const std::string first = in.ReadString(27 + 255 + 16);
  if (first.size() < 28) return -1;
  const auto* f = reinterpret_cast<const unsigned char*>(first.data());
  const size_t packet = 27 + static_cast<size_t>(f[26]);
  if (packet + 16 > first.size() || f[packet] != 1 ||
      std::memcmp(f + packet + 1, "vorbis", 6) != 0) {
    return -1;
  }
  const uint32_t rate = Le32(f + packet + 12);
  if (rate == 0) return -1;

  const int64_t tailSize = std::min<int64_t>(in.Size(), 64 * 1024);
  in.Seek(in.Size() - tailSize);
  const std::string tail = in.ReadString(static_cast<int>(tailSize));
  const auto* t = reinterpret_cast<const unsigned char*>(tail.data());
  for (size_t i = tail.size() >= 14 ? tail.size() - 14 : 0; i + 14 <= tail.size(); --i) {
    if (std::memcmp(t + i, "OggS", 4) == 0 && t[i + 4] == 0) {
      const uint64_t granule = Le64(t + i + 6);
      // -1 marks a page on which no packet ends; anything absurd is not trusted either.
      if (granule == ~uint64_t{0} || granule > (uint64_t{1} << 40)) return -1;
      return static_cast<int64_t>(granule * 1000 / rate);
    }
    if (i == 0) break;
  }
  return -1;
}

}  // namespace

SoundFormat ProbeSoundFile(const std::string& path, int64_t* durationMillis) {
  if (durationMillis != nullptr) *durationMillis = -1;
  auto in = ByteStream::Open(path, ByteStream::Mode::Read);
  if (!in) return SoundFormat::None;
  const std::string magic = in->ReadString(12);
  SoundFormat format = SoundFormat::None;
  int64_t duration = -1;
  if (magic.size() == 12 && magic.compare(0, 4, "RIFF") == 0 && magic.compare(8, 4, "WAVE") == 0) {
    format = SoundFormat::Wav;
    duration = WavDuration(*in);
  } else if (magic.size() >= 4 && magic.compare(0, 4, "OggS") == 0) {
    format = SoundFormat::Ogg;
    duration = OggDuration(*in);
  }
  // What cannot be decoded within the limit is no sound to either platform, so replays follow
  // the window game as far as the header tells.
  if (duration > kMaxSoundMillis) format = SoundFormat::None;
  if (durationMillis != nullptr) *durationMillis = duration;
  return format;
}

}  // namespace hopwerk
