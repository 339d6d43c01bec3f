#include "gameplay/StartLevel.h"

#include "gameplay/LevelLoop.h"
#include "gameplay/LoadLevel.h"
#include "gameplay/RecordCheckpoint.h"

namespace hopwerk {

void StartLevel(Engine& engine, int mode) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  run.JumpValue = 0.0f;
  if (mode == kStartAtCheckpoint) {
    // The loader runs the scripts the checkpoint had collected.
    LoadLevel(engine);
    if (ObjectType* player = engine.level.Player) {
      player->X = session.CheckpointX;
      player->Y = session.CheckpointY;
    }
    session.Score = session.CheckpointScore;
  } else {
    session.CheckpointList.assign(1, "Start");
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
