// The built-in font's bitmaps: one glyph for each character code 32 to 127.
#pragma once

namespace hopwerk {

constexpr int kFontFirstCode = 32;
constexpr int kFontGlyphCount = 96;
constexpr int kFontGlyphRows = 16;
constexpr int kFontGlyphColumns = 8;

// Each glyph is kFontGlyphRows rows of kFontGlyphColumns characters, top row first: '#' is a
// set pixel, anything else clear.
extern const char* const kFontGlyphArt[kFontGlyphCount];

inline bool HasFontGlyph(unsigned char c) {
  return c >= kFontFirstCode && c < kFontFirstCode + kFontGlyphCount;
}

}  // namespace hopwerk
