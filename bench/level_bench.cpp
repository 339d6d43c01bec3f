// Loading a generated level: map objects sharing pictures, 200 actor and collectable kinds,
// enemy weapons and skill removal. Loading must grow linearly with the number of objects.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "archive/Vxr.h"
#include "codec/PngWriter.h"
#include "engine/Engine.h"
#include "gameplay/LoadLevel.h"
#include "platform/HeadlessPlatform.h"
#include "render/Compositor.h"

namespace {

using namespace hopwerk;
namespace fs = std::filesystem;

constexpr int kActorKinds = 100;
constexpr int kCollectableKinds = 100;
constexpr int kTilePictures = 50;

struct EntryBytes {
  std::vector<uint8_t> data;
  EntryBytes& Byte(int b) {
    data.push_back(static_cast<uint8_t>(b));
    return *this;
  }
  EntryBytes& Int(int32_t v) {
    for (int i = 0; i < 4; ++i)
      data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return *this;
  }
  EntryBytes& String(const std::string& s) {
    Byte(static_cast<int>(s.size()));
    data.insert(data.end(), s.begin(), s.end());
    return *this;
  }
};

void Png(const fs::path& path, int w, int h, uint32_t colour) {
  fs::create_directories(path.parent_path());
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, colour);
  WritePng(path.string(), pixels.data(), w, h);
}

// A project folder holding level "L" with `objects` map objects, generated once per size.
class GeneratedLevel {
 public:
  explicit GeneratedLevel(int objects)
      : root_(fs::temp_directory_path() / ("hopwerk-level-bench-" + std::to_string(::getpid()) +
                                           "-" + std::to_string(objects))) {
    fs::create_directories(root_ / "VXR");
    const fs::path gfx = root_ / "Data/GFX";
    for (int i = 0; i < kTilePictures; ++i) {
      Png(gfx / "Level/Pictures" / ("tile" + std::to_string(i) + ".png"), 64, 32, 0xFF336699u + i);
    }
    for (int i = 0; i < 5; ++i)
      Png(gfx / "Level/Switch" / ("lever" + std::to_string(i) + ".png"), 32, 16, 0xFFAA0000u);
    Png(gfx / "Weapon/shot.png", 8, 8, 0xFFFFFF00u);

    std::vector<VxrWriteEntry> actors;
    actors.push_back({"Hero",
                      EntryBytes()
                          .Byte(0)
                          .Byte(1)
                          .Byte(1)
                          .String("hero")
                          .Byte(2)
                          .Byte(0)
                          .Int(16)
                          .Int(32)
                          .Int(2)
                          .Int(80)
                          .Byte(9)
                          .Int(100)
                          .Byte(255)
                          .data,
                      0});
    Png(gfx / "Level/Actors/hero/Walk.png", 32, 32, 0xFF00FF00u);
    for (int k = 0; k < kActorKinds; ++k) {
      const std::string bundle = "kind" + std::to_string(k);
      EntryBytes b;
      b.Byte(0).Byte(0).Byte(1).String(bundle).Byte(9).Int(10 + k);
      b.Byte(2).Byte(0).Int(16).Int(16).Int(2).Int(100).Byte(2).Byte(4).Int(16).Int(16).Int(2).Int(
          100);
      if (k % 4 == 0) b.Byte(4).Byte(6).Byte(1).Byte(5).Byte(6).String("Shot");
      actors.push_back({"Kind" + std::to_string(k), b.Byte(255).data, 0});
      Png(gfx / "Level/Actors" / bundle / "Walk.png", 32, 16, 0xFF884400u + k);
      Png(gfx / "Level/Actors" / bundle / "Die.png", 32, 16, 0xFF448800u + k);
    }
    std::vector<VxrWriteEntry> collectables;
    for (int k = 0; k < kCollectableKinds; ++k) {
      const std::string pic = "item" + std::to_string(k) + ".png";
      collectables.push_back({"Item" + std::to_string(k),
                              EntryBytes()
                                  .Byte(0)
                                  .String(pic)
                                  .Byte(2)
                                  .Int(10)
                                  .Byte(6)
                                  .Byte(1)
                                  .Byte(7)
                                  .Int(8)
                                  .Int(8)
                                  .Int(4)
                                  .Int(60)
                                  .Byte(255)
                                  .data,
                              0});
      Png(gfx / "Level/Collectable" / pic, 32, 8, 0xFF00AAFFu + k);
    }

    EntryBytes o;
    o.Byte(0).Byte(3).Byte(2).Byte(4).String("Hero").Byte(1).Int(50).Int(50);
    for (int i = 1; i < objects; ++i) {
      o.Byte(0).Byte(1).Int((i * 37) % 5000).Int((i * 91) % 5000);
      const int kind = i % 20;
      if (kind < 8) {
        o.Byte(3).Byte(kind % 2).Byte(4).String("tile" + std::to_string(i % kTilePictures) +
                                                ".png");
        o.Byte(5).Byte(0).Int(0).Int(0).Int(1).Byte(2).Byte(i % 4).Byte(0);
      } else if (kind < 14) {
        // Names in varying case: definitions are shared by capitalised name.
        const std::string name = (i % 3 ? "Kind" : "KIND") + std::to_string(i % kActorKinds);
        o.Byte(3).Byte(2).Byte(4).String(name);
      } else if (kind < 19) {
        o.Byte(3).Byte(3).Byte(4).String("item" + std::to_string(i % kCollectableKinds));
      } else {
        o.Byte(3).Byte(5).Byte(4).String("lever" + std::to_string(i % 5) + ".png");
      }
      o.Byte(6).Byte(i % 11).Byte(7).Byte(255).Byte(255).Byte(255);
      if (i % 10 == 0) o.Byte(13).Byte(1).Byte(1).Byte(0);  // absent on Hard
    }
    o.Byte(255);
    const std::vector<VxrWriteEntry> maps = {
        {"L/General",
         EntryBytes().Byte(0).String("Bench").Byte(3).Byte(0).Byte(0).Byte(64).Byte(255).data, 0},
        {"L/Objects", o.data, 0},
        {"L/Script/Start", EntryBytes().Byte(0).Byte(2).Int(1).Byte(255).data, 0},
    };
    WriteVxrArchive((root_ / "VXR/Maps.vxr").string(), maps);
    WriteVxrArchive((root_ / "VXR/Actors.vxr").string(), actors);
    WriteVxrArchive((root_ / "VXR/Collectables.vxr").string(), collectables);
    WriteVxrArchive((root_ / "VXR/Weapon.vxr").string(),
                    {{"Enemy/Shot",
                      EntryBytes().Byte(0).String("shot.png").Byte(3).Int(50).Byte(255).data, 0}});
  }
  ~GeneratedLevel() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string Folder() const { return root_.string() + "/"; }

