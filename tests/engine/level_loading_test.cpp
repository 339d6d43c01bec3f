// Loading a level: its entries, traces and messages, picture and definition sharing, skill
// handling, the player, music and the checkpoint scripts.
#include <gtest/gtest.h>

#include "LevelTestProject.h"
#include "data/Console.h"
#include "level/ActorScan.h"
#include "level/LevelScripts.h"

namespace hopwerk {
namespace {

using test::ActorBytes;
using test::Bytes;
using test::LevelProject;
using test::ObjectBytes;

TEST(LevelLoading, LoadsInOrderWithItsTraceLines) {
  LevelProject lp;
  // No end tag: the general data may simply stop.
  lp.Put("Maps.vxr", "L1/General",
         Bytes().Byte(0).String("Meadow").Byte(3).Byte(0).Byte(0).Byte(64).Byte(5).Int(3));
  Engine& e = lp.Open();
  e.run.Keys[0] = 4;
  e.run.Keys[9] = 2;
  e.run.LevelCompleted = 1;
  e.run.NextLevelName = "L2";
  e.run.PanTargetX = 7;
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  EXPECT_EQ(lp.Traces("CLS COL"), std::vector<std::string>{"CLS COL: 0, 0, 64"});
  const int cls = lp.run.IndexOf("CLS COL: 0, 0, 64");
  const int margins = lp.run.IndexOf("Plus Minus Settings: 5000,5000/5000,5000");
  const int scan = lp.run.IndexOf("Scanning Actors");
  ASSERT_GE(cls, 0);
  EXPECT_LT(cls, margins);
  EXPECT_LT(margins, scan);
  EXPECT_EQ(lp.run.output[static_cast<size_t>(scan) + 1], "Actor control: 1");
  EXPECT_EQ(e.level.LevelTitle, "Meadow");
  EXPECT_EQ(e.level.ClsB, 64);
  EXPECT_EQ(e.level.BackgroundDivisor, 3);
  EXPECT_EQ(e.run.Keys[0], 4);
  EXPECT_EQ(e.run.Keys[9], 0);
  EXPECT_EQ(e.run.LevelCompleted, 0);
  EXPECT_EQ(e.run.NextLevelName, "");
  EXPECT_EQ(e.run.PanTargetX, -1);
  ASSERT_NE(e.level.Player, nullptr);
  EXPECT_EQ(e.level.Player->X, 100);
  EXPECT_EQ(e.level.Player->HP, 50);
}

TEST(LevelLoading, ValuesTheEntryLeavesOutSurviveAndMarginsAreRead) {
  LevelProject lp;
  lp.Put("Maps.vxr", "L1/PlusMinus", Bytes().Int(640).Int(480).Int(-1).Int(0));
  lp.Put("Maps.vxr", "L2/General", Bytes().Byte(255));
  lp.Put("Maps.vxr", "L2/Objects", ObjectBytes().Add(2, "Hero").End());
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load());
  EXPECT_TRUE(lp.run.Printed("Plus Minus Settings: 640,480/-1,0"));
  e.session.CurrentLevelName = "L2";
  ASSERT_FALSE(lp.Load());
  EXPECT_EQ(e.level.LevelTitle, "First");
  EXPECT_EQ(e.level.PlusX, 5000);
}

// A level with one of everything a load reads: a collectable, a shooting actor with its enemy
// weapon, and a start script.
void FullLevel(LevelProject& lp) {
  lp.Put("Maps.vxr", "L1/Objects",
         ObjectBytes().Add(2, "Hero").Add(3, "Gem", 40, 0).Add(2, "Bat", 80, 0).End());
  lp.Put("Maps.vxr", "L1/Script/Start", Bytes().Byte(0).Byte(2).Int(1).Byte(255));
  lp.Put("Actors.vxr", "Bat",
         Bytes().Byte(0).Byte(0).Byte(4).Byte(6).Byte(1).Byte(5).Byte(6).String("Zap").Byte(255));
  lp.Put("Collectables.vxr", "Gem", Bytes().Byte(2).Int(10).Byte(255));
  lp.Put("Weapon.vxr", "Enemy/Zap", Bytes().Byte(0).String("zap.png").Byte(255));
  lp.Picture("Data/GFX/Weapon/zap.png", 4, 4);
}

struct Corruption {
  const char* archive;
  const char* entry;
  Bytes bytes;
  std::string message;  // $DATA stands for the data folder
};

TEST(LevelLoading, DamagedEntriesStopWithTheirOwnMessage) {
  const Bytes hero = ObjectBytes().Add(2, "Hero").b;
  const auto objects = [&](const Bytes& tail) {
    Bytes b = hero;
    b.data.insert(b.data.end(), tail.data.begin(), tail.data.end());
    return b;
  };
  const std::vector<Corruption> cases = {
      {"Maps.vxr", "L1/General", Bytes().Byte(0).String("A").Byte(7),
       "General file in L1 corrupted"},
      {"Maps.vxr", "L1/General", Bytes().Byte(5).Byte(1).Byte(0), "General file in L1 corrupted"},
      {"Maps.vxr", "L1/PlusMinus", Bytes().Int(1).Int(2).Int(3), "PlusMinus file in L1 corrupted"},
      {"Maps.vxr", "L1/Objects", objects(Bytes().Byte(17)), "Map Object File corrupted! 17"},
      {"Maps.vxr", "L1/Objects", objects(Bytes()), "Map Object File corrupted! end of entry"},
      {"Maps.vxr", "L1/Objects", objects(Bytes().Byte(6).Byte(11).Byte(255)),
       "Map Object File corrupted! 6"},
      {"Maps.vxr", "L1/Objects", objects(Bytes().Byte(1).Int(5)), "Map Object File corrupted! 1"},
      {"Maps.vxr", "L1/Objects", Bytes().Byte(255), "No start player actor in level \"L1\""},
      {"Maps.vxr", "L1/Script/Start", Bytes().Byte(0).Byte(13).Byte(255),
       "Script \"Start\" corrupted => 13"},
      {"Maps.vxr", "L1/Script/Start", Bytes().Byte(0).Byte(2).Int(8),
       "Script \"Start\" corrupted => end of entry"},
      {"Maps.vxr", "L1/Script/Start", Bytes().Byte(0).Byte(7).Int(1),
       "Script \"Start\" corrupted => 7"},
      {"Actors.vxr", "Hero", Bytes().Byte(7).Byte(1).Int(5).Byte(255),
       "Actor \"Hero\" corrupted (7.1)"},
      {"Actors.vxr", "Hero", Bytes().Byte(5).Byte(5).String("x").Byte(255),
       "Actor \"Hero\" corrupted (5.5)"},
      {"Actors.vxr", "Hero", Bytes().Byte(8).Byte(0).String("x").Byte(255),
       "Actor \"Hero\" corrupted (8.0)"},
      {"Actors.vxr", "Hero", Bytes().Byte(2).Byte(5).Int(1).Int(1).Int(1).Int(1).Byte(255),
       "Actor \"Hero\" corrupted (2.5)"},
      {"Actors.vxr", "Hero", Bytes().Byte(4).Byte(12).Byte(1).Byte(255),
       "Actor \"Hero\" corrupted (4.12)"},
      {"Actors.vxr", "Hero", Bytes().Byte(6).Byte(4).Byte(1).Byte(255),
       "Actor \"Hero\" corrupted (6.4)"},
      {"Actors.vxr", "Hero", Bytes().Byte(13).Byte(255), "Actor \"Hero\" corrupted (13)"},
      {"Actors.vxr", "Hero", Bytes().Byte(0).Byte(1), "Actor \"Hero\" corrupted (end of entry)"},
      {"Actors.vxr", "Hero", Bytes().Byte(9).Byte(1), "Actor \"Hero\" corrupted (9)"},
      {"Actors.vxr", "Hero", ActorBytes(0, 5), "No start player actor in level \"L1\""},
      {"Collectables.vxr", "Gem", Bytes().Byte(4).Byte(10).Byte(255),
       "Collectable \"Gem\" corrupted => W10"},
      {"Collectables.vxr", "Gem", Bytes().Byte(10).Byte(255),
       "Collectable \"Gem\" corrupted => 10"},
      {"Collectables.vxr", "Gem", Bytes().Byte(1).Int(3),
       "Collectable \"Gem\" corrupted => end of entry"},
      {"Weapon.vxr", "Enemy/Zap", Bytes().Byte(4).Byte(255), "Enemy Weapon \"Zap\" corrupted (4)"},
      {"Weapon.vxr", "Enemy/Zap", Bytes().Byte(1).Byte(1).Byte(2),
       "Enemy Weapon \"Zap\" corrupted (1)"},
      {"Weapon.vxr", "Enemy/Zap", Bytes().Byte(0).String("none.png").Byte(255),
       "Image \"$DATAGFX/Weapon/none.png\" could not be loaded!"},
  };
  for (const Corruption& c : cases) {
    LevelProject lp;
    lp.displayWidth = 64;
    lp.displayHeight = 48;
    FullLevel(lp);
    lp.Put(c.archive, c.entry, c.bytes);
    std::string message = c.message;
    if (const size_t at = message.find("$DATA"); at != std::string::npos) {
      message.replace(at, 5, lp.run.project.path() + "/Data/");
    }
    EXPECT_TRUE(lp.Load()) << message;
    EXPECT_EQ(lp.FatalMessage(), message);
    // The error's wait runs out of scripted keys and ends as its key would: a failure.
    EXPECT_EQ(lp.run.end.reason, "exit");
    EXPECT_EQ(lp.run.end.status, 1);
  }
}

TEST(LevelLoading, FullLevelLoads) {
  LevelProject lp;
  FullLevel(lp);
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  EXPECT_EQ(e.level.AllObjects.Count(), 3u);
  EXPECT_EQ(e.level.Scripts.Count(), 1u);
  ASSERT_EQ(e.level.ActorDefs.size(), 2u);
  const auto& bat = e.level.ActorDefs[1];
  ASSERT_TRUE(bat->ShootWeapon);
  ASSERT_TRUE(bat->ShootWeapon->Image);
  EXPECT_EQ(bat->ShootWeapon->Image->handleX, 2);
  EXPECT_TRUE(lp.run.Printed("Difficulty = 1"));
}

TEST(LevelLoading, SkillHitPointsOfComputerActors) {
  const struct {
    int32_t hp, skill, expected;
  } cases[] = {{10, 0, 7},
               {1, 0, 0},
               {-1, 0, 0},
               {-2, 0, 1},
               {10, 2, 17},
               {3, 2, 5},
               {-3, 2, -5},
               {10, 1, 10},
               {10, 7, 10},
               {INT32_MAX, 2, INT32_MAX},
               {INT32_MIN, 2, INT32_MIN}};
  for (const auto& c : cases) {
    EXPECT_EQ(SkillHitPoints(c.hp, c.skill), c.expected) << c.hp << " at " << c.skill;
  }
}

TEST(LevelLoading, SkillDecidesWhichObjectsStayAndTheirHitPoints) {
  const int32_t batHp[] = {7, 10, 17};
  const size_t objects[] = {4, 3, 3};
  for (int32_t skill = 0; skill < 3; ++skill) {
    LevelProject lp;
    lp.Put("Maps.vxr", "L1/Objects",
           ObjectBytes()
               .Add(2, "Hero")
               .Add(2, "Bat")
               .Add(0, "a.png")
               .Skill(1, 1, 0)
               .Layer(3)
               .Add(0, "b.png")
               .Skill(1, 0, 1)
               .Layer(3)
               .End());
    // Names a weapon but does not shoot: nothing is loaded (the weapon archive is absent).
    lp.Put("Actors.vxr", "Bat",
           Bytes().Byte(0).Byte(0).Byte(9).Int(10).Byte(5).Byte(6).String("Zap").Byte(255));
    Engine& e = lp.Open();
    e.session.Skill = skill;
    ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
    EXPECT_EQ(e.level.AllObjects.Count(), objects[skill]) << skill;
    EXPECT_EQ(e.level.LayerLists[0].Count() + e.level.LayerLists[3].Count(), objects[skill]);
    const std::vector<ObjectType*> all = e.level.AllObjects.Snapshot();
    EXPECT_EQ(all[0]->HP, 50);  // the player's kind is never scaled
    EXPECT_EQ(all[1]->HP, batHp[skill]);
    EXPECT_FALSE(all[1]->Actor->ShootWeapon);
    EXPECT_EQ(all[2]->PicName, skill == 2 ? "b.png" : "a.png");
  }
}

TEST(LevelLoading, LastPlayerObjectWinsAndTheOthersStay) {
  LevelProject lp;
  lp.Put("Maps.vxr", "L1/Objects", ObjectBytes().Add(2, "Hero", 1).Add(2, "hero", 2).End());
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load());
  ASSERT_NE(e.level.Player, nullptr);
  EXPECT_EQ(e.level.Player->X, 2);
  EXPECT_EQ(e.level.AllObjects.Count(), 2u);
  EXPECT_EQ(e.level.ActorDefs.size(), 1u);
}

