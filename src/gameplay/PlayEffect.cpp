#include "gameplay/PlayEffect.h"

#include <algorithm>

#include "data/ProjectFiles.h"

namespace hopwerk {

SoundPtr LoadEffectSound(Engine& engine, const std::string& name) {
  Platform& p = engine.platform;
  const std::string patched =
      ResolveProjectFile(engine, "Data/SFX/", "SFX/", name, PatchCopy::File);
  SoundPtr sound = patched.empty() ? nullptr : p.LoadSoundFile(patched, false);
  if (!sound) {
    const std::string own = ResolveProjectFile(engine, "", "SFX/", name, PatchCopy::Never);
    if (!own.empty() && own != patched) sound = p.LoadSoundFile(own, false);
  }
  return sound;
}

Channel PlayKeptSound(Engine& engine, const SoundPtr& sound) {
  if (!sound) return kNoChannel;
  Platform& p = engine.platform;
  auto& held = engine.run.SoundsPlaying;
  const Channel channel = p.PlaySoundOn(sound);
  if (channel == kNoChannel) return channel;
  // The newest play of a sound ends last, so one entry per sound is enough; the list stays
  // as short as the number of different sounds playing.
  const auto same = std::find_if(held.begin(), held.end(),
                                 [&](const auto& entry) { return entry.second == sound; });
  if (same != held.end()) {
    same->first = channel;
    return channel;
  }
  std::erase_if(held, [&](const auto& entry) { return !p.ChannelPlaying(entry.first); });
  held.emplace_back(channel, sound);
  return channel;
}

void PlayEffect(Engine& engine, const SoundPtr& sound) {
  if (!sound) return;
  RunningLevel& run = engine.run;
  const Channel channel = PlayKeptSound(engine, sound);
  const int32_t slots = static_cast<int32_t>(kEffectChannels);
  const int32_t at = run.EffectIndex >= 0 && run.EffectIndex < slots ? run.EffectIndex : 0;
  run.EffectChannels[static_cast<size_t>(at)] = channel;
  run.EffectIndex = at + 1 < slots ? at + 1 : 0;
}

}  // namespace hopwerk
