#include "frontend/HighScoreFile.h"

#include <cstdint>

#include "frontend/ShortString.h"

namespace hopwerk {

namespace {

std::string ReplaceAll(const std::string& text, char from, const std::string& to) {
  std::string out;
  for (const char c : text) {
    if (c == from) {
      out += to;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

bool Holds(ByteStream& file, int64_t bytes) {
  return file.Size() - file.Position() >= bytes;
}

// False when the file ends inside the string: a cut-off name is not a name.
bool ReadWholeShortString(ByteStream& file, std::string& text) {
  bool whole = false;
  text = ReadShortString(file, &whole);
  return whole;
}

bool InTable(int episode, int skill, int rank) {
  return episode <= kMaxEpisodes && skill < kSkills && rank <= kHighScoreRanks;
}

// Reads one record after its tag into `current`, which is null while the file has not named a
// place of the table (fields then read and dropped). False when the file ends inside it.
bool ReadRecord(ByteStream& file, int tag, HighScoreTable& table, HiType*& current) {
  switch (tag) {
    case 0: {
      if (!Holds(file, 3)) return false;
      const int episode = file.ReadByte();
      const int skill = file.ReadByte();
      const int rank = file.ReadByte();
      current = InTable(episode, skill, rank) ? &table[episode][skill][rank] : nullptr;
      if (current) *current = HiType{};
      return true;
    }
    case 1:
    case 3: {
      std::string text;
      if (!ReadWholeShortString(file, text)) return false;
      if (current) (tag == 1 ? current->Name : current->Date) = text;
      return true;
    }
    case 2: {
      if (!Holds(file, 4)) return false;
      const int32_t score = file.ReadInt();
      if (current) current->Score = score;
      return true;
    }
    default:
      return true;  // a tag of a later version: skipped alone, without data
  }
}

}  // namespace

std::string HighScoreFileName(const std::string& patchFolder) {
  std::string name = ReplaceAll(patchFolder, ':', "_COLON_");
  name = ReplaceAll(name, '/', "_SLASH_");
  name = ReplaceAll(name, '\\', "_SLASH_");
  return name + "__HiScores";
}

std::string HighScoreFilePath(const Engine& engine) {
  return engine.folders.SaveFolder + HighScoreFileName(engine.settings.PatchFolder);
}

void FillBuiltInHighScores(Engine& engine) {
  for (auto& episode : engine.frontend.HiScores) {
    for (auto& skill : episode) {
      for (int rank = 1; rank <= kHighScoreRanks; ++rank) {
        HiType entry;
        entry.Score = 2000 - 100 * rank;
        entry.Date = "N/A";
        if (rank == 1) entry.Name = engine.project.ProjectTitle;
        if (rank == 3) entry.Name = "By: " + engine.project.ProjectAuthor;
        skill[rank] = entry;
      }
    }
  }
}

void LoadHighScores(Engine& engine) {
  // Places a damaged or partial file leaves out show the built-in entries, not whatever an
  // earlier visit left in memory.
  FillBuiltInHighScores(engine);
  auto file = engine.platform.OpenReadFile(HighScoreFilePath(engine));
  if (!file) return;
  HiType* current = nullptr;
  while (!file->Eof()) {
    const int tag = file->ReadByte();
    // A file cut inside a record keeps everything before it.
    if (!ReadRecord(*file, tag, engine.frontend.HiScores, current)) break;
  }
  file->Close();
}

bool WriteHighScoreFile(Engine& engine) {
  auto file = engine.platform.OpenWriteFile(HighScoreFilePath(engine));
  if (!file) return false;
  const HighScoreTable& table = engine.frontend.HiScores;
  for (int episode = 1; episode <= kMaxEpisodes; ++episode) {
    for (int skill = 0; skill < kSkills; ++skill) {
      for (int rank = 1; rank <= kHighScoreRanks; ++rank) {
        const HiType& entry = table[episode][skill][rank];
        file->WriteByte(0);
        file->WriteByte(episode);
        file->WriteByte(skill);
        file->WriteByte(rank);
        file->WriteByte(1);
        WriteShortString(*file, entry.Name);
        file->WriteByte(2);
        file->WriteInt(entry.Score);
        file->WriteByte(3);
        WriteShortString(*file, entry.Date);
      }
    }
  }
  return file->Close();
}

}  // namespace hopwerk
