// What a sound file is and how long it plays, from its header alone: both platforms ask before
// they load a sound, the headless one without decoding it at all.
#pragma once

#include <cstdint>
#include <string>

namespace hopwerk {

enum class SoundFormat { None, Wav, Ogg };

// Looks at a file's header: "RIFF....WAVE" is a WAV, "OggS" an OGG; anything else (or a file
// that cannot be read, or whose header says it plays past kMaxSoundMillis) is None. Sets
// *durationMillis from the header when it can be computed cheaply (WAV data size and byte rate,
// Vorbis sample rate and last granule), else -1.
SoundFormat ProbeSoundFile(const std::string& path, int64_t* durationMillis);

}  // namespace hopwerk
