// What a loader found wrong with a project's data. Loaders do not end the program: they return
// the message the player must see, and the screen that asked for the load shows it and ends
// the program (FatalError), so a loader can be tried, tested and reused without ending anything.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace hopwerk {

struct LoadError {
  std::string message;
};

// Nothing wrong, or what was.
using LoadFault = std::optional<LoadError>;

// A loader's value, or what went wrong (then the value is left as it was made).
template <class T>
struct Loaded {
  T value{};
  LoadFault error;
};

inline LoadFault Fault(std::string message) {
  return LoadError{std::move(message)};
}

}  // namespace hopwerk
