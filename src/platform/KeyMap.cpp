#include "platform/KeyMap.h"

#include <SDL_scancode.h>

#include <array>
#include <cstdint>

namespace hopwerk {

namespace {

struct KeyPair {
  SDL_Scancode scancode;
  int key;
};

// One row per physical key. Scancodes name positions, not symbols, so the binding of a game key
// stays on the same physical key whatever the keyboard layout, as a virtual-key code of a US
// layout would.
constexpr KeyPair kKeyPairs[] = {
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_RETURN2, 13},
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_0, 48},
    {SDL_SCANCODE_1, 49},
    {SDL_SCANCODE_2, 50},
    {SDL_SCANCODE_3, 51},
    {SDL_SCANCODE_4, 52},
    {SDL_SCANCODE_5, 53},
    {SDL_SCANCODE_6, 54},
    {SDL_SCANCODE_7, 55},
    {SDL_SCANCODE_8, 56},
    {SDL_SCANCODE_9, 57},
    {SDL_SCANCODE_A, 65},
    {SDL_SCANCODE_B, 66},
    {SDL_SCANCODE_C, 67},
    {SDL_SCANCODE_D, 68},
    {SDL_SCANCODE_E, 69},
    {SDL_SCANCODE_F, 70},
    {SDL_SCANCODE_G, 71},
    {SDL_SCANCODE_H, 72},
    {SDL_SCANCODE_I, 73},
    {SDL_SCANCODE_J, 74},
    {SDL_SCANCODE_K, 75},
    {SDL_SCANCODE_L, 76},
    {SDL_SCANCODE_M, 77},
    {SDL_SCANCODE_N, 78},
    {SDL_SCANCODE_O, 79},
    {SDL_SCANCODE_P, 80},
    {SDL_SCANCODE_Q, 81},
    {SDL_SCANCODE_R, 82},
    {SDL_SCANCODE_S, 83},
    {SDL_SCANCODE_T, 84},
    {SDL_SCANCODE_U, 85},
    {SDL_SCANCODE_V, 86},
    {SDL_SCANCODE_W, 87},
    {SDL_SCANCODE_X, 88},
    {SDL_SCANCODE_Y, 89},
    {SDL_SCANCODE_Z, 90},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},
    {SDL_SCANCODE_KP_2, 98},
    {SDL_SCANCODE_KP_3, 99},
    {SDL_SCANCODE_KP_4, 100},
    {SDL_SCANCODE_KP_5, 101},
    {SDL_SCANCODE_KP_6, 102},
    {SDL_SCANCODE_KP_7, 103},
    {SDL_SCANCODE_KP_8, 104},
    {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_F1, 112},
    {SDL_SCANCODE_F2, 113},
    {SDL_SCANCODE_F3, 114},
    {SDL_SCANCODE_F4, 115},
    {SDL_SCANCODE_F5, 116},
    {SDL_SCANCODE_F6, 117},
    {SDL_SCANCODE_F7, 118},
    {SDL_SCANCODE_F8, 119},
    {SDL_SCANCODE_F9, 120},
    {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F11, 122},
    {SDL_SCANCODE_F12, 123},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
    {SDL_SCANCODE_LSHIFT, 160},
    {SDL_SCANCODE_RSHIFT, 161},
    {SDL_SCANCODE_LCTRL, 162},
    {SDL_SCANCODE_RCTRL, 163},
    {SDL_SCANCODE_LALT, 164},
    {SDL_SCANCODE_RALT, 165},
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
    // The engine knows the backslash only as 226, so both backslash keys (the one above Enter
    // and the one beside Left Shift on ISO keyboards) report it and can be bound.
    {SDL_SCANCODE_BACKSLASH, 226},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> BuildKeyTable() {
  std::array<uint8_t, SDL_NUM_SCANCODES> table{};
  for (const KeyPair& pair : kKeyPairs) table[pair.scancode] = static_cast<uint8_t>(pair.key);
  return table;
}

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> kKeyTable = BuildKeyTable();

}  // namespace

int WindowsKeyFromScancode(int sdlScancode) {
  if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES) return 0;
  return kKeyTable[static_cast<size_t>(sdlScancode)];
}

std::vector<int> Utf8ToLatin1(const std::string& text) {
  std::vector<int> out;
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    int length = 0;
    uint32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07;
    } else {
      ++i;  // a stray continuation byte or an invalid lead byte
      continue;
    }
    int taken = 1;
    while (taken < length && i + static_cast<size_t>(taken) < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(taken)]);
      if ((next & 0xC0) != 0x80) break;
      code = (code << 6) | (next & 0x3F);
      ++taken;
    }
    i += static_cast<size_t>(taken);
    if (taken != length) continue;  // truncated sequence
    // Overlong forms of ASCII (0xC0 0x80 ...) must not smuggle in control characters.
    if (length == 2 && code < 0x80) continue;
    if (code <= 0xFF) out.push_back(static_cast<int>(code));
  }
  return out;
}

}  // namespace hopwerk
