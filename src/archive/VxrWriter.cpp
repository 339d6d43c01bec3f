#include <limits>
#include <stdexcept>

#include "archive/Vxr.h"
#include "files/FileWriter.h"

namespace hopwerk {

namespace {

void PutInt(std::vector<uint8_t>& out, int64_t value) {
  const auto v = static_cast<uint32_t>(static_cast<int32_t>(value));
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> BuildVxrArchive(const std::vector<VxrWriteEntry>& entries) {
  if (entries.size() > static_cast<size_t>(kMaxVxrFiles)) {
    throw std::length_error("more than " + std::to_string(kMaxVxrFiles) + " entries");
  }
  int64_t total = kVxrHeaderSize;
  for (const auto& e : entries) {
    if (e.name.size() > 255) throw std::length_error("entry name longer than 255 bytes: " + e.name);
    if (e.meth < 0 || e.meth > 255) throw std::length_error("storage method outside 0..255");
    total += static_cast<int64_t>(e.data.size()) + 10 + static_cast<int64_t>(e.name.size());
  }
  if (total > std::numeric_limits<int32_t>::max()) {
    throw std::length_error("archive larger than 2 GiB");
  }
  std::vector<uint8_t> out(kVxrMagic, kVxrMagic + sizeof kVxrMagic);
  out.reserve(static_cast<size_t>(total));
  int64_t dirOffset = kVxrHeaderSize;
  for (const auto& e : entries) dirOffset += static_cast<int64_t>(e.data.size());
  PutInt(out, static_cast<int64_t>(entries.size()));
  PutInt(out, dirOffset);
  for (const auto& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  int64_t offset = kVxrHeaderSize;
  for (const auto& e : entries) {
    out.push_back(static_cast<uint8_t>(e.name.size()));
    out.insert(out.end(), e.name.begin(), e.name.end());
    out.push_back(static_cast<uint8_t>(e.meth));
    PutInt(out, static_cast<int64_t>(e.data.size()));
    PutInt(out, offset);
    offset += static_cast<int64_t>(e.data.size());
  }
  return out;
}

bool WriteVxrArchive(const std::string& path, const std::vector<VxrWriteEntry>& entries) {
  const std::vector<uint8_t> bytes = BuildVxrArchive(entries);
  return WriteFileAtomically(path, bytes.data(), bytes.size());
}

std::vector<uint8_t> ScrambleVxrBytes(const std::vector<uint8_t>& plain, int32_t meth,
                                      const std::string& pass) {
  if ((meth != 1 && meth != 2) || pass.empty()) return plain;
  std::vector<uint8_t> out;
  out.reserve(plain.size());
  size_t key = 0;
  for (uint8_t b : plain) {
    const auto c = static_cast<uint8_t>(pass[key]);
    out.push_back(meth == 1 ? static_cast<uint8_t>(b + c) : static_cast<uint8_t>(b ^ c));
    key = (key + 1) % pass.size();
  }
  return out;
}

}  // namespace hopwerk
