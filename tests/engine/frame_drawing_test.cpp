// One frame's update and drawing: camera, layers and lists, walls and bullets, dying actors,
// texts, flashes, the status data and the level-end message.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "TestLevel.h"
#include "gameplay/UpdateAndDrawFrame.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::KeyDown;
using test::LevelRun;
using test::SolidPicture;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

struct FrameLevel {
  explicit FrameLevel(int x = 100, int y = 100, std::vector<ReplayEvent> events = {})
      : level(std::move(events)) {
    ActorType actor;
    actor.HP = 10;
    actor.Pic[0] = ActorPicture(20, 40);
    player = &level.AddPlayer(x, y, level.AddActor(std::move(actor)));
  }
  Engine& engine() { return level.engine(); }
  LevelRun level;
  ObjectType* player;
};

TEST(FrameDrawing, CameraFollowsThePlayerInsideTheWorld) {
  struct Case {
    int x, y, cameraX, cameraY;
  };
  for (const Case c :
       {Case{100, 100, 0, 0}, Case{4990, 4990, 4360, 4520}, Case{1000, 700, 680, 460}}) {
    FrameLevel t(c.x, c.y);
    UpdateAndDrawFrame(t.engine());
    EXPECT_EQ(t.engine().run.CameraX, c.cameraX) << c.x;
    EXPECT_EQ(t.engine().run.CameraY, c.cameraY) << c.y;
  }
}

TEST(FrameDrawing, PanGlidesOnePixelPerFrameHoldsAndReturns) {
  FrameLevel t(1000, 1000);  // centred view (680, 760)
  RunningLevel& run = t.engine().run;
  UpdateAndDrawFrame(t.engine());
  run.PanTargetX = 690;
  run.PanTargetY = 750;
  for (int frame = 1; frame <= 15; ++frame) {
    if (frame > 10) t.player->X += 7;  // the view holds while the player walks on
    UpdateAndDrawFrame(t.engine());
    EXPECT_EQ(run.CameraX, std::min(680 + frame, 690)) << frame;
    EXPECT_EQ(run.CameraY, std::max(760 - frame, 750)) << frame;
  }
  t.player->X = 1000;
  run.PanReturning = 1;
  for (int frame = 1; frame <= 10; ++frame) {
    UpdateAndDrawFrame(t.engine());
    // The target arrives in ten frames; the camera trails it by one and then snaps home.
    EXPECT_EQ(run.CameraX, frame < 10 ? 690 - frame : 681) << frame;
  }
  EXPECT_EQ(run.PanTargetX, -1);
  EXPECT_EQ(run.PanReturning, 0);
  UpdateAndDrawFrame(t.engine());
  EXPECT_EQ(run.CameraX, 680);
  EXPECT_EQ(run.CameraY, 760);
}

TEST(FrameDrawing, WallWithRepX2IsThreeTilesThatStopBullets) {
  FrameLevel t;
  Engine& e = t.engine();
  ObjectType& wall = t.level.AddWall(100, 200, SolidPicture(32, 32, 0xFF00FF00u), 2, 0);
  e.data.Weapons[0].Image = SolidPicture(4, 4);
  for (int x : {116, 148, 180, 222}) {
    BulletType b;
    b.X = x;
    b.Y = 216;
    b.Weapon = &e.data.Weapons[0];
    e.run.Bullets.Append(b);
  }
  UpdateAndDrawFrame(e);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(t.level.PixelAt(110 + 32 * i, 210), 0x00FF00u) << i;
  EXPECT_EQ(t.level.PixelAt(100 + 96 + 2, 210), kBlack);
  EXPECT_EQ(e.run.Bullets.Count(), 1u);  // only the one beyond the third tile flies on
  ASSERT_EQ(e.run.ActiveWalls.size(), 1u);
  EXPECT_EQ(e.run.ActiveWalls[0], &wall);
}

TEST(FrameDrawing, DyingActorsVanishOrDropOut) {
  struct Case {
    int die;
    int passesStill;  // passes after which it is still in the level
  };
  for (const Case c : {Case{0, 1}, Case{1, 15}}) {
    FrameLevel t;
    t.engine().level.PlusY = 0;  // the bottom of the activity area is the screen's
    ActorType actor;
    actor.Die = c.die;
    actor.Pic[4] = ActorPicture(20, 20, 0xFFFFFFFFu, 3);
    ActorType& def = t.level.AddActor(std::move(actor));
    ObjectType dying;
    dying.OType = -1;
    dying.X = 300;
    dying.Y = 400;
    dying.Actor = &def;
    dying.Pic = def.Pic[4];
    ObjectType& o = t.level.Add(std::move(dying));
    t.level.Passes(c.passesStill);
    EXPECT_TRUE(t.engine().level.AllObjects.Contains(o)) << c.die;
    if (c.die == 1) {
      EXPECT_EQ(o.Y, 400 + 5 * c.passesStill);
    }
    t.level.Passes(1);
    EXPECT_FALSE(t.engine().level.AllObjects.Contains(o)) << c.die;
    EXPECT_FALSE(t.engine().level.LayerLists[0].Contains(o)) << c.die;
  }
}

