// The script pass on big levels: a few lifts moving all the time and many deleting scripts
// that stay in the list once their objects are gone (doors opened by switches).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/Engine.h"
#include "gameplay/UpdateScripts.h"
#include "platform/HeadlessPlatform.h"

namespace hopwerk {
namespace {

constexpr int kLifts = 8;
constexpr int kDoors = 40;

HeadlessOptions QuietOptions() {
  HeadlessOptions options;
  options.output = [](const std::string&) {};
  return options;
}

struct ScriptedLevel {
  explicit ScriptedLevel(int objects) : platform(QuietOptions()), engine(platform) {
    LevelState& level = engine.level;
    for (int i = 0; i < objects; ++i) {
      ObjectType o;
      o.ID = i < kLifts ? "Lift" + std::to_string(i) : "Block" + std::to_string(i % 997);
      if (i >= kLifts && i < kLifts + kDoors) o.ID = "Door" + std::to_string(i);
      o.X = i % 5000;
      o.Y = i % 4000;
      ObjectType& stored = level.ObjectStore.emplace_back(std::move(o));
      level.AllObjects.Append(stored);
      level.LayerLists[static_cast<size_t>(i % kLayers)].Append(stored);
    }
    for (int i = 0; i < kLifts; ++i) {
      ScriptType lift;
      lift.Command = 4;
      lift.ObjID = "LIFT" + std::to_string(i);
      lift.ToX = 5000;
      lift.StepX = 1;
      lift.WhenDone = 2;  // keeps going back and forth at the target
      scripts.push_back(&level.Scripts.Append(lift));
    }
    for (int i = 0; i < kDoors; ++i) {
      ScriptType door;
      door.Command = 7;
      door.ObjID = "Door" + std::to_string(kLifts + i);
      scripts.push_back(&level.Scripts.Append(door));
    }
    UpdateScripts(engine);  // the doors open
  }

  HeadlessPlatform platform;
  Engine engine;
  std::vector<ScriptType*> scripts;
};

void BM_ScriptPass(benchmark::State& state) {
  ScriptedLevel level(static_cast<int>(state.range(0)));
  for (auto _ : state) UpdateScripts(level.engine);
  state.counters["scripts"] = static_cast<double>(level.engine.level.Scripts.Count());
}
BENCHMARK(BM_ScriptPass)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

// The same with every script looking through the whole level again in each pass.
void BM_ScriptPassSearchingEveryTime(benchmark::State& state) {
  ScriptedLevel level(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (ScriptType* script : level.scripts) {
      script->targets.clear();
      script->targetsFound = false;
    }
    UpdateScripts(level.engine);
  }
}
BENCHMARK(BM_ScriptPassSearchingEveryTime)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hopwerk
