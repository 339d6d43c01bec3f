#include "shell/DriverChoice.h"

namespace hopwerk {

namespace {
constexpr int kOpenGL = 0;
constexpr int kDirectX = 1;
}  // namespace

std::string DriverChoiceFile(Engine& engine) {
  return engine.platform.UserAppDataFolder() + "/QVD_Hopwerk/RunDriver";
}

ChoiceDialogSpec DriverDialogSpec() {
  ChoiceDialogSpec spec;
  spec.title = "Please select your library";
  spec.clientWidth = 300;
  spec.clientHeight = 200;
  spec.screenX = 60;
  spec.screenY = 70;
  spec.label =
      "Please select which driver you want to use to play.\nIf you are not sure if your computer "
      "supports OpenGL, you can best select DirectX";
  spec.labelRect = {0, 0, 300, 75};
  spec.choices = {"OpenGL", "DirectX"};
  spec.choiceRects = {{50, 75, 200, 25}, {50, 100, 200, 25}};
  spec.buttonText = "Go!";
  spec.buttonRect = {200, 175, 100, 25};
  return spec;
}

int PreselectedDriver(Engine& engine) {
  auto file = engine.platform.OpenReadFile(DriverChoiceFile(engine));
  if (!file) return kDirectX;
  const std::string line = file->ReadLine();
  file->Close();
  return line == "DX" ? kDirectX : kOpenGL;
}

namespace {

// The chosen back-end, announced as the dialog announces it; the choice's text to remember.
std::string UseDriver(Platform& p, int choice) {
  if (choice == kDirectX) {
    p.TraceLine("Using DirectX");
    p.SetBackend(Backend::DirectX);
    return "DX";
  }
  p.TraceLine("Using OpenGL");
  p.SetBackend(Backend::OpenGL);
  return "GL";
}

}  // namespace

void RunDriverChoice(Engine& engine) {
  Platform& p = engine.platform;
  ChoiceDialogSpec spec = DriverDialogSpec();
  spec.selected = PreselectedDriver(engine);
  const ChoiceDialogResult result = p.RunChoiceDialog(spec);
  if (result.closed) p.EndProgram(0);

  // Without its folder the choice could never be remembered; make it.
  const std::string path = DriverChoiceFile(engine);
  p.MakeFolder(path.substr(0, path.rfind('/')), true);
  auto file = p.OpenWriteFile(path);
  const std::string text = UseDriver(p, result.selected);
  if (file) {
    file->WriteLine(text);
    file->Close();
  }
  p.TraceLine("Driver initiated");
}

void UseRememberedDriver(Engine& engine) {
  // Nothing was chosen, so nothing is written: the player's remembered answer stays theirs.
  UseDriver(engine.platform, PreselectedDriver(engine));
  engine.platform.TraceLine("Driver initiated");
}

}  // namespace hopwerk
