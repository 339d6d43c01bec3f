// The Episode entry of the General archive and the patch's Episode.PPF file beside it; the
// input holds both, split at the part separator.
#include "FuzzSupport.h"
#include "data/Console.h"
#include "frontend/EpisodeList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  const auto parts = fuzz::SplitParts(data, size, 2);
  f.WriteArchive("General.vxr", {{"Episode", parts[0], 0}});
  fuzz::WriteBytes(f.Home() + "/Patch.PPF/Episode.PPF", parts[1].data(), parts[1].size());
  f.engine->settings.PatchFolder = f.Home() + "/Patch.PPF";
  f.Run([](Engine& e) {
    EndOnLoadError(e, ReadEpisodeEntry(e));
    ApplyEpisodePatchFile(e);
    CountOfferedEpisodes(e);
  });
  return 0;
}
