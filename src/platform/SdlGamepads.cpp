#include "platform/SdlGamepads.h"

#include <SDL.h>
#include <sys/stat.h>

namespace hopwerk {

namespace {

bool PadInputOfButton(Uint8 button, PadInput& input) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      input = PadInput::South;
      return true;
    case SDL_CONTROLLER_BUTTON_X:
      input = PadInput::West;
      return true;
    case SDL_CONTROLLER_BUTTON_Y:
      input = PadInput::North;
      return true;
    case SDL_CONTROLLER_BUTTON_START:
      input = PadInput::Start;
      return true;
    case SDL_CONTROLLER_BUTTON_BACK:
      input = PadInput::Back;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      input = PadInput::DpadUp;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      input = PadInput::DpadDown;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      input = PadInput::DpadLeft;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      input = PadInput::DpadRight;
      return true;
    default:
      return false;
  }
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

SdlGamepads::~SdlGamepads() {
  Stop();
}

bool SdlGamepads::Start(const std::string& mappingFile) {
  if (started_) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  started_ = true;
  // A broken line in the player's own database only loses that pad's mapping.
  if (!mappingFile.empty() && IsRegularFile(mappingFile)) {
    SDL_GameControllerAddMappingsFromFile(mappingFile.c_str());
  }
  return true;
}

void SdlGamepads::Stop() {
  if (!started_) return;
  while (!open_.empty()) Close(open_.begin()->first);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  started_ = false;
}

void SdlGamepads::Open(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || open_.count(id) != 0) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  open_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller))] = controller;
}

void SdlGamepads::Close(int instanceId) {
  const auto found = open_.find(instanceId);
  if (found != open_.end()) {
    SDL_GameControllerClose(found->second);
    open_.erase(found);
  }
  // Whatever the pad held is let go, so no key stays stuck after it is pulled out.
  keys_.RemovePad(instanceId);
}

bool SdlGamepads::HandleEvent(const SDL_Event& event, const BoundKeysSource& bound) {
  const auto bindings = [&bound] { return bound ? bound() : BoundKeys{}; };
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      if (open_.count(event.cbutton.which) == 0) return true;
      PadInput input = PadInput::Count;
      if (!PadInputOfButton(event.cbutton.button, input)) return true;
      const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
      keys_.SetInput(event.cbutton.which, input, down, down ? bindings() : BoundKeys{});
      return true;
    }
    case SDL_CONTROLLERAXISMOTION:
      if (open_.count(event.caxis.which) == 0) return true;
      // Directions only press arrow keys, which no binding changes.
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        keys_.SetStickX(event.caxis.which, event.caxis.value, BoundKeys{});
      } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        keys_.SetStickY(event.caxis.which, event.caxis.value, BoundKeys{});
      }
      return true;
    default:
      return false;
  }
}

}  // namespace hopwerk
