// Loading one level of the maps archive: its general data and activity margins, then its map
// objects, definitions, actor set-up, player, music and the scripts of its checkpoint list.
#pragma once

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Loading the level named session.CurrentLevelName, replacing the previous level completely, in
// the order these run. They are steps rather than one call because play resets its own record
// of the running level between them (gameplay/LoadLevel.h runs the whole load): what this
// folder loads never writes play's state. A step that finds damaged level data stops and says
// what it found; the load shows it and ends the program.

// Shows the loading screen; the level's running scripts are dropped.
void ShowLevelLoading(Engine& engine);
// The level's general data and activity margins.
LoadFault ReadLevelSettings(Engine& engine);
// Drops the previous level's objects and reads the new ones, their definitions, the actors'
// set-up and the player, and starts the level's music.
LoadFault ReadLevelMap(Engine& engine);
// Runs the scripts of the session's checkpoint list.
LoadFault RunLevelCheckpoints(Engine& engine);

}  // namespace hopwerk
