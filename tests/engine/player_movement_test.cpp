// The player step: jump curve, ground and wall contact, bounds, firing and weapon choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TestLevel.h"
#include "gameplay/IsBlocked.h"
#include "gameplay/MoveObject.h"
#include "gameplay/UpdatePlayer.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::KeyDown;
using test::LevelRun;
using test::SolidPicture;

constexpr int kGround = 400;
constexpr int kKeyJump = 164;
constexpr int kKeyFire = 162;

// A player 20 x 40 standing on a floor that spans the screen at y = 400.
struct PlayerLevel {
  explicit PlayerLevel(std::vector<ReplayEvent> events = {}, int x = 320, int y = kGround)
      : level(std::move(events)) {
    level.AddWall(0, kGround, SolidPicture(640, 32));
    ActorType actor;
    actor.HP = 10;
    actor.Pic[0] = ActorPicture(20, 40);
    actor.Pic[1] = ActorPicture(20, 40, 0xFFFF0000u, 3);
    actor.SpriteWait = {0, 0, 0, 0, 0};
    player = &level.AddPlayer(x, y, level.AddActor(std::move(actor)));
  }
  Engine& engine() { return level.engine(); }
  LevelRun level;
  ObjectType* player;
};

TEST(PlayerMovement, JumpRises124PixelsIn44FramesThenFalls) {
  PlayerLevel t({KeyDown(0, kKeyJump)});
  int highest = kGround;
  for (int frame = 1; frame <= 44; ++frame) {
    t.level.Passes(1);
    highest = std::min(highest, t.player->Y);
    EXPECT_EQ(t.engine().run.Jumping, frame < 44 ? 1 : 0) << "frame " << frame;
  }
  EXPECT_EQ(kGround - highest, 124);
  EXPECT_EQ(kGround - t.player->Y, 103);
  // The key is still held, but a jump never starts in the air.
  for (int frame = 1; frame <= 3; ++frame) {
    t.level.Passes(1);
    EXPECT_EQ(kGround - t.player->Y, 103 - 5 * frame);
  }
  EXPECT_EQ(t.engine().run.Jumping, 0);
}

TEST(PlayerMovement, StandingOnTheTopEdgeIsGroundedOnePixelAboveFalls) {
  struct Case {
    int above;       // pixels above the floor's top edge at the start
    int aboveAfter;  // after one frame
    bool fallPose;   // shows the last frame of the jump strip
  };
  for (const Case c : {Case{0, 0, false}, Case{1, 0, true}, Case{10, 5, true}}) {
    PlayerLevel t({}, 320, kGround - c.above);
    t.level.Passes(1);
    EXPECT_EQ(kGround - t.player->Y, c.aboveAfter) << c.above;
    const ActorType& actor = *t.player->Actor;
    EXPECT_EQ(t.player->Pic, c.fallPose ? actor.Pic[1] : actor.Pic[0]) << c.above;
    EXPECT_EQ(t.player->ActiveFrame, c.fallPose ? 2 : 0) << c.above;
  }
}

TEST(PlayerMovement, WalkingIntoAWallStopsAtTheLastFreePixel) {
  struct Case {
    int key;
    int startX;
    int endX;
    int mirror;
  };
  // The wall covers x 300..332 and y 350..400; the player's half width is 10.
  for (const Case c : {Case{39, 280, 289, 0}, Case{37, 360, 343, 1}}) {
    PlayerLevel t({KeyDown(0, c.key)}, c.startX);
    t.level.AddWall(300, 350, SolidPicture(32, 50));
    t.level.Passes(6);
    EXPECT_EQ(t.player->X, c.endX) << c.key;
    EXPECT_EQ(t.player->Y, kGround);
    EXPECT_EQ(t.player->Mirror, c.mirror);
  }
}

