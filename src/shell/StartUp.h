// The program's entry sequence.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Runs the whole program on the given engine. It never returns normally: every way out ends
// in Platform::EndProgram, which unwinds with ProgramEnd.
[[noreturn]] void RunProgram(Engine& engine);

}  // namespace hopwerk
