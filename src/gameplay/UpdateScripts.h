// The level's running scripts: checkpoints, level and episode ends, moving, placing and
// deleting objects, sounds, camera glides and the energy bar.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// One pass over level.Scripts, in list order: counts delays down, runs every active script's
// command and drops the scripts that are done. Nothing it runs loads a level, so the list it
// walks stays the list it started with.
void UpdateScripts(Engine& engine);

// Command 4 for one frame: every object whose ID is the script's ObjID, ignoring letter case,
// takes one step toward the script's target, lifting actors that ride on a rising wall.
// Returns whether every such object has reached the target (true when none matched).
bool MoveScriptObjects(Engine& engine, ScriptType& script);

}  // namespace hopwerk
