// The picture operations both platforms share: they need no window, only the pixels.
#include "platform/PlatformCommon.h"

namespace hopwerk {

// Picture paths resolve like every other file path (backslashes accepted, relative to the
// working folder), so a picture and a stream opened by the same name read the same file.
// Nothing is decoded that would not fit in what remains of the picture budget.
PicturePtr PlatformCommon::LoadPicture(const std::string& path) {
  if (path.empty()) return nullptr;
  return pictureBudget_.Keep(LoadPictureFile(ResolvePath(path), pictureBudget_.Remaining()));
}

PicturePtr PlatformCommon::LoadPictureStrip(const std::string& path, int cellWidth, int cellHeight,
                                            int firstCell, int cellCount) {
  if (path.empty()) return nullptr;
  return pictureBudget_.Keep(LoadPictureStripFile(
      ResolvePath(path), cellWidth, cellHeight, firstCell, cellCount, pictureBudget_.Remaining()));
}

PicturePtr PlatformCommon::CreatePicture(int width, int height, int frames) {
  return pictureBudget_.Keep(CreateBlankPicture(width, height, frames, pictureBudget_.Remaining()));
}

bool PlatformCommon::PicturesOverlap(const Picture& p1, float x1, float y1, int frame1,
                                     const Picture& p2, float x2, float y2, int frame2) {
  return hopwerk::PicturesOverlap(p1, x1, y1, frame1, p2, x2, y2, frame2);
}

bool PlatformCommon::PicturesOverlapTransformed(const Picture& p1, float x1, float y1, int frame1,
                                                float rot1, float sx1, float sy1, const Picture& p2,
                                                float x2, float y2, int frame2, float rot2,
                                                float sx2, float sy2) {
  return hopwerk::PicturesOverlapTransformed(p1, x1, y1, frame1, rot1, sx1, sy1, p2, x2, y2, frame2,
                                             rot2, sx2, sy2);
}

}  // namespace hopwerk
