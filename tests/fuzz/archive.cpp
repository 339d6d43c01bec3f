// The archive's directory and entry reads: the bytes are an archive file; every entry it
// lists is opened and read in each of the ways loaders read.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  const std::string path = f.Project() + "/VXR/Fuzz.vxr";
  fuzz::WriteBytes(path, data, size);
  f.Run([&path](Engine& e) {
    std::vector<std::string> names;
    VXR_ReadDir(e.vxr, path);
    // A directory can claim millions of records; a few hundred reach every path.
    for (std::string name = VXR_NextFile(e.vxr); !name.empty() && names.size() < 256;
         name = VXR_NextFile(e.vxr)) {
      names.push_back(name);
    }
    VXR_CloseDir(e.vxr);
    for (const std::string& name : names) {
      if (VXR_HasEntry(e.vxr, path, name) != 1) continue;
      VXRStreamPtr s = VXR_Open(e.vxr, path, name);
      if (!s) continue;
      VXR_ReadInt(e.vxr, s.get());
      VXR_ReadString(e.vxr, s.get());
      VXR_ReadLine(e.vxr, s.get());
      VXR_Seek(e.vxr, s.get(), 1);
      for (int i = 0; i < 4096 && VXR_EOF(e.vxr, s.get()) == 0; ++i) VXR_Read(e.vxr, s.get());
      VXR_Close(e.vxr, s.get());
    }
  });
  return 0;
}
