// The patch browser: walks folders and volumes and offers the patch folders made for this
// project; choosing one sets PatchFolder, leaving with Escape clears it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace hopwerk {

// One line of the browser.
struct PData {
  std::string File;      // the folder's name, or a volume's device path
  int32_t Tpe = 0;       // 0 volume, 1 folder, 2 patch
  std::string DispName;  // "<Patch>", "<Parent Dir>", a volume's name, or ""
};

constexpr int kPatchBrowserRows = 21;

// The working folder as the browser joins names to it: "/" throughout and ending in "/";
// "" when the platform cannot tell it.
std::string BrowserFolder(Platform& p);
// The working folder's sub-folders, in the platform's listing order, then the volumes.
std::vector<PData> ListPatchEntries(Engine& engine);
// Runs the browser, starting in the user's documents folder; the working folder stays where
// the player left it.
void ChoosePatch(Engine& engine);

}  // namespace hopwerk
