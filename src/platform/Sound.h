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

enum class SoundFormat { None, Wav, Ogg };

// Looks at a file's header: "RIFF....WAVE" is a WAV, "OggS" an OGG; anything else (or a file
// that cannot be read, or whose header says it plays past kMaxSoundMillis) is None. Sets
// *durationMillis from the header when it can be computed cheaply (WAV data size and byte rate,
// Vorbis sample rate and last granule), else -1.
SoundFormat ProbeSoundFile(const std::string& path, int64_t* durationMillis);

}  // namespace hopwerk
