// The .hwt text forms of vxr pack, and the reverse conversion vxr unpack makes of raw entry
// bytes. The first byte picks the format.
#include "FuzzSupport.h"
#include "schema/EntryText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  if (size == 0) return 0;
  const auto& formats = EntryFormats();
  const EntryFormat& format = formats[data[0] % formats.size()];
  const std::string text = fuzz::ToString(data + 1, size - 1);
  std::vector<uint8_t> bytes;
  EntryTextError error;
  std::string back, reason;
  if (EntryTextToBytes(format, text, bytes, error)) EntryBytesToText(format, bytes, back, reason);
  EntryBytesToText(format, fuzz::ToVector(data + 1, size - 1), back, reason);
  return 0;
}
