// PNG pictures as the engine loads them: whole, and cut into a strip of cells.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  const std::string path = f.Project() + "/Data/Fuzz.png";
  fuzz::WriteBytes(path, data, size);
  f.Run([&path](Engine& e) {
    PicturePtr whole = e.platform.LoadPicture(path);
    PicturePtr strip = e.platform.LoadPictureStrip(path, 3, 2, 1, 4);
    if (whole) e.platform.DrawPicture(*whole, 1, 1, 0);
    if (strip) e.platform.DrawPicture(*strip, 1, 1, 3);
  });
  return 0;
}
