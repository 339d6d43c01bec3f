#include "frontend/SavedGames.h"

#include <array>
#include <cstdint>

#include "data/Console.h"
#include "frontend/SkillModes.h"

namespace hopwerk {

const char* const kEmptySlotText = "< Empty Slot>";

namespace {

// Reads the fields of a slot file. A field the file ends inside of marks the whole read as cut
// and reads as zero or empty, without touching the stream further.
struct SlotReader {
  ByteStream& file;
  bool cut = false;

  bool Holds(int64_t bytes) {
    if (!cut && file.Size() - file.Position() < bytes) cut = true;
    return !cut;
  }
  int Byte() { return Holds(1) ? file.ReadByte() : 0; }
  int32_t Int() { return Holds(4) ? file.ReadInt() : 0; }
  std::string ShortString() {
    if (!Holds(1)) return {};
    bool whole = true;
    std::string text = ReadShortString(file, &whole);
    if (!whole) cut = true;
    return text;
  }
};

struct SlotHeader {
  int identityByte = 0;
  int32_t identityNumber = 0;
  std::string description;
};

// False when the file ends before the header does.
bool ReadHeader(SlotReader& in, SlotHeader& header) {
  header.identityByte = in.Byte();
  header.identityNumber = in.Int();
  header.description = in.ShortString();
  return !in.cut;
}

bool IsThisProject(const Engine& engine, const SlotHeader& header) {
  return header.identityByte == (engine.project.ProjectIdMajor & 0xFF) &&
         header.identityNumber == engine.project.ProjectIdMinor;
}

std::string SkillText(int32_t skill) {
  if (skill < 0 || skill > 2) return "(Unknown difficulty)";
  return std::string("(") + kSkillModes[skill] + ")";
}

void ReportSaveFailure(Engine& engine, const std::string& path) {
  engine.platform.FlushKeys();
  ConsolePrint(engine, "ERROR", 255, 0, 0);
  ConsolePrint(engine, "Savegame file " + path + " could not be created", 255, 255, 255);
  ConsolePrint(engine, "You can continue the game, but the file has NOT been saved", 255, 255, 255);
  ConsolePrint(engine, "", 255, 255, 255);
  ConsolePrint(engine, "Hit any key to continue the game...", 255, 255, 255);
  engine.platform.WaitAnyKey();
}

void WriteRecords(Engine& engine, ByteStream& file) {
  const PlayerSettings& settings = engine.settings;
  const SessionState& session = engine.session;
  file.WriteByte(0);
  WriteShortString(file, session.CurrentLevelName);
  file.WriteByte(1);
  file.WriteInt(session.CheckpointX);
  file.WriteInt(session.CheckpointY);
  file.WriteByte(2);
  file.WriteInt(session.CheckpointScore);
  for (const std::string& script : session.CheckpointList) {
    file.WriteByte(3);
    WriteShortString(file, script);
  }
  for (int slot = 0; slot < kWeaponSlots; ++slot) {
    file.WriteByte(4);
    file.WriteByte(slot);
    file.WriteInt(engine.data.Weapons[slot].Ammo);
  }
  file.WriteByte(5);
  file.WriteByte(session.SelectedWeapon & 0xFF);
  file.WriteByte(6);
  file.WriteByte(session.Skill & 0xFF);
  file.WriteByte(7);
  file.WriteInt(session.Kills);
  file.WriteByte(8);
  file.WriteInt(session.Deaths);
  file.WriteByte(9);
  file.WriteInt(session.Items);
  file.WriteByte(10);
  WriteShortString(file, settings.PatchFolder);
  file.WriteByte(12);
  file.WriteByte(session.Episode & 0xFF);
}

// What a saved game holds, read and checked whole before any of it reaches the game. It starts
// as the game's own values, so a record the file leaves out keeps what the game had.
struct SavedGame {
  SessionState session;
  std::string PatchFolder;
  std::array<int32_t, kWeaponSlots> ammo{};
};

// Reads one record; false for a tag the format does not have.
bool ReadRecord(SavedGame& game, SlotReader& in, int tag) {
  SessionState& session = game.session;
  switch (tag) {
    case 0:
      session.CurrentLevelName = in.ShortString();
      return true;
    case 1:
      session.CheckpointX = in.Int();
      session.CheckpointY = in.Int();
      return true;
    case 2:
      session.CheckpointScore = in.Int();
      return true;
    case 3:
      if (session.CheckpointList.size() >= kMaxCheckpointScripts) return false;
      session.CheckpointList.push_back(in.ShortString());
      return true;
    case 4: {
      const int slot = in.Byte();
      const int32_t ammo = in.Int();
      // A slot number no weapon has: the record is passed over, its ammunition with it.
      if (slot < kWeaponSlots) game.ammo[static_cast<size_t>(slot)] = ammo;
      return true;
    }
    case 5: {
      // -1 (no weapon in hand) was stored as its low byte, 255.
      const int weapon = in.Byte();
      session.SelectedWeapon = weapon < kWeaponSlots ? weapon : -1;
      return true;
    }
    case 6:
      session.Skill = in.Byte();
      return true;
    case 7:
      session.Kills = in.Int();
      return true;
    case 8:
      session.Deaths = in.Int();
      return true;
    case 9:
      session.Items = in.Int();
      return true;
    case 10:
      game.PatchFolder = in.ShortString();
      return true;
    case 12:
      session.Episode = in.Byte();
      return true;
    default:
      return false;
  }
}

Loaded<SavedGame> ReadSavedGame(Engine& engine, int slot) {
  Loaded<SavedGame> loaded;
  SavedGame& game = loaded.value;
  game.session = engine.session;
  game.PatchFolder = engine.settings.PatchFolder;
  for (int s = 0; s < kWeaponSlots; ++s) {
    game.ammo[static_cast<size_t>(s)] = engine.data.Weapons[s].Ammo;
  }
  auto file = engine.platform.OpenReadFile(SlotFilePath(engine, slot));
  if (!file) {
    loaded.error = Fault("Savegame not found");
    return loaded;
  }
  SlotReader in{*file};
  SlotHeader header;
  const bool headerWhole = ReadHeader(in, header);
  if (!IsThisProject(engine, header) || !headerWhole) {
    loaded.error = Fault("Illegal savegame file!");
    return loaded;
  }
  game.session.CheckpointList.clear();
  // At least one record: a file of nothing but its header holds no game.
  do {
    const int tag = in.Byte();
    if (in.cut) break;
    if (!ReadRecord(game, in, tag)) {
      loaded.error = Fault("Illegal savegame file (" + std::to_string(tag) + ")");
      return loaded;
    }
  } while (!in.cut && !file->Eof());
  // A record the file ends inside of would put made-up zeros into the game.
  if (in.cut) loaded.error = Fault("Illegal savegame file!");
  return loaded;
}

}  // namespace

std::string SlotFilePath(const Engine& engine, int slot) {
  char identity = static_cast<char>(engine.project.ProjectIdMajor & 0xFF);
  if (identity == '\0' || identity == '/' || identity == '\\') identity = '_';
  return engine.folders.SaveFolder + "SaveGame." + identity + "0" + std::to_string(slot);
}

std::string SlotDescription(Engine& engine) {
  Platform& p = engine.platform;
  const std::string text = p.CurrentDate() + ", " + p.CurrentTime() + " > " +
                           engine.level.LevelTitle + " " + SkillText(engine.session.Skill);
  // The length byte holds no more: a longer text is cut, so length and bytes agree.
  return text.substr(0, kShortStringMax);
}

SlotTable ReadSlotTable(Engine& engine) {
  SlotTable table;
  for (int slot = 0; slot < kSaveSlots; ++slot) {
    SlotEntry& entry = table[static_cast<size_t>(slot)];
    entry.Text = kEmptySlotText;
    auto file = engine.platform.OpenReadFile(SlotFilePath(engine, slot));
    if (!file) continue;
    SlotReader in{*file};
    SlotHeader header;
    // A header cut short cannot be loaded; it shows as empty like a foreign file.
    if (ReadHeader(in, header) && IsThisProject(engine, header)) {
      entry.Text = header.description;
      entry.Valid = true;
    }
    file->Close();
  }
  return table;
}

bool SaveGame(Engine& engine, int slot) {
  const std::string path = SlotFilePath(engine, slot);
  auto file = engine.platform.OpenWriteFile(path);
  bool written = false;
  if (file) {
    file->WriteByte(engine.project.ProjectIdMajor & 0xFF);
    file->WriteInt(engine.project.ProjectIdMinor);
    WriteShortString(*file, SlotDescription(engine));
    WriteRecords(engine, *file);
    // The file takes the old one's place only now; a failure here leaves that one as it was.
    written = file->Close();
  }
  if (!written) ReportSaveFailure(engine, path);
  return written;
}

void LoadGame(Engine& engine, int slot) {
  Loaded<SavedGame> loaded = ReadSavedGame(engine, slot);
  EndOnLoadError(engine, loaded.error);
  SavedGame& game = loaded.value;
  engine.session = std::move(game.session);
  engine.settings.PatchFolder = std::move(game.PatchFolder);
  for (int s = 0; s < kWeaponSlots; ++s) {
    engine.data.Weapons[s].Ammo = game.ammo[static_cast<size_t>(s)];
  }
}

}  // namespace hopwerk
