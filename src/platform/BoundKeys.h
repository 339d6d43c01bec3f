// The keys the player bound to the game's actions. The platform asks for them at the moment of
// each press (a pad button stands for one, and F12 takes a screenshot only when it is free), so
// a rebinding takes effect at once.
#pragma once

#include <functional>

namespace hopwerk {

// 0: not bound.
struct BoundKeys {
  int jump = 0;
  int fire = 0;
  int activate = 0;
  int pause = 0;

  bool Holds(int key) const {
    return key != 0 && (key == jump || key == fire || key == activate || key == pause);
  }
};

using BoundKeysSource = std::function<BoundKeys()>;

}  // namespace hopwerk
