// The status screen drawn over a running level: pictures, bands, shapes and texts, each shown
// by conditions on hit points, the weapon in hand and the keys held.
#pragma once

#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// The elements of a status entry, or what is wrong with it.
Loaded<std::vector<TStatus>> ReadStatusScreen(Engine& engine, const std::string& archive,
                                              const std::string& entry);
// The same, for the loading console: damage is shown and ends the program.
std::vector<TStatus> LoadStatusScreen(Engine& engine, const std::string& archive,
                                      const std::string& entry);
void DrawStatusScreen(Engine& engine, std::vector<TStatus>& elements);

// Whether one condition is satisfied by the game being played. The records are play's and the
// level's: the status screen reads them and never changes them.
bool ConditionSatisfied(const SessionState& session, const RunningLevel& run,
                        const TCondition& condition);
// The text of a text element with its placeholders filled in.
std::string StatusText(const SessionState& session, const LevelState& level,
                       const RunningLevel& run, const std::string& text);

}  // namespace hopwerk
