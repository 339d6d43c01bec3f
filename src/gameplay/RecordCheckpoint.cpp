#include "gameplay/RecordCheckpoint.h"

namespace hopwerk {

void RecordCheckpoint(Engine& engine) {
  PlayState& play = engine.play;
  play.CheckpointList.assign(1, "Start");
  if (const ObjectType* player = engine.level.Player) {
    play.CheckpointX = player->X;
    play.CheckpointY = player->Y;
  }
  play.CheckpointScore = play.Score;
}

}  // namespace hopwerk