TEST(FrameDrawing, RisingTextLasts500Frames) {
  FrameLevel t;
  t.engine().run.FloatingTexts.Append(FT{"100", 50, 300, 500});
  t.level.Passes(499);
  ASSERT_EQ(t.engine().run.FloatingTexts.Count(), 1u);
  t.engine().run.FloatingTexts.Walk([](FT& text) {
    EXPECT_EQ(text.Y, 300 - 499);
    return false;
  });
  t.level.Passes(1);
  EXPECT_EQ(t.engine().run.FloatingTexts.Count(), 0u);
}

TEST(FrameDrawing, HurtPlayerFlashesFor3000Milliseconds) {
  FrameLevel t(320, 300);  // drawn at (320, 240) on screen
  RunningLevel& run = t.engine().run;
  run.HurtTime = t.level.platform().ClockMillis();
  UpdateAndDrawFrame(t.engine());
  // At 1000 ms: |255 sin 20 deg| and |255 sin 200 deg|.
  EXPECT_EQ(t.level.PixelAt(320, 230), 0x575757u);
  t.level.Passes(181);  // the frame drawn at 3000 ms after the hit
  EXPECT_NE(run.HurtTime, 0);
  t.level.Passes(1);
  EXPECT_EQ(run.HurtTime, 0);
  UpdateAndDrawFrame(t.engine());
  EXPECT_EQ(t.level.PixelAt(320, 230), kWhite);
}

TEST(FrameDrawing, WeaponStatusText) {
  struct Case {
    int usage;
    int passes;
    std::string text;
  };
  // Shot at 1000 ms with a recharge of 500 ms; frame n is drawn at 1000 + (n - 1) * 1000 / 60.
  for (const Case& c :
       {Case{1, 30, "Recharging"}, Case{1, 31, "Ready"}, Case{0, 1, "7"}, Case{2, 1, ""}}) {
    FrameLevel t;
    WeaponType& w = t.engine().data.Weapons[3];
    w.AmmoUsage = c.usage;
    w.Ammo = 7;
    w.MS = 500;
    w.OldTime = t.level.platform().ClockMillis();
    t.engine().session.SelectedWeapon = 3;
    t.engine().run.WeaponStatusText = "old";
    t.level.Passes(c.passes);
    EXPECT_EQ(t.engine().run.WeaponStatusText, c.text) << c.usage << " " << c.passes;
    EXPECT_EQ(t.engine().run.HudHP, 10);
  }
}

TEST(FrameDrawing, InViewRightEdgeUsesPlusY) {
  struct Case {
    int plusX, plusY;
    bool active;
  };
  for (const Case c : {Case{5000, 100, true}, Case{5000, 50, false}, Case{0, 100, true}}) {
    FrameLevel t;
    t.engine().level.PlusX = c.plusX;
    t.engine().level.PlusY = c.plusY;
    ObjectType hazard;
    hazard.X = 700;
    hazard.Y = 100;
    hazard.DecoDamage = 1;
    ObjectType& o = t.level.Add(std::move(hazard));
    UpdateAndDrawFrame(t.engine());
    const auto& active = t.engine().run.ActiveObjects;
    EXPECT_EQ(std::find(active.begin(), active.end(), &o) != active.end(), c.active) << c.plusY;
  }
}

TEST(FrameDrawing, ListsComeFrontFirst) {
  FrameLevel t;
  Engine& e = t.engine();
  auto add = [&](int level, int otype) -> ObjectType& {
    ObjectType o;
    o.X = 200;
    o.Y = 200;
    o.Level = level;
    o.OType = otype;
    o.DecoDamage = 1;
    return t.level.Add(std::move(o));
  };
  ObjectType& back = add(5, 0);
  ObjectType& a = add(0, 0);
  ObjectType& b = add(0, 3);
  add(0, 0).DecoDamage = 0;  // plain decoration: takes part in nothing
  ActorType enemy;
  ObjectType& actor = add(2, 2);
  actor.Actor = &t.level.AddActor(std::move(enemy));
  UpdateAndDrawFrame(e);
  const std::vector<ObjectType*> expected = {&b, &a, t.player, &actor, &back};
  EXPECT_EQ(e.run.ActiveObjects, expected);
  EXPECT_EQ(e.run.ActiveActors, std::vector<ObjectType*>{&actor});
  EXPECT_EQ(e.run.AllActors, (std::vector<ObjectType*>{&actor, t.player}));
}

