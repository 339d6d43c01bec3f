#include "gameplay/LoadLevel.h"

#include "data/Console.h"
#include "level/LevelLoading.h"

namespace hopwerk {

// Each reset stays where it falls among the loading steps: the loading screen is a presented
// frame and damage a step finds ends the program here, and the --state dump after either shows
// exactly which of them had happened.
void LoadLevel(Engine& engine) {
  RunningLevel& run = engine.run;
  run.PanTargetX = -1;
  run.PanTargetY = -1;
  run.PanReturning = 0;
  run.BossObject = nullptr;
  ShowLevelLoading(engine);
  for (int k = 1; k <= 9; ++k) run.Keys[k] = 0;
  EndOnLoadError(engine, ReadLevelSettings(engine));
  // The frame's lists and the boss point into the objects about to be dropped.
  ClearFrameLists(run);
  run.BossObject = nullptr;
  EndOnLoadError(engine, ReadLevelMap(engine));
  run.LevelCompleted = 0;
  run.NextLevelName.clear();
  run.EpisodeEnds = 0;
  EndOnLoadError(engine, RunLevelCheckpoints(engine));
}

}  // namespace hopwerk
