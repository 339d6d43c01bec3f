#include "shell/GameDisplay.h"

#include <string>

#include "render/SafeMath.h"
#include "shell/GlowEffect.h"

namespace hopwerk {

namespace {

// Even a plain window failed: nothing could show a console, so say it in a notice.
void OpenWindowOrEnd(Engine& engine) {
  const ProjectSettings& project = engine.project;
  Platform& p = engine.platform;
  if (!p.OpenDisplay(project.ScreenWidth, project.ScreenHeight, 0, 60)) {
    p.ShowNotice("The game display could not be opened (" + std::to_string(project.ScreenWidth) +
                     "x" + std::to_string(project.ScreenHeight) + ")",
                 true);
    p.EndProgram(1);
  }
  PrepareGlowEffect(engine);
}

}  // namespace

bool FindAlternateMode(Engine& engine, int width, int height, int depth) {
  Platform& p = engine.platform;
  bool done = false;
  bool result = false;
  for (const DisplayMode& m : p.ListDisplayModes()) {
    if (!done && m.width >= width && m.height >= height && m.depth == depth) {
      result = p.OpenDisplay(m.width, m.height, depth, 60);
      PrepareGlowEffect(engine);
      p.ClearScreen();
      const int x = SatSub(m.width / 2, width / 2);
      const int y = SatSub(m.height / 2, height / 2);
      p.SetDrawViewport(x, y, width, height);
      p.SetDrawOrigin(x, y);
      p.TraceLine("Setting to alternate graphics mode: " + std::to_string(m.width) + "x" +
                  std::to_string(m.height) + " / " + std::to_string(depth));
      done = true;
    } else {
      p.TraceLine("Skipped --> " + std::to_string(m.width) + "x" + std::to_string(m.height) +
                  " / " + std::to_string(m.depth) + " :> Done=" + (done ? "1" : "0"));
    }
  }
  return result;
}

void OpenGameDisplay(Engine& engine) {
  const ProjectSettings& project = engine.project;
  Platform& p = engine.platform;
  if (project.FullScreen == 0) {
    OpenWindowOrEnd(engine);
    return;
  }
  if (p.OpenDisplay(project.ScreenWidth, project.ScreenHeight, 32, 60)) {
    PrepareGlowEffect(engine);
    return;
  }
  if (FindAlternateMode(engine, project.ScreenWidth, project.ScreenHeight, 32)) {
    p.HideMousePointer();
    return;
  }
  OpenWindowOrEnd(engine);
}

}  // namespace hopwerk
