// What the player touches: pick-ups, switches, spikes, springs and conveyors.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "TestLevel.h"
#include "gameplay/ObjectContacts.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::KeyDown;
using test::KeyUp;
using test::LevelRun;
using test::SolidPicture;

constexpr int kGround = 400;
constexpr int kKeyActivate = 32;
constexpr int kKeyRight = 39;

// A 20 x 40 player of 100 hit points standing at x 320 on a floor across the screen.
struct ContactLevel {
  explicit ContactLevel(std::vector<ReplayEvent> events = {}) : level(std::move(events)) {
    level.AddWall(0, kGround, SolidPicture(640, 32));
    ActorType actor;
    actor.HP = 100;
    actor.Pic[0] = ActorPicture(20, 40);
    player = &level.AddPlayer(320, kGround, level.AddActor(std::move(actor)));
  }
  Engine& engine() { return level.engine(); }
  SessionState& session() { return level.engine().session; }
  RunningLevel& run() { return level.engine().run; }

  // A pick-up of `kind` over the player's feet, on layer 4.
  ObjectType& AddCollectable(CollectableType& kind) {
    ObjectType o;
    o.OType = 3;
    o.X = 310;
    o.Y = kGround - 20;
    o.Pic = SolidPicture(16, 16);
    o.Collectable = &kind;
    o.Level = 4;
    return level.Add(std::move(o));
  }
  CollectableType& Kind(CollectableType kind) {
    engine().level.CollectableDefs.push_back(std::make_unique<CollectableType>(std::move(kind)));
    return *engine().level.CollectableDefs.back();
  }
  // A plain decoration of 16 x 16 tiles, `repX` + 1 across, its top row at the player's knees.
  ObjectType& AddDeco(int x, int repX, int damage, int moveX, int moveY) {
    ObjectType o;
    o.X = x;
    o.Y = kGround - 16;
    o.RepX = repX;
    o.Pic = SolidPicture(16, 16);
    o.DecoDamage = damage;
    o.MoveX = moveX;
    o.MoveY = moveY;
    o.Level = 6;
    return level.Add(std::move(o));
  }

  LevelRun level;
  ObjectType* player;
};

TEST(ObjectContacts, PickUpGivesScoreHealthAndKeysAndLeavesTheLevel) {
  struct Case {
    int hp, score, giveKey;
    int playerHp;
    int hpAfter;
    int keyGiven;  // -1: none
  };
  const Case cases[] = {
      {50, 0, 0, 90, 100, -1},  // health is capped at the actor's full hit points
      {5, 0, 1, 40, 45, 1},
      {0, 10, 9, 100, 100, 9},
      {0, 10, 10, 100, 100, -1},  // only kinds 1 to 9 are keys
  };
  for (const Case& c : cases) {
    ContactLevel t;
    CollectableType kind;
    kind.HP = c.hp;
    kind.Score = c.score;
    kind.GiveKey = c.giveKey;
    ObjectType& item = t.AddCollectable(t.Kind(kind));
    t.player->HP = c.playerHp;
    t.level.Passes(1);
    EXPECT_EQ(t.player->HP, c.hpAfter);
    EXPECT_EQ(t.session().Score, c.score);
    EXPECT_EQ(t.session().Items, 1);
    EXPECT_EQ(t.run().FloatingTexts.Count(), c.score != 0 ? 1u : 0u);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(t.run().Keys[k], k == c.keyGiven ? 1 : 0) << k;
    EXPECT_FALSE(t.engine().level.AllObjects.Contains(item));
    EXPECT_FALSE(t.engine().level.LayerLists[4].Contains(item));
    t.level.Passes(1);
    EXPECT_EQ(t.session().Items, 1) << "taken once";
  }
}

TEST(ObjectContacts, AmmunitionDependsOnSkillAndFillsAnEmptyHand) {
  struct Case {
    int skill, pickUp, before, maxAmmo;
    bool image;
    int after;
    int selected;
  };
  const Case cases[] = {
      {2, 1, 3, 50, true, 4, 0},  // half of one is nothing, but a pick-up gives at least one
      {2, 5, 3, 50, true, 5, 0},  {0, 5, 3, 50, true, 13, 0},
      {1, 5, 3, 50, true, 8, 0},  {1, 40, 3, 20, true, 20, 0},  // capped
      {1, 5, 0, 50, true, 5, 3},                                // an empty weapon is taken in hand
      {1, 5, 0, 50, false, 5, 0},  // a slot without a bullet picture is not
  };
  for (const Case& c : cases) {
    ContactLevel t;
    WeaponType& w = t.engine().data.Weapons[3];
    w.Image = c.image ? SolidPicture(4, 4) : nullptr;
    w.Ammo = c.before;
    w.MaxAmmo = c.maxAmmo;
    t.session().Skill = c.skill;
    t.session().SelectedWeapon = 0;
    CollectableType kind;
    kind.Ammo = c.pickUp;
    kind.Weapon = 3;
    t.AddCollectable(t.Kind(kind));
    t.level.Passes(1);
    EXPECT_EQ(w.Ammo, c.after) << c.skill << " " << c.pickUp;
    EXPECT_EQ(t.session().SelectedWeapon, c.selected);
    EXPECT_TRUE(t.level.run.Printed("Weapon = " + std::to_string(c.selected) + "  Ammo for 3"));
  }
}

