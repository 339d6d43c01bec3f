// The small pictures, drawn as pixel art held in text: status icons, bullets, the menu cursor.
#pragma once

#include <string>

namespace hopwerk {

bool WriteCursor(const std::string& path);
// GFX/Weapon/ pictures into folder (ending in "/").
bool WriteWeaponArt(const std::string& folder);
// GFX/Status/ pictures into folder (ending in "/").
bool WriteStatusArt(const std::string& folder);

}  // namespace hopwerk