TEST(PlayerMovement, WorldAndActivityBounds) {
  struct Case {
    int x, y;
    int plusX, minusX, minusY;
    bool blocked;
  };
  const Case cases[] = {
      {-1, 100, 5000, 5000, 5000, true},    {0, 100, 5000, 5000, 5000, false},
      {5000, 100, 5000, 5000, 5000, false}, {5001, 100, 5000, 5000, 5000, true},
      {100, 5000, 5000, 5000, 5000, false}, {100, 5001, 5000, 5000, 5000, true},
      {100, -1, 5000, 5000, 5000, true},  // the shape is 20 x 40, the camera at (0, 0)
      {629, 100, 0, 5000, 5000, false},     {630, 100, 0, 5000, 5000, true},
      {11, 100, 5000, 0, 5000, false},      {10, 100, 5000, 0, 5000, true},
      {100, 41, 5000, 5000, 0, false},      {100, 40, 5000, 5000, 0, true},
  };
  LevelRun level;
  const PicturePtr shape = ActorPicture(20, 40);
  for (const Case& c : cases) {
    LevelState& l = level.engine().level;
    l.PlusX = c.plusX;
    l.MinusX = c.minusX;
    l.MinusY = c.minusY;
    EXPECT_EQ(IsBlocked(level.engine(), shape.get(), c.x, c.y), c.blocked) << c.x << "," << c.y;
  }
  // Margins as large as project data allows do not overflow the area's edges.
  level.engine().level.PlusX = INT32_MAX;
  level.engine().level.MinusX = INT32_MAX;
  level.engine().run.CameraX = INT32_MAX;
  EXPECT_FALSE(IsBlocked(level.engine(), shape.get(), 100, 100));
}

// The frame finds walls by place; the wall test must answer as if it looked at every wall the
// frame listed, walls of every size, beyond the world, and walls a script moved after the
// frame listed them included.
TEST(PlayerMovement, WallsFoundByPlaceBlockExactlyAsEveryWallWould) {
  LevelRun level;
  std::mt19937 rng(7);
  auto pick = [&](int low, int high) {
    return low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
  };
  std::vector<ObjectType*> walls;
  for (int i = 0; i < 400; ++i) {
    const int rep = i % 50 == 0 ? pick(100, 255) : pick(0, 3);
    walls.push_back(&level.AddWall(pick(-300, 5200), pick(-300, 5200),
                                   SolidPicture(pick(1, 48), pick(1, 48)), rep, pick(0, 2)));
  }
  level.Passes(1);
  RunningLevel& run = level.engine().run;
  ASSERT_EQ(run.ActiveWalls.size(), walls.size());
  ASSERT_TRUE(run.ActiveWallGrid.Built());
  WallGrid unbuilt;  // in its place, the test walks every wall listed
  const auto compare = [&](const char* when) {
    int blocked = 0;
    for (int i = 0; i < 3000; ++i) {
      const PicturePtr shape = ActorPicture(pick(1, 64), pick(1, 64));
      const int x = pick(-20, 5020), y = pick(-20, 5020);
      const bool byPlace = IsBlocked(level.engine(), shape.get(), x, y);
      std::swap(unbuilt, run.ActiveWallGrid);
      const bool everyWall = IsBlocked(level.engine(), shape.get(), x, y);
      std::swap(unbuilt, run.ActiveWallGrid);
      ASSERT_EQ(byPlace, everyWall) << when << " at " << x << "," << y;
      blocked += byPlace ? 1 : 0;
    }
    // Both answers come up often enough to mean something.
    EXPECT_GT(blocked, 300) << when;
    EXPECT_LT(blocked, 2700) << when;
  };
  compare("as listed");
  for (int i = 0; i < 40; ++i) {
    ObjectType& wall = *walls[static_cast<size_t>(pick(0, 399))];
    run.ActiveWallGrid.Moving(wall);
    wall.X = pick(-300, 5200);
    wall.Y = pick(-300, 5200);
  }
  compare("after moves");
}

