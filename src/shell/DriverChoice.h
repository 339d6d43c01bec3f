// The dialog that asks which back-end draws the game, and the file that remembers the answer.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

std::string DriverChoiceFile(Engine& engine);
ChoiceDialogSpec DriverDialogSpec();
// Index of the pre-selected choice (0 OpenGL, 1 DirectX) from the remembered file.
int PreselectedDriver(Engine& engine);
// Runs the dialog; closing it ends the program, confirming sets the back-end and remembers it.
void RunDriverChoice(Engine& engine);
// The back-end the dialog would pre-select, taken without asking.
void UseRememberedDriver(Engine& engine);

}  // namespace hopwerk
