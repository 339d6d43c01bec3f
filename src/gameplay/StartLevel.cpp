#include "gameplay/StartLevel.h"

#include "gameplay/LevelLoop.h"
#include "gameplay/RecordCheckpoint.h"
#include "level/LevelLoading.h"

namespace hopwerk {

void StartLevel(Engine& engine, int mode) {
  PlayState& play = engine.play;
  play.JumpValue = 0.0f;
  if (mode == kStartAtCheckpoint) {
    // The loader runs the scripts the checkpoint had collected.
    LoadLevel(engine);
    if (ObjectType* player = engine.level.Player) {
      player->X = play.CheckpointX;
      player->Y = play.CheckpointY;
    }
    play.Score = play.CheckpointScore;
  } else {
    play.CheckpointList.assign(1, "Start");
    LoadLevel(engine);
    RecordCheckpoint(engine);
  }
  RunLevelLoop(engine);
}

void InstallLevelPlay(Engine& engine) {
  engine.hooks.startLevel = [](Engine& e) { StartLevel(e, kStartFresh); };
  engine.hooks.continueLevel = [](Engine& e) { StartLevel(e, kStartAtCheckpoint); };
}

}  // namespace hopwerk
