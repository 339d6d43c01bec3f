#include "frontend/InstallScreens.h"

#include "frontend/Config.h"
#include "frontend/ConfigurationScreen.h"
#include "frontend/HighScoreScreens.h"
#include "frontend/NewGame.h"
#include "frontend/SlotScreen.h"

namespace hopwerk {

void InstallFrontEndScreens(Engine& engine) {
  engine.hooks.loadConfig = LoadConfig;
  engine.hooks.newGame = NewGame;
  engine.hooks.loadGameSlots = [](Engine& e) { SlotScreen(e, kSlotsLoading); };
  engine.hooks.saveGameSlots = [](Engine& e) { SlotScreen(e, kSlotsSaving); };
  engine.hooks.configuration = ShowConfiguration;
  engine.hooks.highScores = [](Engine& e) { ShowHighScores(e, 1, 1, 1); };
  engine.hooks.episodeScore = [](Engine& e) {
    EnterHighScore(e);
    ShowHighScores(e, e.session.Episode, e.session.Skill, 0);
  };
}

}  // namespace hopwerk
