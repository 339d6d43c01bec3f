#include "gameplay/RecordCheckpoint.h"

namespace hopwerk {

void RecordCheckpoint(Engine& engine) {
  SessionState& session = engine.session;
  session.CheckpointList.assign(1, "Start");
  if (const ObjectType* player = engine.level.Player) {
    session.CheckpointX = player->X;
    session.CheckpointY = player->Y;
  }
  session.CheckpointScore = session.Score;
}

}  // namespace hopwerk
