#include "gameplay/ChangeLevelIfDue.h"

#include "gameplay/LoadLevel.h"
#include "gameplay/RecordCheckpoint.h"
#include "gameplay/StopLevelMusic.h"

namespace hopwerk {

void ChangeLevelIfDue(Engine& engine) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  if (run.LevelCompleted != 1 || run.CompletedCountdown != 0) return;
  session.CurrentLevelName = run.NextLevelName;
  StopLevelMusic(engine);
  // The level loop sees the same state and ends the episode.
  if (run.EpisodeEnds == 1) return;
  RecordCheckpoint(engine);
  LoadLevel(engine);
  RecordCheckpoint(engine);
}

}  // namespace hopwerk
