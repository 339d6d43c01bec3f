#include "frontend/ShortString.h"

namespace hopwerk {

void WriteShortString(ByteStream& stream, const std::string& text) {
  const std::string kept = text.substr(0, kShortStringMax);
  stream.WriteByte(static_cast<int>(kept.size()));
  stream.WriteString(kept);
}

std::string ReadShortString(ByteStream& stream, bool* whole) {
  const bool hasLength = !stream.Eof();
  const int length = stream.ReadByte();
  std::string text = stream.ReadString(length);
  if (whole != nullptr) *whole = hasLength && text.size() == static_cast<size_t>(length);
  return text;
}

}  // namespace hopwerk
