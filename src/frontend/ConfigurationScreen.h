// The configuration screen: the four game keys, the performance level and the patch, with the
// key capture that refuses keys without a name and keys another row already holds.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/Engine.h"

namespace hopwerk {

constexpr int kConfigurationRows = 7;
constexpr int kConfigurationLabelLength = 29;

// What the screen works on while it is shown.
struct ConfigurationMenu {
  // Rows 0 to 3 hold the four bindings; the other rows hold 0, a code no key can be bound to.
  std::array<int32_t, kConfigurationRows> Bindings{};
  std::array<std::string, kConfigurationRows> Rows;
};

// The working copy of the bindings and every row's text, from the current settings.
ConfigurationMenu MakeConfigurationMenu(const Engine& engine);
// Row `row`'s text from the current settings (the key rows from the working copy).
std::string ConfigurationRowText(const Engine& engine, const ConfigurationMenu& menu, int row);
// Runs the screen until row 6 or Escape, then writes Config.PCF, changed or not.
void ShowConfiguration(Engine& engine);
// Waits for a bindable key for key row `row` (0 to 3) and returns it; Escape returns the row's
// binding unchanged. Updates the working copy and the row's text.
int CaptureKey(Engine& engine, ConfigurationMenu& menu, int row);

}  // namespace hopwerk
