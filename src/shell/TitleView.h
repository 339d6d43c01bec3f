// The logo and title pictures, faded in and out once at start-up.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

void TitleView(Engine& engine);
// One picture's fade in, hold and fade out; Escape skips the rest of it.
void ShowTitlePicture(Engine& engine, const PicturePtr& picture);

}  // namespace hopwerk
