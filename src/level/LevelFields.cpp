#include "level/LevelFields.h"

namespace hopwerk {

const RecordFields<ObjectType>& ObjectFields() {
  using O = ObjectType;
  // AnimSlow comes as a byte or an int; both fill the same member.
  static const RecordFields<O> fields = {
      Field<&O::X>("X"),
      Field<&O::Y>("Y"),
      Field<&O::RepX>("RepX"),
      Field<&O::RepY>("RepY"),
      Field<&O::OType>("OType"),
      Field<&O::PicName>("PicName"),
      Field<&O::Anim>("Anim"),
      Field<&O::AnW>("AnW"),
      Field<&O::AnH>("AnH"),
      Field<&O::ANF>("ANF"),
      Field<&O::Level>("Level"),
      Field<&O::R>("R"),
      Field<&O::G>("G"),
      Field<&O::B>("B"),
      Field<&O::ID>("ID"),
      Field<&O::TScript>("TScript"),
      Field<&O::AnimSlow>("AnimSlowByte"),
      Field<&O::AnimSlow>("AnimSlow"),
      Field<&O::DecoDamage>("DecoDamage"),
      Element<&O::Skill, 0>("SkillEasy"),
      Element<&O::Skill, 1>("SkillMedium"),
      Element<&O::Skill, 2>("SkillHard"),
      Field<&O::RequireKey>("RequireKey"),
      Field<&O::TakeKey>("TakeKey"),
      Field<&O::SwitchActivate>("SwitchActivate"),
      Field<&O::MoveX>("MoveX"),
      Field<&O::MoveY>("MoveY"),
  };
  return fields;
}

const RecordFields<ActorType>& ActorFields() {
  using A = ActorType;
  // Slot, MoveIndex and TouchIndex choose the element the next field of their record fills.
  static const RecordFields<A> fields = {
      Field<&A::Control>("Control"),
      Field<&A::PicBundle>("PicBundle"),
      Index<A>("Slot"),
      Indexed<&A::SpriteWidth, 0>("SpriteWidth"),
      Indexed<&A::SpriteHeight, 0>("SpriteHeight"),
      Indexed<&A::SpriteFrames, 0>("SpriteFrames"),
      Indexed<&A::SpriteWait, 0>("SpriteWait"),
      Field<&A::Die>("Die"),
      Index<A>("MoveIndex"),
      Indexed<&A::Move, 0>("MoveValue"),
      Field<&A::ShootWeaponName>("ShootWeaponName"),
      Index<A>("TouchIndex"),
      Indexed<&A::Touch, 0>("TouchValue"),
      Field<&A::HurtPlayer>("HurtPlayer"),
      Field<&A::CollectableName>("CollectableName"),
      Field<&A::HP>("HP"),
      Field<&A::KillScore>("KillScore"),
      Field<&A::OuchF>("OuchF"),
      Field<&A::DieF>("DieF"),
  };
  return fields;
}

const RecordFields<CollectableType>& CollectableFields() {
  using C = CollectableType;
  static const RecordFields<C> fields = {
      Field<&C::Pic>("Pic"),           Field<&C::HP>("HP"),
      Field<&C::Score>("Score"),       Field<&C::Ammo>("Ammo"),
      Field<&C::Weapon>("Weapon"),     Field<&C::Collect>("Collect"),
      Field<&C::Anim>("Anim"),         Field<&C::AnWidth>("AnWidth"),
      Field<&C::AnHeight>("AnHeight"), Field<&C::AnFrames>("AnFrames"),
      Field<&C::AnWait>("AnWait"),     Field<&C::SoundFile>("SoundFile"),
      Field<&C::GiveKey>("GiveKey"),
  };
  return fields;
}

const RecordFields<EnemyWeapon>& EnemyWeaponFields() {
  using E = EnemyWeapon;
  static const RecordFields<E> fields = {
      Field<&E::Pic>("Pic"),       Field<&E::R>("R"),           Field<&E::G>("G"),
      Field<&E::B>("B"),           Field<&E::HSpeed>("HSpeed"), Field<&E::VSpeed>("VSpeed"),
      Field<&E::Chance>("Chance"),
  };
  return fields;
}

const RecordFields<ScriptType>& ScriptFields() {
  using S = ScriptType;
  static const RecordFields<S> fields = {
      Field<&S::UID>("UID"),
      Field<&S::Command>("Command"),
      Field<&S::ChainScript>("ChainScript"),
      Field<&S::NextLevel>("NextLevel"),
      Field<&S::WhenDone>("WhenDone"),
      Field<&S::Sound>("Sound"),
      Field<&S::ToX>("ToX"),
      Field<&S::ToY>("ToY"),
      Field<&S::Active>("Active"),
      Field<&S::StepX>("StepX"),
      Field<&S::StepY>("StepY"),
      Field<&S::ObjID>("ObjID"),
      Field<&S::ActivateScriptID>("ActivateScriptID"),
      Field<&S::Delay>("Delay"),
  };
  return fields;
}

const RecordFields<LevelState>& LevelGeneralFields() {
  using L = LevelState;
  static const RecordFields<L> fields = {
      Field<&L::LevelTitle>("LevelTitle"),
      Field<&L::MusicFile>("MusicFile"),
      Field<&L::SecondText>("SecondText"),
      Field<&L::ClsR>("ClsR"),
      Field<&L::ClsG>("ClsG"),
      Field<&L::ClsB>("ClsB"),
      Field<&L::BackgroundPicName>("BackgroundPicName"),
      Field<&L::BackgroundDivisor>("BackgroundDivisor"),
      Field<&L::BackgroundEffect>("BackgroundEffect"),
  };
  return fields;
}

const RecordFields<LevelState>& LevelMarginFields() {
  using L = LevelState;
  static const RecordFields<L> fields = {
      Field<&L::PlusX>("PlusX"),
      Field<&L::PlusY>("PlusY"),
      Field<&L::MinusX>("MinusX"),
      Field<&L::MinusY>("MinusY"),
  };
  return fields;
}

}  // namespace hopwerk