TEST(PlayerMovement, MovingStopsAtTheWorldsEdges) {
  PlayerLevel t({}, 12, 4990);
  MoveObject(t.engine(), *t.player, -20, 20);
  EXPECT_EQ(t.player->X, 0);
  EXPECT_EQ(t.player->Y, 5000);
}

void GiveWeapon(Engine& engine, int slot, int usage, int ammo, bool image = true) {
  WeaponType& w = engine.data.Weapons[slot];
  w.Image = image ? SolidPicture(4, 4) : nullptr;
  w.AmmoUsage = usage;
  w.Ammo = ammo;
  w.MS = 100;
}

TEST(PlayerMovement, LastShotPutsTheHighestUsableWeaponInHand) {
  PlayerLevel t({KeyDown(0, kKeyFire)});
  Engine& e = t.engine();
  GiveWeapon(e, 0, 0, 1);
  GiveWeapon(e, 4, 2, 0);
  GiveWeapon(e, 6, 1, 0);
  GiveWeapon(e, 8, 2, 0, false);  // no bullet picture: never in hand
  e.session.SelectedWeapon = 0;
  t.player->Mirror = 1;
  t.level.Passes(1);
  ASSERT_EQ(e.run.Bullets.Count(), 1u);
  EXPECT_EQ(e.data.Weapons[0].Ammo, 0);
  EXPECT_EQ(e.session.SelectedWeapon, 6);
  e.run.Bullets.Walk([&](BulletType& b) {
    EXPECT_EQ(b.X, 320);
    EXPECT_EQ(b.Y, kGround - 20);
    EXPECT_EQ(b.Dir, -1);
    EXPECT_EQ(b.Weapon, &e.data.Weapons[0]);
    return false;
  });
}

TEST(PlayerMovement, AShotNeedsStrictlyMoreThanTheWeaponsPause) {
  for (const int since : {100, 101}) {
    PlayerLevel t({KeyDown(0, kKeyFire)});
    Engine& e = t.engine();
    GiveWeapon(e, 0, 2, 0);  // a pause of 100 ms
    e.session.SelectedWeapon = 0;
    e.data.Weapons[0].OldTime = e.platform.ClockMillis() - since;
    t.level.Passes(1);
    EXPECT_EQ(e.run.Bullets.Count(), since > 100 ? 1u : 0u) << since;
  }
}

TEST(PlayerMovement, DigitsForUnusableSlotsWaitUntilTheSlotIsUsable) {
  PlayerLevel t({KeyDown(0, '2'), KeyDown(0, '7')});
  Engine& e = t.engine();
  GiveWeapon(e, 1, 2, 0);
  GiveWeapon(e, 2, 0, 0);         // used up
  GiveWeapon(e, 7, 2, 0, false);  // empty slot
  e.session.SelectedWeapon = 1;
  t.level.Passes(1);
  EXPECT_EQ(e.session.SelectedWeapon, 1);
  e.data.Weapons[2].Ammo = 3;
  t.level.Passes(1);
  EXPECT_EQ(e.session.SelectedWeapon, 2);
}

TEST(PlayerMovement, FreeMovingFramesStayInsideTheFlyingPicture) {
  LevelRun level({KeyDown(0, 39)});
  ActorType actor;
  actor.Move[4] = 1;
  actor.HP = 10;
  actor.Pic[0] = ActorPicture(20, 40);
  actor.Pic[2] = ActorPicture(20, 40, 0xFF00FF00u, 2);
  actor.Pic[3] = ActorPicture(20, 40, 0xFF0000FFu, 6);
  ObjectType& player = level.AddPlayer(100, 300, level.AddActor(std::move(actor)));
  for (int frame = 0; frame < 12; ++frame) {
    level.Passes(1);
    EXPECT_EQ(player.Pic, player.Actor->Pic[2]);
    EXPECT_LT(player.ActiveFrame, 2);
  }
  EXPECT_EQ(player.Y, 300);  // no gravity
  EXPECT_EQ(player.X, 160);
}

}  // namespace
}  // namespace hopwerk
