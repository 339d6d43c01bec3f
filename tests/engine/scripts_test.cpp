// The running scripts of a level, sound effects and the player's sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "LevelTestProject.h"
#include "TestLevel.h"
#include "gameplay/HurtPlayer.h"
#include "gameplay/PlayEffect.h"
#include "gameplay/UpdateAndDrawFrame.h"
#include "gameplay/UpdateScripts.h"
#include "platform/Sound.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::LevelRun;
using test::SolidPicture;

constexpr int kGround = 400;

// A player of 20 x 40 standing on a floor, and helpers to put scripts and objects in.
struct ScriptLevel {
  ScriptLevel() {
    level.AddWall(0, kGround, SolidPicture(640, 32));
    ActorType actor;
    actor.HP = 10;
    actor.Pic[0] = ActorPicture(20, 40);
    actor.Pic[1] = ActorPicture(20, 40);
    player = &level.AddPlayer(320, kGround, level.AddActor(std::move(actor)));
  }
  Engine& engine() { return level.engine(); }
  SessionState& session() { return level.engine().session; }
  RunningLevel& run() { return level.engine().run; }
  PlayerSettings& settings() { return level.engine().settings; }
  OwnedList<ScriptType>& scripts() { return level.engine().level.Scripts; }

  ScriptType& Add(ScriptType s) { return scripts().Append(std::move(s)); }
  ObjectType& Object(const std::string& id, int x, int y, int otype = 0) {
    ObjectType o;
    o.ID = id;
    o.X = x;
    o.Y = y;
    o.OType = otype;
    o.Pic = SolidPicture(16, 16);
    o.Level = 5;
    return level.Add(std::move(o));
  }
  // The per-frame lists the script pass reads (walls, actors) come from the frame.
  void Frame() {
    UpdateAndDrawFrame(engine());
    UpdateScripts(engine());
  }
  std::vector<int32_t> Commands() {
    std::vector<int32_t> out;
    scripts().Walk([&](ScriptType& s) {
      out.push_back(s.Command);
      return false;
    });
    return out;
  }

  LevelRun level;
  ObjectType* player = nullptr;
};

ScriptType Script(int32_t command, std::string objId = "", int32_t toX = 0, int32_t toY = 0) {
  ScriptType s;
  s.Command = command;
  s.ObjID = std::move(objId);
  s.ToX = toX;
  s.ToY = toY;
  return s;
}

ScriptType Move(std::string objId, int32_t toX, int32_t stepX, int32_t toY, int32_t stepY) {
  ScriptType s = Script(4, std::move(objId), toX, toY);
  s.StepX = stepX;
  s.StepY = stepY;
  return s;
}

