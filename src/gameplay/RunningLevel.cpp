#include "gameplay/RunningLevel.h"

namespace hopwerk {

void ClearFrameLists(RunningLevel& run) {
  run.ActiveWalls.clear();
  run.ActiveWallGrid.Clear();
  run.ActiveObjects.clear();
  run.ActiveActors.clear();
  run.AllActors.clear();
}

}  // namespace hopwerk
