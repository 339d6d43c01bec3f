#include "gameplay/ChangeLevelIfDue.h"

#include "gameplay/RecordCheckpoint.h"
#include "gameplay/StopLevelMusic.h"
#include "level/LevelLoading.h"

namespace hopwerk {

void ChangeLevelIfDue(Engine& engine) {
  PlayState& play = engine.play;
  if (play.LevelCompleted != 1 || play.CompletedCountdown != 0) return;
  play.CurrentLevelName = play.NextLevelName;
  StopLevelMusic(engine);
  // The level loop sees the same state and ends the episode.
  if (play.EpisodeEnds == 1) return;
  RecordCheckpoint(engine);
  LoadLevel(engine);
  RecordCheckpoint(engine);
}

}  // namespace hopwerk
