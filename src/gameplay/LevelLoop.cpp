#include "gameplay/LevelLoop.h"

#include "gameplay/ChangeLevelIfDue.h"
#include "gameplay/CheckCheats.h"
#include "gameplay/CheckDeath.h"
#include "gameplay/EpisodeEnd.h"
#include "gameplay/HandleGameKeys.h"
#include "gameplay/ObjectContacts.h"
#include "gameplay/QuitPrompt.h"
#include "gameplay/UpdateActors.h"
#include "gameplay/UpdateAndDrawFrame.h"
#include "gameplay/UpdatePlayer.h"
#include "gameplay/UpdateScripts.h"

namespace hopwerk {

namespace {

bool EpisodeHasEnded(const RunningLevel& run) {
  return run.LevelCompleted == 1 && run.CompletedCountdown == 0 && run.EpisodeEnds == 1;
}

}  // namespace

bool RunLevelLoopPass(Engine& engine) {
  UpdateAndDrawFrame(engine);
  UpdatePlayer(engine);
  UpdateObjectContacts(engine);
  CheckCheats(engine);
  UpdateScripts(engine);
  CheckDeath(engine);
  UpdateActors(engine);
  ChangeLevelIfDue(engine);
  HandleGameKeys(engine);
  // Waiting for the display's retrace is the game's only pacing.
  engine.platform.PresentFrame(1);
  AskToQuitOnEscape(engine);
  return EpisodeHasEnded(engine.run);
}

void RunLevelLoop(Engine& engine) {
  while (!RunLevelLoopPass(engine)) {
    // Outside the pass, so whatever the hook changes meets a whole frame, never half of one.
    if (engine.hooks.betweenPasses) engine.hooks.betweenPasses(engine);
  }
  ShowEpisodeEnd(engine);
  engine.shell.GameState = 0;
}

}  // namespace hopwerk