TEST(LevelLoading, ObjectFieldsAndPictureSharing) {
  LevelProject lp;
  ObjectBytes o;
  o.b.Byte(1).Int(9).Int(9).Byte(10).Byte(3);  // before any object: dropped
  o.Add(2, "Hero");
  o.Add(0, "run.png").Anim(1, 32, 32, 4).b.Byte(10).Byte(200);
  o.Add(0, "run.png", 5, 6).Anim(1, 32, 32, 4).b.Byte(11).Int(200).Byte(1).Int(7).Int(8);
  o.Add(0, "still.png").Add(0, "still.png");  // no frame count: each its own entry
  o.Add(1, "Tree.png").Anim(0, 0, 0, 1).Add(1, "tree.png").Anim(0, 0, 0, 1);
  o.Add(5, "lever.png").Layer(10);
  lp.Put("Maps.vxr", "L1/Objects", o.End());
  lp.Picture("Data/GFX/Level/Pictures/run.png", 64, 64);
  lp.Picture("Data/GFX/Level/Pictures/still.png", 8, 8);
  lp.Picture("Data/GFX/Level/Pictures/Tree.png", 8, 8);
  lp.Picture("Data/GFX/Level/Switch/lever.png", 64, 32);
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  const std::vector<ObjectType*> all = e.level.AllObjects.Snapshot();
  ASSERT_EQ(all.size(), 8u);
  EXPECT_EQ(all[0]->X, 0);
  EXPECT_EQ(all[0]->AnimSlow, 0);
  EXPECT_EQ(all[1]->AnimSlow, 200);
  EXPECT_EQ(all[2]->AnimSlow, 200);
  EXPECT_EQ(all[2]->X, 7);  // a second position replaces the first
  EXPECT_EQ(all[2]->Y, 8);
  ASSERT_TRUE(all[1]->Pic);
  EXPECT_EQ(all[1]->Pic, all[2]->Pic);
  EXPECT_EQ(all[1]->Pic->frames.size(), 4u);
  EXPECT_EQ(all[1]->Pic->handleX, 0);
  for (size_t i = 3; i < 6; ++i) EXPECT_TRUE(all[i]->Pic) << i;  // tree.png finds Tree.png
  ASSERT_TRUE(all[7]->Pic);
  EXPECT_EQ(all[7]->Pic->width, 32);
  EXPECT_EQ(all[7]->Pic->height, 32);
  EXPECT_EQ(all[7]->Pic->frames.size(), 2u);
  EXPECT_TRUE(e.level.LayerLists[10].Contains(*all[7]));
  // run.png once, still.png twice, Tree.png and tree.png apart, lever.png.
  std::vector<std::string> names;
  for (const PictureType& p : e.level.Pictures) names.push_back(p.PicName);
  EXPECT_EQ(names, (std::vector<std::string>{"run.png", "still.png", "still.png", "Tree.png",
                                             "tree.png", "lever.png"}));
}

