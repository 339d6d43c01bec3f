// The front-end pictures of the demo game (logo, title, menus, messages, victory picture).
#pragma once

#include <string>

namespace hopwerk {

// Writes every picture of GFX/General/ into folder (ending in "/"); false on a write failure.
bool WriteFrontEndArt(const std::string& folder);

}  // namespace hopwerk
