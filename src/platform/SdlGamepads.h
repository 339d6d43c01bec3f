// Game controllers through SDL: opens every pad SDL's controller database knows, as it is
// plugged in, and turns its events into the keys the pad stands for.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/PadMap.h"

union SDL_Event;
struct _SDL_GameController;

namespace hopwerk {

class SdlGamepads {
 public:
  SdlGamepads() = default;
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Starts SDL's controller subsystem; extra mappings are read from `mappingFile` when it
  // exists. Pads already plugged in arrive as added-device events like later ones.
  bool Start(const std::string& mappingFile);
  void Stop();

  // Takes one SDL event; true when it was a pad's. `bound` is asked at each press (it may be
  // empty: the action buttons then press nothing).
  bool HandleEvent(const SDL_Event& event, const BoundKeysSource& bound);

  PadKeyboard& Keys() { return keys_; }
  int ConnectedCount() const { return static_cast<int>(open_.size()); }

 private:
  void Open(int deviceIndex);
  void Close(int instanceId);

  bool started_ = false;
  std::map<int, _SDL_GameController*> open_;  // by joystick instance id
  PadKeyboard keys_;
};

}  // namespace hopwerk
