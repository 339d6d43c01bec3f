// A level project built inside a test: the four level archives, pictures and sounds, and a
// headless engine with its folders set on it, ready to load level "L1".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "TestProject.h"

namespace hopwerk::test {

// Object records of an objects entry.
struct ObjectBytes {
  Bytes b;
  // A new object of kind `otype` named `name` (picture, actor or collectable) at x, y.
  ObjectBytes& Add(int otype, const std::string& name, int32_t x = 0, int32_t y = 0);
  ObjectBytes& Anim(int anim, int32_t w, int32_t h, int32_t frames);
  ObjectBytes& Skill(int easy, int medium, int hard);
  ObjectBytes& Layer(int layer);
  std::vector<uint8_t> End() const;  // with the end tag
};

// An actor definition: control, hit points, then the end tag.
Bytes ActorBytes(int control, int32_t hp);

std::string WavBytes();

class LevelProject {
 public:
  LevelProject();
  // Sets or replaces an entry of an archive in VXR/ ("Maps.vxr", "Actors.vxr", ...). Entries
  // keep the order they were first put in.
  void Put(const std::string& archive, const std::string& entry, std::vector<uint8_t> bytes);
  void Put(const std::string& archive, const std::string& entry, const Bytes& bytes) {
    Put(archive, entry, bytes.data);
  }
  // A white opaque PNG at project/relative.
  void Picture(const std::string& relative, int w, int h);
  void Write(const std::string& relative, const std::string& bytes);
  // Writes the archives and starts the engine (level L1, fresh checkpoint list, medium skill).
  Engine& Open();
  // LoadLevel on the open engine; true if it ended the program.
  bool Load();
  // The message shown under "ERROR" by FatalError, or "" if none.
  std::string FatalMessage() const;
  std::vector<std::string> Traces(const std::string& prefix) const;

  EngineRun run;
  // A small display keeps the error screen, which redraws the whole console, quick.
  int displayWidth = 640;
  int displayHeight = 480;
  std::map<std::string, std::vector<VxrWriteEntry>> archives;
};

}  // namespace hopwerk::test
