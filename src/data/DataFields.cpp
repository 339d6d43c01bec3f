#include "data/DataFields.h"

namespace hopwerk {

const RecordFields<ProjectSettings>& ProjectSettingsFields() {
  using P = ProjectSettings;
  static const RecordFields<P> fields = {
      Field<&P::ProjectTitle>("ProjectTitle"),   Field<&P::ScreenWidth>("ScreenWidth"),
      Field<&P::ScreenHeight>("ScreenHeight"),   Field<&P::FullScreen>("FullScreen"),
      Field<&P::ProjectAuthor>("ProjectAuthor"),
  };
  return fields;
}

const RecordFields<ProjectSettings>& ProjectIdFields() {
  using P = ProjectSettings;
  static const RecordFields<P> fields = {
      Field<&P::ProjectIdMajor>("ProjectIdMajor"),
      Field<&P::ProjectIdMinor>("ProjectIdMinor"),
  };
  return fields;
}

const RecordFields<WeaponType>& WeaponFields() {
  using W = WeaponType;
  static const RecordFields<W> fields = {
      Field<&W::Picture>("Picture"),     Field<&W::Sound>("Sound"),
      Field<&W::AmmoUsage>("AmmoUsage"), Field<&W::MS>("MS"),
      Field<&W::MaxAmmo>("MaxAmmo"),     Field<&W::BulletSpeed>("BulletSpeed"),
      Field<&W::StartAmmo>("StartAmmo"),
  };
  return fields;
}

const RecordFields<TStatus>& StatusElementFields() {
  using S = TStatus;
  static const RecordFields<S> fields = {
      Field<&S::Com>("Com"), Field<&S::X>("X"),     Field<&S::Y>("Y"),         Field<&S::W>("W"),
      Field<&S::H>("H"),     Field<&S::Txt>("Txt"), Field<&S::Alpha>("Alpha"), Field<&S::R>("R"),
      Field<&S::G>("G"),     Field<&S::B>("B"),
  };
  return fields;
}

const RecordFields<TCondition>& StatusConditionFields() {
  using C = TCondition;
  static const RecordFields<C> fields = {
      Field<&C::CNot>("CNot"),
      Field<&C::Eis>("Eis"),
      Field<&C::Value>("Value"),
      Field<&C::Txt>("Txt"),
  };
  return fields;
}

}  // namespace hopwerk
