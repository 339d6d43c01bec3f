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

void RemoveFromLevel(LevelState& level, ObjectType& object) {
  level.AllObjects.Remove(object);
  // An object knows its place in its layer, so the one that holds it is found without the
  // Level field, which a hostile level may have set to anything.
  for (LayerList& layer : level.LayerLists) {
    if (layer.Remove(object)) break;
  }
}

void MoveToFrontLayer(LevelState& level, ObjectType& object) {
  for (LayerList& layer : level.LayerLists) {
    if (layer.Remove(object)) break;
  }
  object.Level = 0;
  level.LayerLists[0].Append(object);
}

}  // namespace hopwerk
