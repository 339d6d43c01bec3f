#include "frontend/KeyNames.h"

namespace hopwerk {

namespace {

constexpr std::array<const char*, kKeyCodes> BuildKeyNames() {
  std::array<const char*, kKeyCodes> names{};
  for (const char*& name : names) name = "";
  // Runs of consecutive codes.
  const struct {
    int first;
    std::array<const char*, 10> names;
    int count;
  } runs[] = {
      {8, {"Backspace", "Tab"}, 2},
      {13, {"Enter"}, 1},
      {32, {"Space Bar", "Page Up", "Page DOwn", "End", "Home"}, 5},
      {45, {"Insert", "Delete"}, 2},
      {96,
       {"Number Pad 0", "Number Pad 1", "Number Pad 2", "Number Pad 3", "Number Pad 4",
        "Number Pad 5", "Number Pad 6", "Number Pad 7", "Number Pad 8", "Number Pad 9"},
       10},
      {112, {"F1", "F2", "F3", "F4"}, 4},
      // 116, F5, saves the game and is never bound.
      {117, {"F6", "F7", "F8", "F9", "F10", "F11", "F12"}, 7},
      {160,
       {"Left Shift", "Right Shift", "Left Control", "Right Control", "Left Alt", "Right Alt"},
       6},
      {186, {";", "=", ",", "-", ".", "/", "~"}, 7},
      {222, {"'"}, 1},
      {226, {"\\"}, 1},
  };
  for (const auto& run : runs) {
    for (int i = 0; i < run.count; ++i) names[static_cast<size_t>(run.first + i)] = run.names[i];
  }
  return names;
}

}  // namespace

constinit const std::array<const char*, kKeyCodes> KeyNames = BuildKeyNames();

std::string KeyName(int code) {
  if (code < 0 || code >= kKeyCodes) return "";
  return KeyNames[static_cast<size_t>(code)];
}

}  // namespace hopwerk
