// Pictures of a level, decoded once per file and cut during a load however many objects and
// definitions name them.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// A one-frame picture; null for an empty path or a file that does not load.
PicturePtr LoadLevelPicture(Engine& engine, const std::string& path);
// A strip of `cells` frames of width x height pixels from cell 0 on; null as above, and for a
// cut that the file cannot give.
PicturePtr LoadLevelPictureStrip(Engine& engine, const std::string& path, int32_t width,
                                 int32_t height, int32_t cells);

}  // namespace hopwerk