TEST(LevelLoading, DefinitionsAreSharedByCapitalisedName) {
  LevelProject lp;
  lp.Put("Maps.vxr", "L1/Objects",
         ObjectBytes()
             .Add(2, "Frog")
             .Add(2, "FROG")
             .Add(2, "Hero")
             .Add(3, "coin")
             .Anim(0, 5, 5, 5)
             .Add(3, "COIN")
             .Add(3, "Egg")
             .End());
  // Only the jump slot has frames.
  lp.Put("Actors.vxr", "Frog",
         Bytes().Byte(1).String("frog").Byte(2).Byte(1).Int(16).Int(16).Int(2).Int(50).Byte(255));
  lp.Picture("Data/GFX/Level/Actors/frog/Jump.png", 32, 16);
  lp.Picture("Data/GFX/Level/Actors/frog/Walk.png", 32, 16);
  lp.Put("Collectables.vxr", "Coin",
         Bytes()
             .Byte(0)
             .String("coin.png")
             .Byte(6)
             .Byte(1)
             .Byte(7)
             .Int(8)
             .Int(8)
             .Int(3)
             .Int(90)
             .Byte(255));
  lp.Picture("Data/GFX/Level/Collectable/coin.png", 24, 8);
  lp.Put("Collectables.vxr", "Egg", Bytes().Byte(0).String("EGG:EGG").Byte(255));
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  const std::vector<ObjectType*> all = e.level.AllObjects.Snapshot();
  ASSERT_EQ(e.level.ActorDefs.size(), 2u);
  const ActorType& frog = *e.level.ActorDefs[0];
  EXPECT_EQ(frog.Name, "FROG");
  EXPECT_EQ(all[0]->Actor, all[1]->Actor);
  for (int s = 0; s < kSpriteSlots; ++s) EXPECT_EQ(frog.Pic[s] != nullptr, s == 1) << s;
  ASSERT_TRUE(frog.Pic[1]);
  EXPECT_EQ(frog.Pic[1]->frames.size(), 2u);
  EXPECT_EQ(frog.Pic[1]->handleX, 8);
  EXPECT_EQ(frog.Pic[1]->handleY, 16);
  EXPECT_EQ(all[0]->Pic, frog.Pic[0]);  // stands in its walk pose, here none

  ASSERT_EQ(e.level.CollectableDefs.size(), 2u);
  EXPECT_EQ(all[3]->Collectable, all[4]->Collectable);
  EXPECT_EQ(all[3]->Anim, 1);
  EXPECT_EQ(all[3]->AnW, 8);
  EXPECT_EQ(all[3]->ANF, 3);
  EXPECT_EQ(all[3]->AnimSlow, 90);
  ASSERT_TRUE(all[3]->Pic);
  EXPECT_EQ(all[3]->Pic->frames.size(), 3u);
  EXPECT_EQ(all[3]->Pic->handleX, 4);
  ASSERT_TRUE(all[5]->Pic);  // the built-in egg, centred
  EXPECT_EQ(all[5]->Pic->handleX, all[5]->Pic->width / 2);
  EXPECT_EQ(all[5]->Pic->handleY, all[5]->Pic->height / 2);

  // The entry is opened under the name the first object of the kind gives.
  LevelProject damaged;
  damaged.Put("Maps.vxr", "L1/Objects", ObjectBytes().Add(2, "FROG").Add(2, "Frog").End());
  damaged.Put("Actors.vxr", "Frog", Bytes().Byte(13));
  EXPECT_TRUE(damaged.Load());
  EXPECT_EQ(damaged.FatalMessage(), "Actor \"FROG\" corrupted (13)");
}