TEST(ObjectContacts, MissingPickUpSoundIsReportedOncePerKind) {
  ContactLevel t;
  CollectableType quiet;
  quiet.SoundFile = "Nowhere.wav";
  CollectableType& kind = t.Kind(quiet);
  t.AddCollectable(kind);
  t.level.Passes(1);
  t.AddCollectable(kind);
  t.level.Passes(1);
  EXPECT_EQ(t.session().Items, 2);
  const std::string line =
      t.engine().folders.DataFolder + "SFX/Nowhere.wav could not be loaded. Request skipped";
  EXPECT_EQ(std::count(t.level.run.output.begin(), t.level.run.output.end(), line), 1);
}

TEST(ObjectContacts, KeySwitchRefusesWhileActivateIsHeldThenWorksWithTheKey) {
  // Activate is held for frames 0 to 9, then again from frame 20.
  ContactLevel t({KeyDown(0, kKeyActivate), KeyUp(10, kKeyActivate), KeyDown(20, kKeyActivate)});
  ObjectType s;
  s.OType = 5;
  s.X = 310;
  s.Y = kGround - 20;
  s.Pic = SolidPicture(16, 16, 0xFFFFFFFFu, 2);
  s.RequireKey = 3;
  s.TakeKey = 1;  // no script: using it only shows its second picture
  s.Level = 6;
  ObjectType& sw = t.level.Add(std::move(s));

  t.level.Passes(1);  // the message holds the game until the key is let go
  EXPECT_EQ(sw.ActiveFrame, 0);
  EXPECT_GE(t.level.platform().PresentedFrames(), 10);
  t.level.Passes(5);
  EXPECT_EQ(sw.ActiveFrame, 0) << "waits for the activate key";

  t.run().Keys[3] = 1;
  t.level.Passes(10);
  EXPECT_EQ(sw.ActiveFrame, 1);
  EXPECT_EQ(t.run().Keys[3], 0) << "the switch took the key";
  EXPECT_TRUE(t.engine().level.Scripts.Empty());
}

TEST(ObjectContacts, SpikesHurtOncePerFlashEvenOnAVeryLongStrip) {
  ContactLevel t;
  // The strip's length comes from level data: only the tiles near the player are looked at.
  t.AddDeco(0, INT32_MAX - 1, 7, 0, 0);
  t.level.Passes(1);
  EXPECT_EQ(t.player->HP, 93);
  t.level.Passes(170);  // 2.8 s: still flashing
  EXPECT_EQ(t.player->HP, 93);
  t.level.Passes(20);
  EXPECT_EQ(t.player->HP, 86);
}

TEST(ObjectContacts, SpringsStartAJumpConveyorsCarryAndTakeTheNextFrame) {
  {
    ContactLevel t({KeyDown(0, kKeyRight)});
    t.AddDeco(304, 0, 0, 0, -14);
    t.level.Passes(1);  // walks 5 right, then the spring throws it up 14
    EXPECT_EQ(t.run().Jumping, 1);
    EXPECT_EQ(t.run().JumpValue, -14.0f);
    EXPECT_EQ(t.run().Automove, 1);
    EXPECT_EQ(t.player->X, 325);
    EXPECT_EQ(t.player->Y, kGround - 14);
  }
  {
    // Standing on two conveyor tiles pushes twice; a jump in progress ends, and the player's
    // own input waits a frame.
    ContactLevel t({KeyDown(1, kKeyRight)});
    t.AddDeco(300, 1, 0, 1, 0);
    t.run().Jumping = 1;
    t.run().JumpValue = -1.0f;
    t.level.Passes(1);
    EXPECT_EQ(t.player->X, 322);
    EXPECT_EQ(t.run().Jumping, 0);
    t.level.Passes(1);
    EXPECT_EQ(t.player->X, 324);
  }
}

// A push across and down at once slides across first, then down, each stopping at walls: beside
// a step, the step stops the slide across before the lift would carry the player over it.
TEST(ObjectContacts, ADiagonalPushSlidesAcrossBeforeUpOrDown) {
  ContactLevel t;
  // A step whose left side is three pixels right of the player's right edge (330).
  t.level.AddWall(333, kGround - 5, SolidPicture(16, 16));
  t.AddDeco(312, 0, 0, 4, -6);
  t.level.Passes(1);
  // Across: two pixels, then the step; up: six. Up first would have cleared the step's top.
  EXPECT_EQ(t.player->X, 322);
  EXPECT_EQ(t.player->Y, kGround - 6);
}

}  // namespace
}  // namespace hopwerk
