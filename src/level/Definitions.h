// Actor and collectable definitions: one entry per kind in the actors and collectables
// archives, loaded once per level and shared by every object of that kind (names compared
// without regard to letter case).
#pragma once

#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Give every actor object (OType 2) its definition and hit points, loading each kind once;
// the first damaged definition stops it.
LoadFault LinkActors(Engine& engine);
// Give every collectable object (OType 3) its definition, animation and picture.
LoadFault LinkCollectables(Engine& engine);

// The definition `name` with its pictures; null only when the archive layer lets a missing
// entry through.
Loaded<std::unique_ptr<ActorType>> LoadActorDef(Engine& engine, const std::string& name);
Loaded<std::unique_ptr<CollectableType>> LoadCollectableDef(Engine& engine,
                                                            const std::string& name);

}  // namespace hopwerk
