// The pictures compiled into the program, named as under "incbin::".
#pragma once

#include <string>

#include "render/Picture.h"

namespace hopwerk {

// "IncBin/GFX/Cursor.png", "IncBin/GFX/Dot.png" or "IncBin/GFX/Egg.png" (exact spelling): a
// fresh picture each call, with handle (0, 0). Any other name: null.
PicturePtr LoadBuiltinPicture(const std::string& name);

}  // namespace hopwerk
