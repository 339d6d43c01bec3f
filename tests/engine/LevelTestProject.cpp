#include "LevelTestProject.h"

#include <filesystem>

#include "codec/PngWriter.h"
#include "gameplay/LoadLevel.h"
#include "render/Compositor.h"
#include "shell/Folders.h"

namespace hopwerk::test {

namespace {
constexpr const char* kObjects = "LEVEL/Objects";
}  // namespace

ObjectBytes& ObjectBytes::Add(int otype, const std::string& name, int32_t x, int32_t y) {
  b.Record(kObjects, "Object")
      .Record(kObjects, "OType", {{otype}})
      .Record(kObjects, "PicName", {{name}})
      .Record(kObjects, "X", {{x}, {y}});
  return *this;
}

ObjectBytes& ObjectBytes::Anim(int anim, int32_t w, int32_t h, int32_t frames) {
  b.Record(kObjects, "Anim", {{anim}, {w}, {h}, {frames}});
  return *this;
}

ObjectBytes& ObjectBytes::Skill(int easy, int medium, int hard) {
  b.Record(kObjects, "SkillEasy", {{easy}, {medium}, {hard}});
  return *this;
}

ObjectBytes& ObjectBytes::Layer(int layer) {
  b.Record(kObjects, "Level", {{layer}});
  return *this;
}

std::vector<uint8_t> ObjectBytes::End() const {
  Bytes end = b;
  return end.End(kObjects).data;
}

Bytes ActorBytes(int control, int32_t hp) {
  constexpr const char* kActor = "actor definition";
  return Bytes().Record(kActor, "Control", {{control}}).Record(kActor, "HP", {{hp}}).End(kActor);
}

std::string WavBytes() {
  Bytes b;
  b.Text("RIFF").Int(36 + 8).Text("WAVEfmt ").Int(16);
  b.Byte(1).Byte(0).Byte(1).Byte(0).Int(8000).Int(8000).Byte(1).Byte(0).Byte(8).Byte(0);
  b.Text("data").Int(8);
  for (int i = 0; i < 8; ++i) b.Byte(0x80);
  return std::string(b.data.begin(), b.data.end());
}

LevelProject::LevelProject() {
  Put("Maps.vxr", "L1/General",
      Bytes().Record("LEVEL/General", "LevelTitle", {{"First"}}).End("LEVEL/General"));
  Put("Maps.vxr", "L1/Objects", ObjectBytes().Add(2, "Hero", 100, 200).End());
  Put("Actors.vxr", "Hero", ActorBytes(1, 50));
}

void LevelProject::Put(const std::string& archive, const std::string& entry,
                       std::vector<uint8_t> bytes) {
  auto& entries = archives[archive];
  for (auto& e : entries) {
    if (e.name == entry) {
      e.data = std::move(bytes);
      return;
    }
  }
  entries.push_back({entry, std::move(bytes), 0});
}

void LevelProject::Picture(const std::string& relative, int w, int h) {
  const std::string path = run.project.path() + "/" + relative;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, 0xFFFFFFFFu);
  if (!WritePng(path, pixels.data(), w, h)) std::abort();
}

void LevelProject::Write(const std::string& relative, const std::string& bytes) {
  WriteFile(run.project.path() + "/" + relative, bytes);
}

Engine& LevelProject::Open() {
  std::filesystem::create_directories(run.project.path() + "/VXR");
  for (const auto& [name, entries] : archives) {
    if (!WriteVxrArchive(run.project.path() + "/VXR/" + name, entries)) std::abort();
  }
  Engine& engine = run.Start();
  SetProgramFolders(engine);
  SetPictureFolders(engine);
  run.platform->OpenDisplay(displayWidth, displayHeight, 0, 60);
  engine.project.ScreenWidth = displayWidth;
  engine.project.ScreenHeight = displayHeight;
  engine.session.CurrentLevelName = "L1";
  engine.session.CheckpointList = {"Start"};
  engine.session.Skill = 1;
  return engine;
}

bool LevelProject::Load() {
  if (!run.engine) Open();
  run.ended = false;
  run.Run([](Engine& e) { LoadLevel(e); });
  return run.ended;
}

std::string LevelProject::FatalMessage() const {
  const int error = run.IndexOf("console| ERROR");
  if (error < 0 || static_cast<size_t>(error) + 1 >= run.output.size()) return "";
  return run.output[static_cast<size_t>(error) + 1].substr(9);
}

std::vector<std::string> LevelProject::Traces(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const auto& l : run.output) {
    if (l.rfind(prefix, 0) == 0) lines.push_back(l);
  }
  return lines;
}

}  // namespace hopwerk::test
