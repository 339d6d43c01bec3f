// The objects a script's command acts on. The level is searched once per script; later passes
// visit what that search found, less the objects that have left the level since.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Calls fn(ObjectType&) for every object of level.AllObjects, in list order, for which
// match(const ObjectType&) holds. fn may remove the object it is given from the level.
template <typename Match, typename Fn>
void ForEachTarget(LevelState& level, ScriptType& script, Match&& match, Fn&& fn) {
  if (!script.targetsFound) {
    level.AllObjects.Walk([&](ObjectType& o) {
      if (match(o)) script.targets.push_back(&o);
    });
    script.targetsFound = true;
  }
  for (ObjectType* o : script.targets) {
    if (level.AllObjects.Contains(*o)) fn(*o);
  }
}

}  // namespace hopwerk
