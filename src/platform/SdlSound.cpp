// Sound through SDL2_mixer. The device is opened on first use; a machine without one plays
// nothing but loads and "plays" exactly as the game logic expects.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>

#include "codec/SoundDecode.h"
#include "codec/SoundProbe.h"
#include "files/ByteStream.h"
#include "platform/SdlPlatform.h"
#include "platform/SdlWav.h"
#include "platform/Sound.h"

namespace hopwerk {

namespace {
constexpr int kInitialMixerChannels = 32;
constexpr int kMixRate = 44100;
constexpr int kMixBufferFrames = 1024;  // about 23 ms: short enough for shots and pick-ups
}  // namespace

bool SdlPlatform::StartAudio() {
  if (audioTried_) return audioOpen_;
  audioTried_ = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "hopwerk: no sound: %s\n", SDL_GetError());
    return false;
  }
  Mix_Init(MIX_INIT_OGG);
  if (Mix_OpenAudio(kMixRate, MIX_DEFAULT_FORMAT, 2, kMixBufferFrames) != 0) {
    std::fprintf(stderr, "hopwerk: no sound: %s\n", Mix_GetError());
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  mixerChannels_ = Mix_AllocateChannels(kInitialMixerChannels);
  audioOpen_ = true;
  SetMuted(muted_);
  return true;
}

void SdlPlatform::SetMuted(bool muted) {
  muted_ = muted;
  // The master volume leaves each channel's own volume alone, so unmuting restores the mix the
  // game had set meanwhile.
  if (audioOpen_) Mix_MasterVolume(muted ? 0 : MIX_MAX_VOLUME);
}

void SdlPlatform::StopAudio() {
  if (!audioOpen_) return;
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioOpen_ = false;
  mixerChannels_ = 0;
}

SoundPtr SdlPlatform::LoadSoundFile(const std::string& path, bool loop) {
  // Only WAV and OGG, with or without a device, so a project behaves the same on every machine.
  int64_t duration = -1;
  const SoundFormat kind = ProbeSoundFile(path, &duration);
  if (kind == SoundFormat::None) return nullptr;
  auto sound = std::make_shared<Sound>();
  sound->path = path;
  sound->loop = loop;
  sound->durationMillis = duration;
  if (!StartAudio()) return sound;

  // The bytes come through the engine's stream, so the mixer decodes exactly the regular,
  // size-checked file that was probed, never a device or pipe put in its place meanwhile.
  auto in = ByteStream::Open(path, ByteStream::Mode::Read);
  if (!in) return nullptr;
  std::string bytes = in->ReadString(static_cast<int>(in->Size()));
  // Decoded here, under the engine's limits, rather than by the mixer without any.
  if (kind == SoundFormat::Ogg) {
    bytes = OggToWav(bytes);
  } else {
    bytes = CheckedWav(std::move(bytes));
  }
  if (bytes.empty()) return nullptr;
  SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (memory == nullptr) return nullptr;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(memory, 1);
  if (chunk == nullptr) return nullptr;
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) {
    const int64_t bytesPerSecond = static_cast<int64_t>(frequency) * channels *
                                   static_cast<int64_t>(SDL_AUDIO_BITSIZE(format) / 8);
    if (bytesPerSecond > 0) {
      sound->durationMillis = static_cast<int64_t>(chunk->alen) * 1000 / bytesPerSecond;
    }
  }
  // Freeing a chunk also takes it off any channel still playing it, even after the mixer
  // closed, so sounds may outlive the platform.
  sound->native =
      std::shared_ptr<void>(chunk, [](void* p) { Mix_FreeChunk(static_cast<Mix_Chunk*>(p)); });
  return sound;
}

Channel SdlPlatform::PlaySoundOn(const SoundPtr& sound) {
  if (!sound || !audioOpen_ || !sound->native) return kNoChannel;
  auto* chunk = static_cast<Mix_Chunk*>(sound->native.get());
  int free = -1;
  for (int i = 0; i < mixerChannels_; ++i) {
    if (Mix_Playing(i) == 0) {
      free = i;
      break;
    }
  }
  if (free < 0) {
    if (mixerChannels_ >= kMaxMixerChannels) return kNoChannel;
    const int grown = std::min(kMaxMixerChannels, mixerChannels_ * 2);
    free = mixerChannels_;
    mixerChannels_ = Mix_AllocateChannels(grown);
    if (free >= mixerChannels_) return kNoChannel;
  }
  // A channel keeps the volume its previous sound was given; every play starts at full.
  Mix_Volume(free, MIX_MAX_VOLUME);
  if (Mix_PlayChannel(free, chunk, sound->loop ? -1 : 0) < 0) return kNoChannel;
  return AssignChannel(channels_, free);
}

void SdlPlatform::StopChannel(Channel channel) {
  const int mixer = MixerChannelOf(channels_, channel);
  if (audioOpen_ && mixer >= 0) Mix_HaltChannel(mixer);
}

bool SdlPlatform::ChannelPlaying(Channel channel) {
  const int mixer = MixerChannelOf(channels_, channel);
  return audioOpen_ && mixer >= 0 && Mix_Playing(mixer) != 0;
}

void SdlPlatform::SetChannelVolume(Channel channel, float volume) {
  const int mixer = MixerChannelOf(channels_, channel);
  if (audioOpen_ && mixer >= 0) Mix_Volume(mixer, MixerVolume(volume));
}

}  // namespace hopwerk
