#include "data/Console.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace hopwerk {

int ConsoleBackgroundGrey(int row) {
  const double degrees = static_cast<double>(row / 5);
  return static_cast<int>(std::fabs(std::sin(degrees * std::numbers::pi / 180.0) * 90.0));
}

void ConsolePrint(Engine& engine, const std::string& text, int r, int g, int b) {
  Platform& p = engine.platform;
  ConsoleState& console = engine.console;
  p.NoteConsoleLine(text);
  p.ClearScreen();
  console.ConsoleLines.push_back(QCLine{text, r, g, b});

  const int limit = console.ConsoleHeight != 0 ? console.ConsoleHeight : p.DisplayHeight();
  // One line at most leaves per call: the console scrolls by one line, as the player sees it.
  if (static_cast<long>(p.FontHeight()) * static_cast<long>(console.ConsoleLines.size()) > limit) {
    console.ConsoleLines.erase(console.ConsoleLines.begin());
  }

  const int width = p.DisplayWidth();
  for (int row = 0; row <= p.DisplayHeight(); ++row) {
    const int grey = ConsoleBackgroundGrey(row);
    p.SetDrawColor(grey, grey, grey);
    p.DrawLineSegment(0, static_cast<float>(row), static_cast<float>(width),
                      static_cast<float>(row));
  }

  const int lineHeight = p.FontHeight();
  int y = 0;
  for (const QCLine& line : console.ConsoleLines) {
    p.SetDrawColor(line.R, line.G, line.B);
    p.DrawTextAt(line.Text, 0, static_cast<float>(y));
    y += lineHeight;
  }
  p.PresentFrame(-1);
}

void FatalError(Engine& engine, const std::string& message) {
  ConsolePrint(engine, "", 255, 255, 255);
  ConsolePrint(engine, "ERROR", 255, 0, 0);
  ConsolePrint(engine, message, 255, 255, 255);
  if (!message.empty() && message[0] == '*') {
    ConsolePrint(engine, "This is an internal error in this engine.", 255, 255, 255);
    ConsolePrint(engine, "Please notify Quillon!", 255, 255, 255);
  } else {
    ConsolePrint(engine, "This game is not correct.", 255, 255, 255);
    ConsolePrint(engine, "Please notify its creator!", 255, 255, 255);
  }
  // A failure must never look like success to whatever started the game.
  engine.platform.WaitAnyKeyThenEnd(1);
  std::abort();  // not reached; the compiler cannot see through the virtual call
}

}  // namespace hopwerk
