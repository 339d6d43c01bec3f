#include "gameplay/UseSwitch.h"

#include <string>

#include "data/Console.h"
#include "gameplay/DrawScope.h"
#include "gameplay/UpdateAndDrawFrame.h"
#include "level/LevelScripts.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

// Key kinds outside the ten counters can never be given, so a switch asking for one stays
// shut.
bool HasKey(const RunningLevel& run, int32_t kind) {
  return kind >= 0 && kind < 10 && run.Keys[kind] != 0;
}

// The world stands still behind the message until the activate key is let go.
void RefuseWithoutKey(Engine& engine) {
  Platform& p = engine.platform;
  const std::string text = "You need a key to activate this object";
  while (p.IsKeyDown(engine.settings.KeyActivate)) {
    UpdateAndDrawFrame(engine);
    const DrawStateScope drawing(p);
    const int width = engine.project.ScreenWidth;
    const int height = engine.project.ScreenHeight;
    p.SetDrawColor(0, 0, 0);
    p.DrawFilledRect(0, static_cast<float>(height / 2 - 50), static_cast<float>(width), 100);
    p.SetDrawColor(255, 255, 255);
    p.DrawTextAt(text, static_cast<float>(width / 2 - p.MeasureTextWidth(text) / 2),
                 static_cast<float>(height / 2));
    p.PresentFrame(-1);
  }
}

}  // namespace

void TryToUseSwitch(Engine& engine, ObjectType& s) {
  PlayerSettings& settings = engine.settings;
  RunningLevel& run = engine.run;
  if (!(engine.platform.IsKeyDown(settings.KeyActivate) || s.SwitchActivate == 0)) return;
  if (s.ActiveFrame != 0) return;
  if (s.RequireKey != 0 && !HasKey(run, s.RequireKey)) {
    RefuseWithoutKey(engine);
    return;
  }
  if (s.TakeKey != 0 && s.RequireKey >= 0 && s.RequireKey < 10) {
    run.Keys[s.RequireKey] = SatSub(run.Keys[s.RequireKey], 1);
  }
  // A switch with no script only changes its picture; there is no entry to open for it.
  if (!s.TScript.empty()) EndOnLoadError(engine, RunScriptFile(engine, s.TScript));
  s.ActiveFrame = 1;
}

}  // namespace hopwerk
