#include "level/LevelState.h"

namespace hopwerk {

void ClearLevelObjects(LevelState& level) {
  // Lists first: they point into the store.
  for (LayerList& layer : level.LayerLists) layer.Clear();
  level.AllObjects.Clear();
  level.Player = nullptr;
  level.ObjectStore.clear();
  level.Pictures.clear();
}

}  // namespace hopwerk
