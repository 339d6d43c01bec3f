#include "gameplay/PlayState.h"

namespace hopwerk {

void ClearFrameLists(PlayState& play) {
  play.ActiveWalls.clear();
  play.ActiveWallGrid.Clear();
  play.ActiveObjects.clear();
  play.ActiveActors.clear();
  play.AllActors.clear();
}

}  // namespace hopwerk
