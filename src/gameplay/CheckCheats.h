// Cheat codes typed during play.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// The typed letters kept for cheat codes: the newest 80.
constexpr size_t kCheatBufferLength = 80;

// Whether the code of cheat `name` has been typed. Every occurrence of the code is taken out of
// the typed letters; a cheat the project has no code for never fires.
bool TakeCheat(Engine& engine, const std::string& name);

// Once a frame: the letters hit this frame join the typed letters (capitals, in alphabetical
// order within a frame), then each cheat whose code is there takes effect.
void CheckCheats(Engine& engine);

}  // namespace hopwerk
