// Entries that a chosen patch may replace.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// The entry from the patch's archive when a patch is chosen and its archive holds the entry,
// else from the project's own archive. Without a patch the patch archive is never touched.
VXRStreamPtr OpenPatchedEntry(Engine& engine, const std::string& baseArchive,
                              const std::string& patchArchive, const std::string& entry);

}  // namespace hopwerk
