// Actor and collectable definitions: one entry per kind in the actors and collectables
// archives, loaded once per level and shared by every object of that kind (names compared
// without regard to letter case).
#pragma once

#include <memory>
#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// Give every actor object (OType 2) its definition and hit points, loading each kind once.
void LinkActors(Engine& engine);
// Give every collectable object (OType 3) its definition, animation and picture.
void LinkCollectables(Engine& engine);

// The definition `name` with its pictures; null only when the archive layer lets a missing
// entry through. A damaged entry ends the program through FatalError.
std::unique_ptr<ActorType> LoadActorDef(Engine& engine, const std::string& name);
std::unique_ptr<CollectableType> LoadCollectableDef(Engine& engine, const std::string& name);

}  // namespace hopwerk
