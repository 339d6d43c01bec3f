#include "platform/PadMap.h"

#include <cstddef>

#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

constexpr std::size_t kMaxPendingPresses = 256;

bool ValidKey(int key) {
  return key >= 1 && key <= 255;
}

// SDL's axes span a 16-bit range; anything wider is clipped so negating it cannot overflow.
int ClampAxis(int value) {
  return value < -32768 ? -32768 : (value > 32767 ? 32767 : value);
}

}  // namespace

std::array<int, 2> KeysOfPadInput(PadInput input, const BoundKeys& bound) {
  switch (input) {
    case PadInput::South:
      return {bound.jump, kKeyEnter};
    case PadInput::West:
      return {bound.fire, 0};
    case PadInput::North:
      return {bound.activate, 0};
    case PadInput::Start:
      return {bound.pause, 0};
    case PadInput::Back:
      return {kKeyEscape, 0};
    case PadInput::DpadUp:
    case PadInput::StickUp:
      return {kKeyUp, 0};
    case PadInput::DpadDown:
    case PadInput::StickDown:
      return {kKeyDown, 0};
    case PadInput::DpadLeft:
    case PadInput::StickLeft:
      return {kKeyLeft, 0};
    case PadInput::DpadRight:
    case PadInput::StickRight:
      return {kKeyRight, 0};
    case PadInput::Count:
      break;
  }
  return {0, 0};
}

bool StickDirectionHeld(bool wasHeld, int towards) {
  return wasHeld ? towards >= kStickReleaseAt : towards > kStickPressAt;
}

void PadKeyboard::Press(int key) {
  ++held_[static_cast<std::size_t>(key)];
  // Presses nobody reads (a pad mashed during a long load) must not pile up without end.
  if (presses_.size() < kMaxPendingPresses) presses_.push_back(key);
}

void PadKeyboard::Release(int key) {
  if (held_[static_cast<std::size_t>(key)] > 0) --held_[static_cast<std::size_t>(key)];
}

void PadKeyboard::SetInput(int pad, PadInput input, bool down, const BoundKeys& bound) {
  if (input == PadInput::Count) return;
  std::array<int, 2>& keys = pads_[pad][static_cast<std::size_t>(input)];
  const bool wasDown = keys[0] != 0 || keys[1] != 0;
  if (down == wasDown) return;
  if (down) {
    keys = KeysOfPadInput(input, bound);
    // A key bound to nothing the engine knows stays unpressed; the input still counts as
    // released until it goes down again.
    for (int& key : keys) {
      if (!ValidKey(key)) key = 0;
    }
    if (keys[1] == keys[0]) keys[1] = 0;
    for (const int key : keys) {
      if (key != 0) Press(key);
    }
  } else {
    // The keys this input pressed, not the ones bound now: a rebinding while held must not
    // leave the old key down.
    for (int& key : keys) {
      if (key != 0) Release(key);
      key = 0;
    }
  }
}

void PadKeyboard::SetStickX(int pad, int x, const BoundKeys& bound) {
  x = ClampAxis(x);
  const HeldKeys& keys = pads_[pad];
  const auto held = [&](PadInput input) { return keys[static_cast<std::size_t>(input)][0] != 0; };
  SetInput(pad, PadInput::StickLeft, StickDirectionHeld(held(PadInput::StickLeft), -x), bound);
  SetInput(pad, PadInput::StickRight, StickDirectionHeld(held(PadInput::StickRight), x), bound);
}

void PadKeyboard::SetStickY(int pad, int y, const BoundKeys& bound) {
  y = ClampAxis(y);
  const HeldKeys& keys = pads_[pad];
  const auto held = [&](PadInput input) { return keys[static_cast<std::size_t>(input)][0] != 0; };
  SetInput(pad, PadInput::StickUp, StickDirectionHeld(held(PadInput::StickUp), -y), bound);
  SetInput(pad, PadInput::StickDown, StickDirectionHeld(held(PadInput::StickDown), y), bound);
}

void PadKeyboard::RemovePad(int pad) {
  const auto found = pads_.find(pad);
  if (found == pads_.end()) return;
  for (const std::array<int, 2>& keys : found->second) {
    for (const int key : keys) {
      if (key != 0) Release(key);
    }
  }
  pads_.erase(found);
}

bool PadKeyboard::IsDown(int key) const {
  return ValidKey(key) && held_[static_cast<std::size_t>(key)] > 0;
}

std::vector<int> PadKeyboard::TakePresses() {
  std::vector<int> presses;
  presses.swap(presses_);
  return presses;
}

}  // namespace hopwerk