 private:
  fs::path root_;
};

void BM_LoadLevel(benchmark::State& state) {
  const int objects = static_cast<int>(state.range(0));
  GeneratedLevel level(objects);
  HeadlessOptions options;
  options.programFolder = level.Folder();
  options.homeFolder = level.Folder();
  options.output = [](const std::string&) {};
  HeadlessPlatform platform(options);
  Engine engine(platform);
  engine.folders.AppFolder = level.Folder();
  engine.folders.DataFolder = level.Folder() + "Data/";
  engine.folders.ArchiveFolder = level.Folder() + "VXR/";
  platform.OpenDisplay(640, 480, 0, 60);
  engine.project.ScreenWidth = 640;
  engine.project.ScreenHeight = 480;
  engine.session.CurrentLevelName = "L";
  engine.session.CheckpointList = {"Start"};
  engine.session.Skill = 2;
  try {
    for (auto _ : state) {
      LoadLevel(engine);
      benchmark::DoNotOptimize(engine.level.AllObjects.Count());
    }
  } catch (const ProgramEnd&) {
    state.SkipWithError("the level did not load");
    return;
  }
  state.counters["objects"] = static_cast<double>(engine.level.AllObjects.Count());
  state.counters["pictures"] = static_cast<double>(engine.level.Pictures.size());
  state.SetItemsProcessed(state.iterations() * objects);
}
BENCHMARK(BM_LoadLevel)->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