TEST(LevelLoading, ScriptRecordsAndCheckpointScripts) {
  LevelProject lp;
  lp.Put("Maps.vxr", "L1/Script/Start",
         Bytes()
             .Byte(1)
             .String("early")  // before any record: dropped
             .Byte(0)
             .Byte(2)
             .Int(8)
             .Byte(7)
             .Int(100)
             .Int(200)
             .Byte(0)
             .Byte(1)
             .String("b")
             .Byte(8)
             .Byte(0)
             .Byte(12)
             .Int(5)
             .Byte(255));
  lp.Put("Maps.vxr", "L1/Script/Other", Bytes().Byte(0).Byte(255));
  Engine& e = lp.Open();
  e.session.CheckpointList = {"Start", "Missing"};
  ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
  std::vector<ScriptType*> scripts;
  e.level.Scripts.Walk([&](ScriptType& s) {
    scripts.push_back(&s);
    return false;
  });
  ASSERT_EQ(scripts.size(), 2u);
  EXPECT_EQ(scripts[0]->UID, "");
  EXPECT_EQ(scripts[0]->Command, 8);
  EXPECT_EQ(scripts[0]->ToX, 100);
  EXPECT_EQ(scripts[0]->ToY, 200);
  EXPECT_EQ(scripts[0]->Active, 1);
  EXPECT_EQ(scripts[0]->WhenDone, 1);
  EXPECT_EQ(scripts[0]->Delay, 0);
  EXPECT_EQ(scripts[1]->UID, "b");
  EXPECT_EQ(scripts[1]->Active, 0);
  EXPECT_EQ(scripts[1]->Delay, 5);
  EXPECT_EQ(scripts[1]->ID, scripts[0]->ID + 1);
  lp.run.Run([](Engine& engine) { EndOnLoadError(engine, RunScriptFile(engine, "start")); });
  EXPECT_EQ(e.level.Scripts.Count(), 4u);
}

