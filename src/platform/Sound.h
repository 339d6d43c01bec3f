// A loaded sound as both platforms hold it. The window platform hangs its decoded mixer data on
// `native`; the headless platform only needs to know what the file is and how long it plays.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace hopwerk {

struct Sound {
  std::string path;             // as the engine named it, "/" separators
  bool loop = false;            // repeats until stopped (level music)
  int64_t durationMillis = -1;  // one pass; -1 when it cannot be told from the header
  std::shared_ptr<void> native;
};

}  // namespace hopwerk