TEST(FrameDrawing, TileAnimationWrapsAtItsFrameCount) {
  FrameLevel t;
  ObjectType tile;
  tile.X = 200;
  tile.Y = 200;
  tile.Anim = 1;
  tile.ANF = 3;
  tile.Pic = SolidPicture(8, 8, 0xFFFFFFFFu, 3);
  ObjectType& o = t.level.Add(std::move(tile));
  for (int expected : {1, 2, 0, 1}) {
    UpdateAndDrawFrame(t.engine());
    EXPECT_EQ(o.ActiveFrame, expected);
  }
}

TEST(FrameDrawing, BackgroundScrollsByItsDivisorOrStaysPut) {
  // Columns 0..31 red, 32..63 blue; the camera stands at (680, 760).
  PicturePtr picture = SolidPicture(64, 64, 0xFFFF0000u);
  for (int y = 0; y < 64; ++y) {
    for (int x = 32; x < 64; ++x) picture->frames[0].pixels[y * 64 + x] = 0xFF0000FFu;
  }
  struct Case {
    int divisor;
    uint32_t atX12;
  };
  for (const Case c :
       {Case{2, 0x0000FFu}, Case{1, 0x0000FFu}, Case{0, 0xFF0000u}, Case{-3, 0xFF0000u}}) {
    FrameLevel t(1000, 1000);
    t.engine().level.BackgroundPicName = "sky.png";
    t.engine().level.BackgroundPic = picture;
    t.engine().level.BackgroundDivisor = c.divisor;
    UpdateAndDrawFrame(t.engine());
    EXPECT_EQ(t.level.PixelAt(12, 5), c.atX12) << c.divisor;
  }
}

TEST(FrameDrawing, EnergyBarShowsTheShareOfHitPointsLeft) {
  struct Case {
    int hp;
    uint32_t left, right;  // pixels 5 in from the bar's two ends
  };
  for (const Case c : {Case{5, 0x7F7F00u, kBlack}, Case{10, 0x00FF00u, 0x00FF00u},
                       Case{20, 0x00FF00u, 0x00FF00u}, Case{-3, kBlack, kBlack}}) {
    FrameLevel t;
    t.engine().run.BossObject = t.player;
    t.engine().run.BossBarX = 400;
    t.engine().run.BossBarY = 50;
    t.player->HP = c.hp;
    UpdateAndDrawFrame(t.engine());
    EXPECT_EQ(t.level.PixelAt(355, 50), c.left) << c.hp;
    EXPECT_EQ(t.level.PixelAt(445, 50), c.right) << c.hp;
  }
}

TEST(FrameDrawing, WallViewMarksWhereThePlayerCannotStand) {
  FrameLevel t(100, 100, {KeyDown(0, 162), KeyDown(0, 164), KeyDown(0, 66)});
  t.level.AddWall(300, 300, SolidPicture(32, 32, 0xFF00FF00u));
  UpdateAndDrawFrame(t.engine());
  EXPECT_EQ(t.level.PixelAt(316, 316), 0xFF00FFu);
  EXPECT_EQ(t.level.PixelAt(200, 150), kBlack);
}

TEST(FrameDrawing, LevelCompletedCountsDownAndDrawingStateDoesNotLeak) {
  FrameLevel t;
  RunningLevel& run = t.engine().run;
  run.LevelCompleted = 1;
  run.CompletedCountdown = 3;
  run.EpisodeEnds = 1;  // no next level to load when the countdown runs out
  t.player->Mirror = 1;
  run.FloatingTexts.Append(FT{"50", 10, 10, 500});
  for (int expected : {2, 1, 0, 0}) {
    t.level.Passes(1);
    EXPECT_EQ(run.CompletedCountdown, expected);
  }
  int lit = 0;
  for (int y = 232; y < 248; ++y) {
    for (int x = 260; x < 380; ++x) lit += t.level.PixelAt(x, y) == kWhite ? 1 : 0;
  }
  EXPECT_GT(lit, 50);  // "Level Completed", centred
  const DrawState& state = t.level.platform().GetCompositor().State();
  EXPECT_EQ(state.scaleX, 1.0f);
  EXPECT_EQ(state.rotation, 0.0f);
  EXPECT_EQ((std::array<int, 3>{state.r, state.g, state.b}), (std::array<int, 3>{255, 255, 255}));
}

}  // namespace
}  // namespace hopwerk
