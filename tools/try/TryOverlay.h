// The overlay a tried level plays in: a fresh temporary folder that stands in for the game
// project. Its VXR/ links every archive of the project but Maps.vxr, which is written anew with
// the tried level in it; its Data/ mirrors the project's (real folders, linked files) so that
// the level's pictures can be written in place without touching the project; every other item
// of the project is linked. The project's own files are never written.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "TiledPictures.h"
#include "archive/Vxr.h"

namespace hopwerk {

struct TryOverlay {
  std::string folder;  // absolute, ends in "/"; empty while none is made
  int ownerLock = -1;  // held while the overlay is in use (see MakeTryOverlay)
};

// Makes and fills a fresh overlay of `project` (absolute, ends in "/") in the system's
// temporary folder ($TMPDIR, else /tmp), first removing the overlays of runs that ended
// without removing their own. False with the problem, and nothing left behind, on failure.
bool MakeTryOverlay(const std::string& project, TryOverlay& overlay, std::string& problem);
// Links files added to the project's Data/ since the overlay was made (a new picture the map
// now names); nothing the overlay holds is changed.
void RefreshTryOverlay(const std::string& project, const TryOverlay& overlay);
// Removes the overlay and everything in it (links, not what they lead to).
void RemoveTryOverlay(TryOverlay& overlay);

// Every record of an archive with its bytes as stored, in directory order. False with the
// problem when the archive cannot be read whole.
bool ReadArchiveEntries(const std::string& path, std::vector<VxrWriteEntry>& entries,
                        std::string& problem);

// Writes the overlay's Maps.vxr at once (a temporary file renamed over it): the project's
// records as stored, those of `level` (ASCII case ignored) left out, and the level's entries.
bool WriteTryMaps(const TryOverlay& overlay, const std::vector<VxrWriteEntry>& projectMaps,
                  const std::string& level, const std::vector<VxrWriteEntry>& levelEntries,
                  std::string& problem);
// What a picture written into the overlay holds, to tell whether a new cut of it differs.
struct WrittenPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool operator==(const WrittenPicture&) const = default;
};
using WrittenPictures = std::map<std::string, WrittenPicture>;  // by path under Data/

// Writes the cut pictures into the overlay's Data/, each in place of the project's link there;
// those `written` already holds as they are now are left alone.
bool WriteTryPictures(const TryOverlay& overlay, const TiledPictures& pictures,
                      WrittenPictures& written, std::string& problem);

}  // namespace hopwerk
