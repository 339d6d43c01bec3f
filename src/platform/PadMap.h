// Gamepads in the engine's terms: which keyboard keys a pad's buttons and left stick stand for.
// Pure bookkeeping with no SDL types, so the mapping can be tested without a device.
#pragma once

#include <array>
#include <map>
#include <vector>

#include "platform/BoundKeys.h"

namespace hopwerk {

// Everything on a pad the engine reacts to. The stick's four directions count as inputs of
// their own once the stick has passed its dead zone.
enum class PadInput {
  South,
  West,
  North,
  Start,
  Back,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
  StickUp,
  StickDown,
  StickLeft,
  StickRight,
  Count
};
constexpr int kPadInputCount = static_cast<int>(PadInput::Count);

// A stick direction engages past kStickPressAt and lets go below kStickReleaseAt, so a thumb
// resting near the edge does not flicker between held and released.
constexpr int kStickPressAt = 16000;
constexpr int kStickReleaseAt = 10000;

// The keys one input presses (0: none). South also presses Enter, which every menu and prompt
// answers to and which nothing in play reads.
std::array<int, 2> KeysOfPadInput(PadInput input, const BoundKeys& bound);

// Whether a stick direction is held after the axis moved to `towards` (the axis value measured
// in that direction: positive is towards it).
bool StickDirectionHeld(bool wasHeld, int towards);

// The keys held by every connected pad, counted so that two inputs or two pads on one key do
// not release each other, and the presses not yet read.
class PadKeyboard {
 public:
  // A button or D-pad direction of pad `pad` went down or up.
  void SetInput(int pad, PadInput input, bool down, const BoundKeys& bound);
  // The left stick of pad `pad` moved; x grows to the right, y downwards.
  void SetStickX(int pad, int x, const BoundKeys& bound);
  void SetStickY(int pad, int y, const BoundKeys& bound);
  // The pad is gone: every key it held is released.
  void RemovePad(int pad);

  bool IsDown(int key) const;
  // The key presses since the last call, in order.
  std::vector<int> TakePresses();
  void DropPresses() { presses_.clear(); }

 private:
  using HeldKeys = std::array<std::array<int, 2>, kPadInputCount>;
  void Press(int key);
  void Release(int key);

  std::map<int, HeldKeys> pads_;  // per pad, the keys each held input pressed
  std::array<int, 256> held_ = {};
  std::vector<int> presses_;
};

}  // namespace hopwerk
