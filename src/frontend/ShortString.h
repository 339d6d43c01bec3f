// The strings of the player's own files (saved games, high scores): one length byte, then that
// many characters, one byte each.
#pragma once

#include <cstddef>
#include <string>

#include "files/ByteStream.h"

namespace hopwerk {

// What one length byte can count.
constexpr size_t kShortStringMax = 255;

// A longer text is cut to its first 255 characters, so the length byte and the bytes agree
// and the file stays readable.
void WriteShortString(ByteStream& stream, const std::string& text);
// Never reads past the file; `whole`, when given, tells whether the file held all of it.
std::string ReadShortString(ByteStream& stream, bool* whole = nullptr);

}  // namespace hopwerk
