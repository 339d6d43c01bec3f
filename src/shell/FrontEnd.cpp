#include "shell/FrontEnd.h"

#include "data/Console.h"
#include "data/ProjectSettings.h"
#include "platform/KeyCodes.h"
#include "shell/CreditsScreen.h"

namespace hopwerk {

const char* const kMenuTexts[6] = {"New Game", "Continue a game", "High Scores",
                                   "Credits",  "Configuration",   "Quit"};

namespace {

// Runs a screen of a later stage when it is wired in; until then its state leads back to the
// main menu, so the front end never stalls on a state it cannot serve.
void RunOrReturnToMenu(Engine& engine, const std::function<void(Engine&)>& screen) {
  if (screen) {
    screen(engine);
  } else {
    engine.shell.GameState = 0;
  }
}

void DrawMainMenu(Engine& engine, int selection) {
  Platform& p = engine.platform;
  const FrontEndPictures& pics = engine.pictures;
  p.ClearScreen();
  p.SetDrawColor(255, 255, 255);
  if (pics.MenuPic) p.DrawPicture(*pics.MenuPic, 0, 0, 0);
  for (int i = 0; i <= 5; ++i) {
    const int y = i * 50 + 150;
    if (pics.MenuItemPics[i]) {
      p.DrawPicture(*pics.MenuItemPics[i], 100, static_cast<float>(y), 0);
    } else {
      p.DrawTextAt(kMenuTexts[i], 100, static_cast<float>(y - p.FontHeight() / 2));
    }
  }
  if (pics.CursorPic) {
    p.DrawPicture(*pics.CursorPic, 2, static_cast<float>(selection * 50 + 150), 0);
  }
  p.PresentFrame(-1);
}

}  // namespace

void MainMenu(Engine& engine) {
  Platform& p = engine.platform;
  p.FlushKeys();
  int selection = 0;
  for (;;) {
    if (p.KeyHits(kKeyEscape) != 0) p.EndProgram(0);
    DrawMainMenu(engine, selection);
    if (p.KeyHits(kKeyDown) != 0 && selection < 5) ++selection;
    if (p.KeyHits(kKeyUp) != 0 && selection > 0) --selection;
    if (p.KeyHits(kKeyEnter) == 0 && p.KeyHits(kKeySpace) == 0) continue;
    switch (selection) {
      case 0:
        engine.shell.GameState = 1;
        return;
      case 1:
        engine.shell.GameState = 4;
        return;
      case 2:
        if (engine.hooks.highScores) engine.hooks.highScores(engine);
        break;
      case 3:
        CreditsScreen(engine, GeneralArchivePath(engine), "Credits");
        break;
      case 4:
        if (engine.hooks.configuration) engine.hooks.configuration(engine);
        break;
      default:
        p.EndProgram(0);
    }
  }
}

void FrontEndLoop(Engine& engine) {
  for (;;) {
    switch (engine.shell.GameState) {
      case 0:
        MainMenu(engine);
        break;
      case 1:
        RunOrReturnToMenu(engine, engine.hooks.newGame);
        break;
      case 2:
        RunOrReturnToMenu(engine, engine.hooks.startLevel);
        break;
      case 3:
        RunOrReturnToMenu(engine, engine.hooks.continueLevel);
        break;
      case 4:
        RunOrReturnToMenu(engine, engine.hooks.loadGameSlots);
        break;
      default:
        FatalError(engine, "* Unknown Chain Code (" + std::to_string(engine.shell.GameState) + ")");
    }
  }
}

}  // namespace hopwerk
