// Script entries of the current level: each holds one or more script records that loading
// appends to the level's running list.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// Appends the records of the current level's script entry `name`, in file order, to
// level.Scripts (the list is not emptied). A damaged entry ends the program through FatalError.
void RunScriptFile(Engine& engine, const std::string& name);

}  // namespace hopwerk
