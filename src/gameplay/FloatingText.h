// Short texts that rise from where something happened (a score, a cheat).
#pragma once

#include <cstdint>
#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// Starts `text` at the screen place of world (worldX, worldY); it stays on that screen place
// as the camera moves, rising a pixel a frame for 500 frames.
void AddFloatingText(Engine& engine, const std::string& text, int64_t worldX, int64_t worldY);

}  // namespace hopwerk