TEST(LevelLoading, ReloadRebuildsObjectsAndResetsKeys) {
  LevelProject lp;
  lp.Put("Maps.vxr", "L1/Objects", ObjectBytes().Add(2, "Hero").Add(0, "x.png").End());
  Engine& e = lp.Open();
  ASSERT_FALSE(lp.Load());
  e.level.AllObjects.Remove(*e.level.AllObjects.Snapshot()[1]);
  e.run.Keys[0] = 3;
  e.run.Keys[5] = 1;
  ASSERT_FALSE(lp.Load());
  EXPECT_EQ(e.level.AllObjects.Count(), 2u);
  EXPECT_EQ(e.run.Keys[0], 3);
  EXPECT_EQ(e.run.Keys[5], 0);
}

TEST(LevelLoading, MusicComesFromThePatchFirstThenTheDataFolder) {
  const struct {
    bool patchCopy;
    const char* file;
    const char* played;  // empty: nothing plays
  } cases[] = {
      {false, "Theme.wav", "Data/Music/Theme.wav"},
      {true, "Theme.wav", "Patch.PPF/Data/Music/Theme.wav"},
      {false, "THEME.WAV", "Data/Music/Theme.wav"},
      {false, "../Music/Theme.wav", ""},
  };
  for (const auto& c : cases) {
    LevelProject lp;
    lp.Put("Maps.vxr", "L1/General", Bytes().Byte(1).String(c.file).Byte(255));
    lp.Write("Data/Music/Theme.wav", test::WavBytes());
    lp.Write("Patch.PPF/ID", "");
    if (c.patchCopy) lp.Write("Patch.PPF/Data/Music/Theme.wav", test::WavBytes());
    Engine& e = lp.Open();
    e.settings.PatchFolder = lp.run.project.path() + "/Patch.PPF";
    ASSERT_FALSE(lp.Load()) << lp.FatalMessage();
    const std::vector<std::string> played = lp.Traces("sound| play ");
    if (*c.played) {
      EXPECT_EQ(played, std::vector<std::string>{std::string("sound| play ") + c.played});
      EXPECT_NE(e.level.MusicChannel, kNoChannel);
    } else {
      EXPECT_TRUE(played.empty()) << c.file;
      EXPECT_FALSE(e.level.MusicSound);
    }
  }
}

}  // namespace
}  // namespace hopwerk
