// The replay input file of hopwerk-replay.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<hopwerk::ReplayEvent> events;
  std::string error;
  hopwerk::ParseReplayScript(hopwerk::fuzz::ToString(data, size), events, error);
  return 0;
}
