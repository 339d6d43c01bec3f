// Script entries of the current level: each holds one or more script records that loading
// appends to the level's running list.
#pragma once

#include <string>

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Appends the records of the current level's script entry `name`, in file order, to
// level.Scripts (the list is not emptied); says what is wrong with a damaged entry, whose
// records up to the damage stay appended.
LoadFault RunScriptFile(Engine& engine, const std::string& name);

}  // namespace hopwerk
