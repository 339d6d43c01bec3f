// The loading console: coloured progress lines over a grey gradient, and the one stop for bad
// project data.
#pragma once

#include <string>

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Appends a line and redraws the whole console, presenting one frame.
void ConsolePrint(Engine& engine, const std::string& text, int r, int g, int b);

// Appends a line to the console history without drawing anything: during play the line is
// shown over the level's frames (DrawPlayConsole) for kPlayConsoleMillis after the latest one.
void ConsolePrintDuringPlay(Engine& engine, const std::string& text, int r, int g, int b);
inline constexpr int kPlayConsoleMillis = 5000;
// Draws the lines printed during play at the bottom of the screen while they are recent.
void DrawPlayConsole(Engine& engine);

// Shows the message under the console history, waits for a key and ends the program with a
// failure status. A message starting with "*" marks a fault of the engine, not of the game.
[[noreturn]] void FatalError(Engine& engine, const std::string& message);
// What the screen that asked for a load does with the loader's answer: nothing when it loaded,
// FatalError with the loader's message when it did not.
inline void EndOnLoadError(Engine& engine, const LoadFault& fault) {
  if (fault) FatalError(engine, fault->message);
}

// Grey of background row `row`: black at the top, 90 at row 450, black again at row 900.
int ConsoleBackgroundGrey(int row);

}  // namespace hopwerk
