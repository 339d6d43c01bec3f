// The program's entry sequence.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

enum class StartMode {
  Menu,  // the player's way in: the driver dialog, the logo and title, the main menu
  // Straight into a game for someone trying a level out: the remembered back-end without the
  // dialog, no logo or title, and hooks.quickStart in place of the main menu.
  Play,
};

// Runs the whole program on the given engine. It never returns normally: every way out ends
// in Platform::EndProgram, which unwinds with ProgramEnd.
[[noreturn]] void RunProgram(Engine& engine, StartMode mode = StartMode::Menu);

}  // namespace hopwerk
