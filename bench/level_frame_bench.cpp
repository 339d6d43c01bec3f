// One pass of the level loop (frame update and drawing, the player's step, presenting) on
// generated levels, on the headless software renderer at 640 x 480. Every object lies on the
// screen, the costliest place for it; 15 % of them are walls, so the 2 000-object level has
// 300 walls in view for the player's wall tests.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "engine/Engine.h"
#include "gameplay/LevelLoop.h"
#include "platform/HeadlessPlatform.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

constexpr int kPlayerX = 2500;
constexpr int kGroundY = 2500;
// The camera centred on the player.
constexpr int kLeft = kPlayerX - 320;
constexpr int kTop = kGroundY - 240;

PicturePtr Solid(int width, int height, uint32_t argb, int frames = 1) {
  PicturePtr picture = CreateBlankPicture(width, height, frames);
  for (PictureFrame& frame : picture->frames) {
    frame.pixels.assign(frame.pixels.size(), argb);
    // A transparent corner so masking has work to do.
    for (int y = 0; y < height / 4; ++y) {
      for (int x = 0; x < width / 4; ++x) frame.pixels[static_cast<size_t>(y) * width + x] = 0;
    }
  }
  return picture;
}

HeadlessOptions QuietOptions() {
  HeadlessOptions options;
  options.output = [](const std::string&) {};
  // The player walks right and fires all the time.
  options.events = {{0, ReplayEvent::Kind::Down, 39, ""}, {0, ReplayEvent::Kind::Down, 162, ""}};
  return options;
}

struct GeneratedLevel {
  explicit GeneratedLevel(int objects) : platform(QuietOptions()), engine(platform) {
    platform.OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    engine.project.PDD = {480, 640};
    Build(objects);
  }

  ObjectType& Add(ObjectType o) {
    ObjectType& stored = engine.level.ObjectStore.emplace_back(std::move(o));
    engine.level.AllObjects.Append(stored);
    engine.level.LayerLists[static_cast<size_t>(stored.Level)].Append(stored);
    return stored;
  }

  void Build(int objects) {
    std::mt19937 rng(11);
    auto pick = [&](int low, int high) {
      return low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
    };
    LevelState& level = engine.level;
    level.BackgroundPicName = "sky.png";
    level.BackgroundPic = Solid(64, 64, 0xFF203060u);
    level.BackgroundDivisor = 2;

    const PicturePtr wallTile = Solid(32, 32, 0xFF806040u);
    const PicturePtr decoration = Solid(32, 32, 0xFF40A040u);
    const PicturePtr animated = Solid(32, 32, 0xFFA0A040u, 4);
    const PicturePtr coin = Solid(16, 16, 0xFFFFD000u);
    CentrePictureHandle(*coin);

    auto& enemy = *level.ActorDefs.emplace_back(std::make_unique<ActorType>());
    enemy.HP = 3;
    enemy.Pic[0] = Solid(24, 32, 0xFFC04040u, 4);
    SetPictureHandle(*enemy.Pic[0], 12, 32);
    enemy.SpriteFrames[0] = 4;

    auto& hero = *level.ActorDefs.emplace_back(std::make_unique<ActorType>());
    hero.Control = 1;
    hero.HP = 10;
    hero.Pic[0] = Solid(20, 40, 0xFFFFFFFFu, 4);
    SetPictureHandle(*hero.Pic[0], 10, 40);
    hero.SpriteFrames[0] = 4;
    hero.SpriteWait[0] = 100;

    WeaponType& gun = engine.data.Weapons[0];
    gun.Image = Solid(8, 4, 0xFFFFFFFFu);
    gun.AmmoUsage = 2;
    gun.BulletSpeed = 12;
    gun.MS = 50;

    // The floor under the player spans the screen.
    ObjectType floor;
    floor.OType = 1;
    floor.X = kLeft;
    floor.Y = kGroundY;
    floor.RepX = 19;
    floor.Pic = wallTile;
    floor.R = floor.G = floor.B = 255;
    Add(floor);

    const int walls = objects * 15 / 100 - 1;
    for (int i = 0; i < objects - 2; ++i) {
      ObjectType o;
      o.X = pick(kLeft, kLeft + 620);
      o.Y = pick(kTop, kTop + 460);
      o.R = o.G = o.B = 255;
      o.Level = pick(0, 10);
      if (i < walls) {
        // Walls keep to the upper band, clear of the player's path.
        o.OType = 1;
        o.Y = pick(kTop, kTop + 120);
        o.RepX = pick(0, 2);
        o.Pic = wallTile;
      } else if (i % 10 < 5) {
        o.OType = 0;
        o.Pic = decoration;
        if (i % 10 == 0) {
          o.Anim = 1;
          o.ANF = 4;
          o.Pic = animated;
        }
        if (i % 10 == 1) o.DecoDamage = 1;
      } else if (i % 10 < 7) {
        o.OType = 3;
        o.Pic = coin;
      } else if (i % 10 < 9) {
        o.OType = 2;
        o.Actor = &enemy;
        o.Pic = enemy.Pic[0];
        o.HP = enemy.HP;
        o.Mirror = i % 2;
      } else if (i % 100 == 9) {
        o.OType = 4;
        o.PicName = "Hold Alt to jump";
      } else {
        o.OType = 0;
        o.Pic = decoration;
        o.MoveX = 2;
      }
      Add(std::move(o));
    }

    ObjectType player;
    player.OType = 2;
    player.Actor = &hero;
    player.Pic = hero.Pic[0];
    player.HP = hero.HP;
    player.R = player.G = player.B = 255;
    level.Player = &Add(std::move(player));
  }

  HeadlessPlatform platform;
  Engine engine;
};

void BM_LevelLoopPass(benchmark::State& state) {
  GeneratedLevel level(static_cast<int>(state.range(0)));
  ObjectType& player = *level.engine.level.Player;
  for (auto _ : state) {
    // The same frame every time: the player back at its start, walking right and shooting.
    player.X = kPlayerX;
    player.Y = kGroundY;
    RunLevelLoopPass(level.engine);
  }
  state.counters["walls"] = static_cast<double>(level.engine.run.ActiveWalls.size());
  state.counters["active"] = static_cast<double>(level.engine.run.ActiveObjects.size());
}
BENCHMARK(BM_LevelLoopPass)->Arg(1000)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hopwerk
