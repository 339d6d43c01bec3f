// The byte layout of every entry the engine reads, one table per format, with the field names
// the loaders use. Welcome and Credits are absent on purpose: they are plain text already, and
// the tool keeps them as they are, line ends included.
#include <string>

#include "schema/EntryFormat.h"

namespace hopwerk {

namespace {

constexpr const char* kGeneralArchive = "General.vxr";
constexpr const char* kWeaponArchive = "Weapon.vxr";
constexpr const char* kMapsArchive = "Maps.vxr";
constexpr const char* kActorsArchive = "Actors.vxr";
// The patch archive of collectables drops the plural; both hold the same entries.
constexpr const char* kCollectablesArchive = "Collectables.vxr|Collectable.vxr";

}  // namespace

const std::vector<EntryFormat>& EntryFormats() {
  using T = EntryFieldType;
  static const std::vector<EntryFormat> formats = {
      {"ID",
       "ID",
       nullptr,
       false,
       -1,
       false,
       {{-1, {{"ProjectIdMajor", T::Byte}, {"ProjectIdMinor", T::Int}}}}},
      {"GenData",
       "GenData",
       kGeneralArchive,
       false,
       255,
       false,
       {{0, {{"ProjectTitle", T::String}}},
        {1, {{"ScreenWidth", T::Int}, {"ScreenHeight", T::Int}}},
        {2, {{"FullScreen", T::Byte}}},
        {3, {{"ProjectAuthor", T::String}}}}},
      // The engine reads every record until the entry ends; 255 is no end tag here. Ignored
      // strings always use key 0, so they are plain.
      {"Cheats",
       "Cheats",
       kGeneralArchive,
       false,
       -1,
       false,
       {{0, {{"Key", T::Key}}},
        {1, {{"Ignored", T::String}}},
        {2, {{"Cheat", T::Scrambled}, {"Code", T::Scrambled}}}}},
      {"Episode",
       "Episode",
       kGeneralArchive,
       false,
       255,
       false,
       {{0, {{"Episode", T::Byte, 0, 6}, {"StartLevel", T::String}}}}},
      {"Score",
       "Score",
       kGeneralArchive,
       false,
       255,
       false,
       {{0, {}, "Element"},
        {1, {{"Com", T::Byte}}},
        {2, {{"X", T::Int}, {"Y", T::Int}, {"W", T::Int}, {"H", T::Int}}},
        {3, {{"Txt", T::String}}},
        {4, {{"Alpha", T::Int}}},
        {5, {{"R", T::Byte}, {"G", T::Byte}, {"B", T::Byte}}},
        {6, {{"CNot", T::Byte}, {"Eis", T::Int}, {"Value", T::Int}, {"Txt", T::String}}}}},
      {"Weapon.N",
       "Weapon.#",
       kWeaponArchive,
       false,
       255,
       true,
       {{0, {{"Picture", T::String}}},
        {1, {{"Sound", T::String}}},
        {2, {{"AmmoUsage", T::Byte}}},
        {3, {{"MS", T::Int}}},
        {4, {{"MaxAmmo", T::Int}}},
        {5, {{"BulletSpeed", T::Int}}},
        {6, {{"StartAmmo", T::Int}}}}},
      {"Enemy/NAME",
       "Enemy/*",
       kWeaponArchive,
       false,
       255,
       true,
       {{0, {{"Pic", T::String}}},
        {1, {{"R", T::Byte}, {"G", T::Byte}, {"B", T::Byte}}},
        {2, {{"HSpeed", T::Int}, {"VSpeed", T::Int}}},
        {3, {{"Chance", T::Int}}}}},
      // Before the other level entries: a script may well be called General.
      {"LEVEL/Script/NAME",
       "*/Script/*",
       kMapsArchive,
       false,
       255,
       true,
       {{0, {}, "Script"},
        {1, {{"UID", T::String}}},
        {2, {{"Command", T::Int}}},
        {3, {{"ChainScript", T::String}}},
        {4, {{"NextLevel", T::String}}},
        {5, {{"WhenDone", T::Int}}},
        {6, {{"Sound", T::String}}},
        {7, {{"ToX", T::Int}, {"ToY", T::Int}}},
        {8, {{"Active", T::Byte}}},
        {9, {{"StepX", T::Int}, {"StepY", T::Int}}},
        {10, {{"ObjID", T::String}}},
        {11, {{"ActivateScriptID", T::String}}},
        {12, {{"Delay", T::Int}}}}},
      {"LEVEL/General",
       "*/General",
       kMapsArchive,
       false,
       255,
       false,
       {{0, {{"LevelTitle", T::String}}},
        {1, {{"MusicFile", T::String}}},
        {2, {{"SecondText", T::String}}},
        {3, {{"ClsR", T::Byte}, {"ClsG", T::Byte}, {"ClsB", T::Byte}}},
        {4, {{"BackgroundPicName", T::String}}},
        {5, {{"BackgroundDivisor", T::Int}}},
        {6, {{"BackgroundEffect", T::Byte}}}}},
      {"LEVEL/PlusMinus",
       "*/PlusMinus",
       kMapsArchive,
       false,
       -1,
       false,
       {{-1, {{"PlusX", T::Int}, {"PlusY", T::Int}, {"MinusX", T::Int}, {"MinusY", T::Int}}}}},
      // AnimSlow comes in two sizes; the byte form gets its own name so that the text keeps
      // which one the bytes held. Layers run from 0 to 10.
      {"LEVEL/Objects",
       "*/Objects",
       kMapsArchive,
       false,
       255,
       true,
       {{0, {}, "Object"},
        {1, {{"X", T::Int}, {"Y", T::Int}}},
        {2, {{"RepX", T::Byte}, {"RepY", T::Byte}}},
        {3, {{"OType", T::Byte}}},
        {4, {{"PicName", T::String}}},
        {5, {{"Anim", T::Byte}, {"AnW", T::Int}, {"AnH", T::Int}, {"ANF", T::Int}}},
        {6, {{"Level", T::Byte, 0, 10}}},
        {7, {{"R", T::Byte}, {"G", T::Byte}, {"B", T::Byte}}},
        {8, {{"ID", T::String}}},
        {9, {{"TScript", T::String}}},
        {10, {{"AnimSlowByte", T::Byte}}},
        {11, {{"AnimSlow", T::Int}}},
        {12, {{"DecoDamage", T::Int}}},
        {13, {{"SkillEasy", T::Byte}, {"SkillMedium", T::Byte}, {"SkillHard", T::Byte}}},
        {14, {{"RequireKey", T::Byte}, {"TakeKey", T::Byte}}},
        {15, {{"SwitchActivate", T::Byte}}},
        {16, {{"MoveX", T::Int}, {"MoveY", T::Int}}}}},
      // Indexes are limited to the arrays they write; three records carry a marker byte that
      // the engine insists on, which the text leaves out.
      {"actor definition",
       "*",
       kActorsArchive,
       true,
       255,
       true,
       {{0, {{"Control", T::Byte}}},
        {1, {{"PicBundle", T::String}}},
        {2,
         {{"Slot", T::Byte, 0, 4},
          {"SpriteWidth", T::Int},
          {"SpriteHeight", T::Int},
          {"SpriteFrames", T::Int},
          {"SpriteWait", T::Int}}},
        {3, {{"Die", T::Byte}}},
        {4, {{"MoveIndex", T::Byte, 0, 11}, {"MoveValue", T::Byte}}},
        {5, {{"ShootWeaponName marker", T::Fixed, 6}, {"ShootWeaponName", T::String}}},
        {6, {{"TouchIndex", T::Byte, 0, 3}, {"TouchValue", T::Byte}}},
        {7, {{"HurtPlayer marker", T::Fixed, 0}, {"HurtPlayer", T::Int}}},
        {8, {{"CollectableName marker", T::Fixed, 3}, {"CollectableName", T::String}}},
        {9, {{"HP", T::Int}}},
        {10, {{"KillScore", T::Int}}},
        {11, {{"OuchF", T::String}}},
        {12, {{"DieF", T::String}}}}},
      {"collectable definition",
       "*",
       kCollectablesArchive,
       true,
       255,
       true,
       {{0, {{"Pic", T::String}}},
        {1, {{"HP", T::Int}}},
        {2, {{"Score", T::Int}}},
        {3, {{"Ammo", T::Int}}},
        {4, {{"Weapon", T::Byte, 0, 9}}},
        {5, {{"Collect", T::Byte}}},
        {6, {{"Anim", T::Byte}}},
        {7, {{"AnWidth", T::Int}, {"AnHeight", T::Int}, {"AnFrames", T::Int}, {"AnWait", T::Int}}},
        {8, {{"SoundFile", T::String}}},
        {9, {{"GiveKey", T::Byte}}}}},
  };
  return formats;
}

namespace {

// Entry names compare with ASCII letters in either case, as the archives do.
std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// pattern and name both upper case.
bool MatchesPattern(const char* pattern, const std::string& name, size_t at) {
  if (*pattern == '\0') return at == name.size();
  if (*pattern == '*') {
    for (size_t end = at + 1; end <= name.size(); ++end) {
      if (MatchesPattern(pattern + 1, name, end)) return true;
    }
    return false;
  }
  if (at >= name.size()) return false;
  if (*pattern == '#') {
    return name[at] >= '0' && name[at] <= '9' && MatchesPattern(pattern + 1, name, at + 1);
  }
  return *pattern == name[at] && MatchesPattern(pattern + 1, name, at + 1);
}

bool ListsArchive(const char* archives, const std::string& upperArchive) {
  const std::string list = AsciiUpper(archives);
  size_t start = 0;
  for (;;) {
    const size_t bar = list.find('|', start);
    if (list.substr(start, bar == std::string::npos ? std::string::npos : bar - start) ==
        upperArchive) {
      return true;
    }
    if (bar == std::string::npos) return false;
    start = bar + 1;
  }
}

}  // namespace

const EntryFormat* FindEntryFormat(const std::string& entryName, const std::string& archiveName) {
  const std::string name = AsciiUpper(entryName);
  const std::string archive = AsciiUpper(archiveName);
  bool known = false;
  for (const auto& format : EntryFormats()) {
    if (format.archives && ListsArchive(format.archives, archive)) known = true;
  }
  for (const auto& format : EntryFormats()) {
    if (format.archives) {
      if (known ? !ListsArchive(format.archives, archive) : format.onlyInArchives) continue;
    }
    // Patterns hold at most two stars, so the backtracking stays small.
    if (MatchesPattern(AsciiUpper(format.pattern).c_str(), name, 0)) return &format;
  }
  return nullptr;
}

}  // namespace hopwerk
