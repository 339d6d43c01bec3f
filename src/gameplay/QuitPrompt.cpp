#include "gameplay/QuitPrompt.h"

#include <string>

#include "platform/KeyCodes.h"

namespace hopwerk {

void AskToQuitOnEscape(Engine& engine) {
  Platform& p = engine.platform;
  if (p.KeyHits(kKeyEscape) == 0) return;
  const std::string message = "Do you really want to quit? (Y/N)";
  p.ClearScreen();
  p.DrawTextAt(message,
               static_cast<float>(engine.project.ScreenWidth / 2 - p.MeasureTextWidth(message) / 2),
               static_cast<float>(engine.project.ScreenHeight / 2 - p.FontHeight() / 2));
  p.PresentFrame(-1);
  p.FlushKeys();
  if (p.WaitAnyKey() == 'Y') p.EndProgram(0);
}

}  // namespace hopwerk
