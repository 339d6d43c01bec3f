// The names the configuration screen shows for key codes. Only a key with a name can be bound:
// letters, digits, arrows, Escape and F5 (the save key) have none.
#pragma once

#include <array>
#include <string>

namespace hopwerk {

constexpr int kKeyCodes = 256;

// Indexed by key code; "" for a key that cannot be bound.
extern const std::array<const char*, kKeyCodes> KeyNames;

// The name of `code`, "" for every code outside the table.
std::string KeyName(int code);

}  // namespace hopwerk