TEST(Scripts, EachCommandActsOnceAndOnlyDeletesAndUnknownsStay) {
  struct Case {
    ScriptType script;
    bool stays;
    std::function<void(ScriptLevel&)> check;
  };
  ScriptType levelEnd = Script(1);
  levelEnd.NextLevel = "L2";
  const std::vector<Case> cases = {
      {levelEnd, false,
       [](ScriptLevel& t) {
         EXPECT_EQ(t.run().LevelCompleted, 1);
         EXPECT_EQ(t.run().CompletedCountdown, 250);
         EXPECT_EQ(t.run().NextLevelName, "L2");
         EXPECT_EQ(t.run().EpisodeEnds, 0);
       }},
      {Script(2), false,
       [](ScriptLevel& t) {
         EXPECT_EQ(t.run().CompletedCountdown, 250);
         EXPECT_EQ(t.run().EpisodeEnds, 1);
       }},
      {Script(8, "", 700, 900), false,
       [](ScriptLevel& t) {
         EXPECT_EQ(t.run().PanTargetX, 700);
         EXPECT_EQ(t.run().PanTargetY, 900);
         EXPECT_EQ(t.run().PanReturning, 0);
       }},
      {Script(9), false, [](ScriptLevel& t) { EXPECT_EQ(t.run().PanReturning, 1); }},
      {Script(10, "Boss", 320, 20), false,
       [](ScriptLevel& t) {
         ASSERT_NE(t.run().BossObject, nullptr);
         EXPECT_EQ(t.run().BossObject->X, 260) << "the last of that ID";
         EXPECT_EQ(t.run().BossBarX, 320);
         EXPECT_EQ(t.run().BossBarY, 20);
       }},
      {Script(10, "boss"), false,
       [](ScriptLevel& t) { EXPECT_EQ(t.run().BossObject, nullptr) << "IDs are exact"; }},
      {Script(7, "Crate"), true,
       [](ScriptLevel& t) {
         EXPECT_EQ(t.engine().level.AllObjects.Count(), 4u);  // floor, player, two bosses
         EXPECT_EQ(t.engine().level.LayerLists[5].Count(), 2u);
       }},
      {Script(3), true, [](ScriptLevel&) {}},
      {Script(-1), true, [](ScriptLevel&) {}},
      {Script(INT_MAX), true, [](ScriptLevel&) {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script.Command);
    ScriptLevel t;
    t.Object("Crate", 100, 100);
    t.Object("Crate", 140, 100);
    t.Object("Boss", 200, kGround, 2);
    t.Object("Boss", 260, kGround, 2);
    t.Add(c.script);
    t.Frame();
    EXPECT_EQ(t.scripts().Count(), c.stays ? 1u : 0u);
    c.check(t);
    t.Frame();  // a script that stays has nothing more to do
    EXPECT_EQ(t.scripts().Count(), c.stays ? 1u : 0u);
  }
}

TEST(Scripts, DelayWakesAnIdleScriptForTheFollowingPass) {
  struct Case {
    int32_t delay;
    int32_t active;
    int runsOnPass;  // 0: never within 6 passes
  };
  for (const Case& c : {Case{3, 0, 4}, Case{1, 0, 2}, Case{3, 1, 1}, Case{0, 0, 0}, Case{-1, 0, 0},
                        Case{INT_MIN, 0, 0}}) {
    SCOPED_TRACE(std::to_string(c.delay) + "/" + std::to_string(c.active));
    ScriptLevel t;
    ScriptType s = Script(9);
    s.Delay = c.delay;
    s.Active = c.active;
    t.Add(s);
    int ranOn = 0;
    for (int pass = 1; pass <= 6 && ranOn == 0; ++pass) {
      UpdateScripts(t.engine());
      if (t.run().PanReturning == 1) ranOn = pass;
    }
    EXPECT_EQ(ranOn, c.runsOnPass);
  }
}

TEST(Scripts, AFinishedMoveWakesEveryScriptOfItsName) {
  ScriptLevel t;
  ScriptType early = Script(8, "", 5, 6);
  early.UID = "go";
  early.Active = 0;
  t.Add(early);
  ScriptType mover = Move("nothing", 0, 1, 0, 0);  // no object: done at once
  mover.ActivateScriptID = "go";
  t.Add(mover);
  ScriptType late = Script(1);
  late.UID = "go";
  late.Active = 0;
  t.Add(late);
  ScriptType other = Script(2);
  other.UID = "Go";  // names are exact
  other.Active = 0;
  t.Add(other);

  UpdateScripts(t.engine());
  EXPECT_EQ(t.run().LevelCompleted, 1) << "a later script runs in the same pass";
  EXPECT_EQ(t.run().PanTargetX, -1) << "an earlier one waits for the next pass";
  EXPECT_EQ(t.Commands(), (std::vector<int32_t>{8, 2}));
  UpdateScripts(t.engine());
  EXPECT_EQ(t.run().PanTargetX, 5);
  EXPECT_EQ(t.run().EpisodeEnds, 0);
  EXPECT_EQ(t.Commands(), (std::vector<int32_t>{2}));
}

TEST(Scripts, PlacingMatchesIdsExactlyWhileMovingIgnoresCase) {
  ScriptLevel t;
  ObjectType& exact = t.Object("door", 10, 10);
  ObjectType& capital = t.Object("Door", 10, 10);
  t.Add(Script(6, "door", 50, 60));
  UpdateScripts(t.engine());
  EXPECT_EQ(exact.X, 50);
  EXPECT_EQ(exact.Y, 60);
  EXPECT_EQ(capital.X, 10);
  EXPECT_EQ(capital.Y, 10);

  t.Add(Move("DOOR", 100, 5, 0, 0));
  UpdateScripts(t.engine());
  EXPECT_EQ(exact.X, 55);
  EXPECT_EQ(capital.X, 15);
}

TEST(Scripts, MovingStepsPastInXButClampsGoingDown) {
  struct Case {
    bool vertical;
    int32_t from, to, step;
    std::vector<int32_t> positions;  // after each pass, until done
  };
  const std::vector<Case> cases = {
      {false, 0, 10, 3, {3, 6, 9, 12}},
      {false, 0, 10, -3, {3, 6, 9, 12}},  // the sign of a step does not count
      {false, 20, 10, 4, {16, 12, 8}},
      {false, 10, 10, 3, {13}},  // at the target already: one step on, and done
      {false, INT_MAX - 1, INT_MAX, 5, {INT_MAX}},
      {false, INT_MIN + 1, INT_MIN, INT_MIN, {INT_MIN}},
      {true, 100, 110, 4, {104, 108, 110}},
      {true, 100, 90, 4, {96, 92, 88}},  // going up is not clamped
      {true, 100, 100, 7, {100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
    ScriptLevel t;
    ObjectType& o = t.Object("Lift", c.vertical ? 0 : c.from, c.vertical ? c.from : 0);
    t.Add(c.vertical ? Move("Lift", 0, 0, c.to, c.step) : Move("Lift", c.to, c.step, 0, 0));
    for (size_t pass = 0; pass < c.positions.size(); ++pass) {
      EXPECT_EQ(t.scripts().Count(), 1u) << "still moving before pass " << pass + 1;
      UpdateScripts(t.engine());
      EXPECT_EQ(c.vertical ? o.Y : o.X, c.positions[pass]) << "pass " << pass + 1;
    }
    EXPECT_EQ(t.scripts().Count(), 0u) << "done";
  }
}

TEST(Scripts, WhenDoneChoosesIdleRemovedOrStillMoving) {
  struct Case {
    int32_t whenDone;
    size_t scriptsLeft;
    int32_t activeLeft;
    int32_t xAfterTwoPasses;
  };
  for (const Case& c : {Case{0, 1, 0, 5}, Case{1, 0, 0, 5}, Case{2, 1, 1, 10}}) {
    ScriptLevel t;
    ObjectType& o = t.Object("Lift", 0, 0);
    ScriptType s = Move("Lift", 5, 5, 0, 0);
    s.WhenDone = c.whenDone;
    t.Add(s);
    for (int i = 0; i < 2; ++i) UpdateScripts(t.engine());
    EXPECT_EQ(t.scripts().Count(), c.scriptsLeft) << c.whenDone;
    EXPECT_EQ(o.X, c.xAfterTwoPasses) << c.whenDone;
    t.scripts().Walk([&](ScriptType& left) {
      EXPECT_EQ(left.Active, c.activeLeft);
      return false;
    });
  }
}

TEST(Scripts, ARisingWallLiftsWhatStandsOnItAndSetsTheCaughtPlayerOnTop) {
  ScriptLevel t;
  // Three 32 x 16 tiles from x 300 to 396, top at y 300.
  ObjectType& lift = t.level.AddWall(300, 300, SolidPicture(32, 16), 2);
  lift.ID = "Lift";
  ActorType kind;
  kind.Pic[0] = ActorPicture(10, 20);
  ActorType& k = t.level.AddActor(std::move(kind));
  auto actor = [&](int x, int y) -> ObjectType& {
    ObjectType a;
    a.OType = 2;
    a.X = x;
    a.Y = y;
    a.Actor = &k;
    a.Pic = k.Pic[0];
    return t.level.Add(std::move(a));
  };
  ObjectType& onLeftEdge = actor(305, 300);       // left edge 300: rides
  ObjectType& overhangingLeft = actor(304, 300);  // left edge 299: stays
  ObjectType& lastInSpan = actor(400, 297);       // left edge 395, within a step: rides
  ObjectType& pastSpan = actor(401, 300);         // left edge 396: stays
  ObjectType& tooHigh = actor(340, 295);          // more than a step above: stays
  ObjectType& sunk = actor(360, 301);             // below the top: stays
  t.player->X = 320;
  t.player->Y = 310;  // caught in the wall
  t.Add(Move("Lift", 0, 0, 200, -4));
  t.Frame();
  EXPECT_EQ(lift.Y, 296);
  EXPECT_EQ(onLeftEdge.Y, 296);
  EXPECT_EQ(overhangingLeft.Y, 300);
  EXPECT_EQ(lastInSpan.Y, 293);
  EXPECT_EQ(pastSpan.Y, 300);
  EXPECT_EQ(tooHigh.Y, 295);
  EXPECT_EQ(sunk.Y, 301);
  EXPECT_EQ(t.player->Y, 296) << "on the top the wall rose to, not inside it";
}

TEST(Scripts, OnlyWallsLiftRiders) {
  ScriptLevel t;
  ObjectType& deco = t.Object("Lift", 300, 300);  // a decoration
  ActorType kind;
  kind.Pic[0] = ActorPicture(10, 20);
  ActorType& k = t.level.AddActor(std::move(kind));
  ObjectType a;
  a.OType = 2;
  a.X = 305;
  a.Y = 300;
  a.Actor = &k;
  a.Pic = k.Pic[0];
  ObjectType& rider = t.level.Add(std::move(a));
  t.Add(Move("Lift", 0, 0, 200, 4));
  t.Frame();
  EXPECT_EQ(deco.Y, 296);
  EXPECT_EQ(rider.Y, 300);
}

TEST(Scripts, CheckpointKeepsEachChainedScriptOnce) {
  ScriptLevel t;
  t.session().Score = 1234;
  t.session().CheckpointList = {"Start", "Two"};
  for (const char* chain : {"Two", "Three", "Start", "Three"}) {
    ScriptType s = Script(0);
    s.ChainScript = chain;
    t.Add(s);
  }
  t.player->X = 77;
  UpdateScripts(t.engine());
  EXPECT_EQ(t.session().CheckpointList, (std::vector<std::string>{"Start", "Two", "Three"}));
  EXPECT_EQ(t.session().CheckpointX, 77);
  EXPECT_EQ(t.session().CheckpointY, kGround);
  EXPECT_EQ(t.session().CheckpointScore, 1234);
  EXPECT_TRUE(t.scripts().Empty());
}

TEST(Scripts, ScriptsLeavingTheListMidPassDoNotDisturbTheWalk) {
  ScriptLevel t;
  ObjectType& crate = t.Object("Crate", 0, 0);
  t.Add(Script(8, "", 1, 2));
  t.Add(Script(9));
  t.Add(Script(7, "Crate"));
  t.Add(Script(6, "Crate", 40, 40));  // the crate is gone: nothing to place
  t.Add(Script(99));
  t.Add(Script(1));
  UpdateScripts(t.engine());
  EXPECT_EQ(t.run().PanTargetX, 1);
  EXPECT_EQ(t.run().PanReturning, 1);
  EXPECT_EQ(t.run().LevelCompleted, 1);
  EXPECT_EQ(crate.X, 0) << "deleted before it could be placed";
  EXPECT_EQ(t.Commands(), (std::vector<int32_t>{7, 99}));
}

TEST(Scripts, AMoveLeavesAloneWhatWasDeletedWhileItRan) {
  ScriptLevel t;
  ObjectType& kept = t.Object("Lift", 0, 0);
  ObjectType& deleted = t.Object("LIFT", 100, 0);
  t.Add(Move("lift", 20, 5, 0, 0));
  UpdateScripts(t.engine());
  t.Add(Script(7, "LIFT"));
  UpdateScripts(t.engine());
  UpdateScripts(t.engine());
  EXPECT_EQ(kept.X, 15);
  EXPECT_EQ(deleted.X, 90) << "moved until it was deleted";
  UpdateScripts(t.engine());
  EXPECT_EQ(t.Commands(), (std::vector<int32_t>{7})) << "only the object left counts";
}

TEST(Scripts, ScriptsRunInTheLevelLoop) {
  ScriptLevel t;
  t.Add(Script(1));
  t.level.Passes(1);
  EXPECT_EQ(t.run().LevelCompleted, 1);
  EXPECT_TRUE(t.scripts().Empty());
}

struct SoundFiles {
  explicit SoundFiles(ScriptLevel& t) : t(t) {
    Engine& e = t.engine();
    e.folders.DataFolder = t.level.run.project.path() + "/Data/";
  }
  void Write(const std::string& relative) {
    test::WriteFile(t.level.run.project.path() + "/" + relative, test::WavBytes());
  }
  ScriptLevel& t;
};

TEST(Scripts, SoundCommandPrefersThePatchAndReportsAMissingFile) {
  struct Case {
    bool inPatch, inData;
    std::string played;  // "" = nothing
  };
  for (const Case& c : {Case{true, true, "Patch.PPF/Data/SFX/boom.wav"},
                        Case{false, true, "Data/SFX/boom.wav"}, Case{false, false, ""}}) {
    ScriptLevel t;
    SoundFiles files(t);
    t.settings().PatchFolder = t.level.run.project.path() + "/Patch.PPF";
    if (c.inPatch) files.Write("Patch.PPF/Data/SFX/boom.wav");
    if (c.inData) files.Write("Data/SFX/boom.wav");
    ScriptType s = Script(5);
    s.Sound = "boom.wav";
    t.Add(s);
    UpdateScripts(t.engine());
    EXPECT_TRUE(t.scripts().Empty());
    const auto& out = t.level.run.output;
    if (c.played.empty()) {
      EXPECT_TRUE(t.level.run.Printed("Error loading sound: " + t.engine().folders.DataFolder +
                                      "/SFX/boom.wav"));
    } else {
      EXPECT_EQ(out.back(), "sound| play " + c.played);
      EXPECT_EQ(t.run().SoundsPlaying.size(), 1u) << "nothing else holds it while it plays";
    }
  }
}

TEST(Scripts, TheTwentySecondEffectTakesTheFirstSlotAgain) {
  ScriptLevel t;
  SoundFiles files(t);
  files.Write("Data/SFX/shot.wav");
  const SoundPtr shot =
      t.engine().platform.LoadSoundFile(t.engine().folders.DataFolder + "SFX/shot.wav", false);
  ASSERT_TRUE(shot);
  PlayEffect(t.engine(), nullptr);
  EXPECT_EQ(t.run().EffectIndex, 0) << "an absent sound takes no slot";
  std::vector<Channel> started;
  for (int i = 0; i < 22; ++i) {
    PlayEffect(t.engine(), shot);
    started.push_back(t.run().EffectChannels[static_cast<size_t>(i % 21)]);
  }
  EXPECT_EQ(t.run().EffectIndex, 1);
  EXPECT_EQ(t.run().EffectChannels[0], started[21]);
  EXPECT_NE(started[21], started[0]);
  EXPECT_EQ(t.run().EffectChannels[20], started[20]);
  EXPECT_EQ(t.run().SoundsPlaying.size(), 1u) << "one sound, held once";

  files.Write("Data/SFX/bang.wav");
  t.level.Passes(1);  // the shots have ended
  PlayEffect(t.engine(), t.engine().platform.LoadSoundFile(
                             t.engine().folders.DataFolder + "SFX/bang.wav", false));
  ASSERT_EQ(t.run().SoundsPlaying.size(), 1u) << "a finished sound is let go";
  EXPECT_EQ(t.run().SoundsPlaying[0].second->path, t.engine().folders.DataFolder + "SFX/bang.wav");
}

TEST(Scripts, PlayerSoundsComeFromTheDataFolderAndOutliveTheActor) {
  struct Case {
    int32_t hp;
    bool fileThere;
    std::string expect;
  };
  for (const Case& c : {Case{5, true, "sound| play Data/SFX/ouch.wav"},
                        Case{0, true, "sound| play Data/SFX/die.wav"},
                        Case{0, false, "Could not play: DATA/SFX/die.wav"}, Case{5, false, ""}}) {
    ScriptLevel t;
    SoundFiles files(t);
    if (c.fileThere) {
      files.Write("Data/SFX/ouch.wav");
      files.Write("Data/SFX/die.wav");
    }
    // A patch's copies are never looked at.
    t.settings().PatchFolder = t.level.run.project.path() + "/Patch.PPF";
    files.Write("Patch.PPF/Data/SFX/ouch.wav");
    files.Write("Patch.PPF/Data/SFX/die.wav");
    t.player->Actor->OuchF = "ouch.wav";
    t.player->Actor->DieF = "die.wav";
    t.player->HP = c.hp;
    const size_t before = t.level.run.output.size();
    PlayPlayerSound(t.engine());
    std::string expect = c.expect;
    if (const size_t at = expect.find("DATA/"); at != std::string::npos) {
      expect.replace(at, 5, t.engine().folders.DataFolder);
    }
    const std::vector<std::string> lines(t.level.run.output.begin() + static_cast<long>(before),
                                         t.level.run.output.end());
    EXPECT_EQ(lines,
              expect.empty() ? std::vector<std::string>{} : std::vector<std::string>{expect});
    if (c.fileThere) {
      t.engine().level.ActorDefs.clear();  // the level reloads
      EXPECT_EQ(t.run().SoundsPlaying.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace hopwerk
