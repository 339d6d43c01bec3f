// The project's player actor: the name of the first actor definition whose Control is 1, so
// that a map which places the player without naming its actor gets the project's own.
#pragma once

#include <string>

namespace hopwerk {

// Looks in PROJECT/VXR/Actors.vxr, then among the readable forms in PROJECT/Actors/ (a
// project's sources, as vxr extract lays them out). Empty when neither has one.
std::string FindPlayerActor(const std::string& projectFolder);

}  // namespace hopwerk
