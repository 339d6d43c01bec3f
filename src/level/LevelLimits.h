// How much of a level the engine takes in. Each limit is far above any real level; an entry that
// crosses one is damaged or hostile, and loading it ends with the loader's own "corrupted"
// message before memory or frame time grow with it.
#pragma once

#include <cstddef>

namespace hopwerk {

// Map objects of one level (a record of one byte makes an object of some 300 bytes).
constexpr size_t kMaxLevelObjects = 65536;
// Scripts alive at once in a level, whichever script files brought them in.
constexpr size_t kMaxLevelScripts = 65536;

}  // namespace hopwerk
