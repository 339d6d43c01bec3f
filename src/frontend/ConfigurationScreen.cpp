#include "frontend/ConfigurationScreen.h"

#include <string_view>

#include "frontend/Config.h"
#include "frontend/KeyNames.h"
#include "frontend/PatchBrowser.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

constexpr std::string_view kLabels[kConfigurationRows] = {
    "Key for jumping:             ", "Key for firing:              ",
    "Key for activating switches: ", "Key for pausing the game:    ",
    "Performance:                 ", "Patch:                       ",
    "Back to the main menu"};
static_assert(kLabels[0].size() == kConfigurationLabelLength &&
              kLabels[1].size() == kConfigurationLabelLength &&
              kLabels[2].size() == kConfigurationLabelLength &&
              kLabels[3].size() == kConfigurationLabelLength &&
              kLabels[4].size() == kConfigurationLabelLength &&
              kLabels[5].size() == kConfigurationLabelLength);

constexpr int kRowHeight = 20;
constexpr int kPerformanceRow = 4;
constexpr int kPatchRow = 5;
constexpr int kBackRow = 6;

struct BarColour {
  int r, g, b;
};
constexpr BarColour kSelectedBar{0, 0, 255};
constexpr BarColour kCaptureBar{255, 0, 0};

int32_t* Setting(PlayerSettings& settings, int row) {
  int32_t* const keys[] = {&settings.KeyJump, &settings.KeyFire, &settings.KeyActivate,
                           &settings.KeyPause};
  return keys[row];
}

bool Confirmed(Platform& p) {
  return p.KeyHits(kKeyEnter) != 0 || p.KeyHits(kKeySpace) != 0;
}

void DrawRows(Engine& engine, const std::array<std::string, kConfigurationRows>& rows, int selected,
              BarColour bar) {
  Platform& p = engine.platform;
  for (int i = 0; i < kConfigurationRows; ++i) {
    const float y = static_cast<float>(i * kRowHeight);
    const std::string& text = rows[static_cast<size_t>(i)];
    if (i == selected) {
      p.SetDrawColor(bar.r, bar.g, bar.b);
      p.DrawFilledRect(0, y, static_cast<float>(engine.project.ScreenWidth), kRowHeight);
      p.SetDrawColor(0, 0, 0);
      p.DrawTextAt(text, 7, y + 2);
      p.SetDrawColor(255, 255, 0);
    } else {
      p.SetDrawColor(255, 255, 255);
    }
    p.DrawTextAt(text, 5, y);
  }
}

// A key can be taken when it has a name and no other row holds it.
bool Bindable(const ConfigurationMenu& menu, int row, int code) {
  if (KeyName(code).empty()) return false;
  for (int other = 0; other < kConfigurationRows; ++other) {
    if (other != row && menu.Bindings[static_cast<size_t>(other)] == code) return false;
  }
  return true;
}

// The question mark shows while the sine of the clock, read as degrees, is above 0: on for
// 180 ms, off for 180 ms. Whole degrees, so no rounding decides the edges.
bool BlinkOn(Platform& p) {
  const int32_t degrees = ((p.ClockMillis() % 360) + 360) % 360;
  return degrees > 0 && degrees < 180;
}

void Leave(Engine& engine) {
  engine.platform.FlushKeys();
  // A file that cannot be written leaves the settings in effect for this run only.
  SaveConfig(engine);
}

}  // namespace

std::string ConfigurationRowText(const Engine& engine, const ConfigurationMenu& menu, int row) {
  const std::string label(kLabels[row]);
  if (row < kPerformanceRow) return label + KeyName(menu.Bindings[static_cast<size_t>(row)]);
  if (row == kPerformanceRow) {
    return label + (engine.settings.Performance == 0 ? "Slow Computer" : "Fast Computer");
  }
  if (row == kPatchRow) return label + engine.settings.PatchFolder;
  return label;
}

ConfigurationMenu MakeConfigurationMenu(const Engine& engine) {
  ConfigurationMenu menu;
  const PlayerSettings& settings = engine.settings;
  menu.Bindings[0] = settings.KeyJump;
  menu.Bindings[1] = settings.KeyFire;
  menu.Bindings[2] = settings.KeyActivate;
  menu.Bindings[3] = settings.KeyPause;
  for (int row = 0; row < kConfigurationRows; ++row) {
    menu.Rows[static_cast<size_t>(row)] = ConfigurationRowText(engine, menu, row);
  }
  return menu;
}

int CaptureKey(Engine& engine, ConfigurationMenu& menu, int row) {
  Platform& p = engine.platform;
  const auto at = static_cast<size_t>(row);
  const std::string label = menu.Rows[at].substr(0, kConfigurationLabelLength);
  for (;;) {
    p.ClearScreen();
    std::array<std::string, kConfigurationRows> rows = menu.Rows;
    rows[at] = label + (BlinkOn(p) ? "?" : " ");
    DrawRows(engine, rows, row, kCaptureBar);
    p.PresentFrame(-1);
    if (p.KeyHits(kKeyEscape) != 0) return menu.Bindings[at];
    // Every press of the pass is taken, so a refused key is not seen again later; of several
    // keys pressed together the highest code decides.
    int candidate = -1;
    for (int code = 0; code < kKeyCodes; ++code) {
      if (p.KeyHits(code) != 0) candidate = code;
    }
    if (candidate >= 0 && Bindable(menu, row, candidate)) {
      menu.Bindings[at] = candidate;
      menu.Rows[at] = label + KeyName(candidate);
      return candidate;
    }
  }
}

void ShowConfiguration(Engine& engine) {
  Platform& p = engine.platform;
  PlayerSettings& settings = engine.settings;
  ConfigurationMenu menu = MakeConfigurationMenu(engine);
  p.FlushKeys();
  int selected = 0;
  for (;;) {
    p.ClearScreen();
    DrawRows(engine, menu.Rows, selected, kSelectedBar);
    if (p.KeyHits(kKeyDown) != 0 && selected < kBackRow) ++selected;
    if (p.KeyHits(kKeyUp) != 0 && selected > 0) --selected;
    if (Confirmed(p)) {
      if (selected < kPerformanceRow) {
        *Setting(settings, selected) = CaptureKey(engine, menu, selected);
      } else if (selected == kPerformanceRow) {
        settings.Performance = settings.Performance == 0 ? 1 : 0;
        menu.Rows[kPerformanceRow] = ConfigurationRowText(engine, menu, kPerformanceRow);
      } else if (selected == kPatchRow) {
        ChoosePatch(engine);
        menu.Rows[kPatchRow] = ConfigurationRowText(engine, menu, kPatchRow);
      } else {
        Leave(engine);
        return;
      }
    }
    p.PresentFrame(-1);
    if (p.KeyHits(kKeyEscape) != 0) {
      Leave(engine);
      return;
    }
  }
}

}  // namespace hopwerk
