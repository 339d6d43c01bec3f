// The start-up loading sequence shown on the console.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Banner, the project's identity and welcome text, and the identity check of every archive.
void GeneralLoading(Engine& engine);

}  // namespace hopwerk
