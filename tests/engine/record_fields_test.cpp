// Every field of every entry format is kept by its record, and a record written by the schema
// reads back as it was: so a field added to a format's table without a place in its record, or
// bound to the wrong member, fails here and not in a player's game.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "data/DataFields.h"
#include "level/LevelFields.h"
#include "schema/EntryText.h"

namespace hopwerk {
namespace {

template <class R>
std::vector<std::string> UnboundFields(const char* title, const RecordFields<R>& fields) {
  return RecordBinder<R>(EntryFormatTitled(title), fields).Unbound();
}

TEST(RecordFields, EveryFieldOfEveryFormatHasItsPlace) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(UnboundFields("LEVEL/Objects", ObjectFields()), Names{});
  EXPECT_EQ(UnboundFields("actor definition", ActorFields()), Names{});
  EXPECT_EQ(UnboundFields("collectable definition", CollectableFields()), Names{});
  EXPECT_EQ(UnboundFields("Enemy/NAME", EnemyWeaponFields()), Names{});
  EXPECT_EQ(UnboundFields("LEVEL/Script/NAME", ScriptFields()), Names{});
  EXPECT_EQ(UnboundFields("LEVEL/PlusMinus", LevelMarginFields()), Names{});
  EXPECT_EQ(UnboundFields("LEVEL/General", LevelGeneralFields()), Names{});
  EXPECT_EQ(UnboundFields("GenData", ProjectSettingsFields()), Names{});
  EXPECT_EQ(UnboundFields("ID", ProjectIdFields()), Names{});
  EXPECT_EQ(UnboundFields("Weapon.N", WeaponFields()), Names{});
  // The status entry's elements and their conditions share it.
  const Names elementLeavesOut = UnboundFields("Score", StatusElementFields());
  for (const std::string& name : UnboundFields("Score", StatusConditionFields())) {
    EXPECT_EQ(std::count(elementLeavesOut.begin(), elementLeavesOut.end(), name), 0) << name;
  }
}

TEST(RecordFields, LimitsInTheTableFitTheArraysTheyIndex) {
  for (const auto& binding : ActorFields()) {
    if (binding.chooser < 0) continue;
    for (const auto& record : EntryFormatTitled("actor definition").records) {
      for (size_t f = 0; f < record.fields.size(); ++f) {
        if (record.fields[f].name != std::string(binding.name)) continue;
        const EntryField& chooser = record.fields[static_cast<size_t>(binding.chooser)];
        EXPECT_EQ(static_cast<size_t>(chooser.high) + 1, binding.extent) << binding.name;
      }
    }
  }
  const EntryRecord layer = [] {
    EntryRecord r;
    for (const auto& record : EntryFormatTitled("LEVEL/Objects").records) {
      if (record.tag == 6) r.format = &record;
    }
    return r;
  }();
  EXPECT_EQ(layer.format->fields[0].high, kLayers - 1);
}

// Writes the record with the schema's writer, reads the bytes back into a fresh record and
// compares what the entry holds.
template <class R>
void ExpectRoundTrip(const char* title, const RecordFields<R>& fields, R record,
                     const std::function<bool(const R&, const R&)>& same) {
  const RecordBinder<R> binder(EntryFormatTitled(title), fields);
  std::vector<uint8_t> bytes;
  int key = 0;
  binder.Write(record, key, bytes);
  const EntryFormat& format = binder.format();
  if (format.endTag >= 0) bytes.push_back(static_cast<uint8_t>(format.endTag));
  std::string text, reason;
  EXPECT_TRUE(EntryBytesToText(format, bytes, text, reason)) << title << ": " << reason;
  EntryBytes source(bytes);
  EntryRecordReader reader(format, source);
  R back;
  EntryRecord read;
  while (reader.Next(read) == ReadStep::Record) binder.Fill(back, read);
  EXPECT_EQ(reader.Fault().kind, RecordFault::None) << title;
  EXPECT_TRUE(same(record, back)) << title << "\n" << text;
}

TEST(RecordFields, RecordsWrittenByTheSchemaReadBackTheSame) {
  ObjectType o;
  o.ID = "gate";
  o.X = -70000;
  o.Y = 123456;
  o.RepX = 3;
  o.OType = kSwitch;
  o.PicName = "Lever.png";
  o.Anim = 1;
  o.ANF = 4;
  o.Level = 10;
  o.B = 200;
  o.AnimSlow = 100000;
  o.Skill = {0, 1, 0, 1};
  o.TakeKey = 2;
  o.SwitchActivate = 0;
  o.MoveY = -3;
  ExpectRoundTrip<ObjectType>("LEVEL/Objects", ObjectFields(), o, [](auto& a, auto& b) {
    return a.ID == b.ID && a.X == b.X && a.Y == b.Y && a.RepX == b.RepX && a.OType == b.OType &&
           a.PicName == b.PicName && a.Anim == b.Anim && a.ANF == b.ANF && a.Level == b.Level &&
           a.B == b.B && a.AnimSlow == b.AnimSlow && a.Skill == b.Skill && a.TakeKey == b.TakeKey &&
           a.SwitchActivate == b.SwitchActivate && a.MoveY == b.MoveY;
  });

  ActorType a;
  a.Control = 1;
  a.SpriteWidth = {10, 20, 30, 40, 50};
  a.SpriteWait[4] = 7;
  a.Move = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  a.Touch = {4, 3, 2, 1};
  a.ShootWeaponName = "Spit";
  a.HurtPlayer = -5;
  a.DieF = "Pop.wav";
  ExpectRoundTrip<ActorType>("actor definition", ActorFields(), a, [](auto& x, auto& y) {
    return x.Control == y.Control && x.SpriteWidth == y.SpriteWidth &&
           x.SpriteWait == y.SpriteWait && x.Move == y.Move && x.Touch == y.Touch &&
           x.ShootWeaponName == y.ShootWeaponName && x.HurtPlayer == y.HurtPlayer &&
           x.DieF == y.DieF;
  });

  TStatus s;
  s.Txt = "[SCORE]";
  s.Alpha = 40.0f;
  s.H = 12;
  ExpectRoundTrip<TStatus>("Score", StatusElementFields(), s, [](auto& x, auto& y) {
    return x.Txt == y.Txt && x.Alpha == y.Alpha && x.H == y.H;
  });
}

}  // namespace
}  // namespace hopwerk
