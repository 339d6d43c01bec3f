#include "data/PatchedEntry.h"

namespace hopwerk {

VXRStreamPtr OpenPatchedEntry(Engine& engine, const std::string& baseArchive,
                              const std::string& patchArchive, const std::string& entry) {
  if (!engine.settings.PatchFolder.empty() && VXR_HasEntry(engine.vxr, patchArchive, entry) == 1) {
    return VXR_Open(engine.vxr, patchArchive, entry, "", 0);
  }
  return VXR_Open(engine.vxr, baseArchive, entry, "", 0);
}

}  // namespace hopwerk
