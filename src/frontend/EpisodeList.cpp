#include "frontend/EpisodeList.h"

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectSettings.h"

namespace hopwerk {

namespace {

std::string TrimControlAndBlanks(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}

LoadFault EpisodeCorrupt(int tag) {
  return Fault("Episode file corrupted! => " + std::to_string(tag));
}

}  // namespace

LoadFault ReadEpisodeEntry(Engine& engine) {
  EntryReader entry(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "Episode", "", 0));
  auto& levels = engine.frontend.EpisodeStartLevels;
  EntryRecordReader reader(EntryFormatTitled("Episode"), entry);
  EntryRecord record;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) return {};
    if (step == ReadStep::Fault) {
      const RecordFaultInfo& fault = reader.Fault();
      if (fault.kind != RecordFault::OutOfRange) return EpisodeCorrupt(fault.tag);
      return Fault("Number of episodes limited to 6. " + std::to_string(fault.value) +
                   " ones seem to be in this project");
    }
    const auto index = static_cast<size_t>(record.values[0].number);
    levels[index] = TrimControlAndBlanks(record.values[1].text);
  }
}

void ApplyEpisodePatchLine(Engine& engine, const std::string& line) {
  constexpr size_t kKeyLength = 9;  // "EPISODE" + digit + "="
  if (line.size() < kKeyLength) return;
  std::string key = line.substr(0, kKeyLength);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (int n = 1; n <= kMaxEpisodes; ++n) {
    if (key == "EPISODE" + std::to_string(n) + "=") {
      engine.frontend.EpisodeStartLevels[static_cast<size_t>(n)] = line.substr(kKeyLength);
    }
  }
}

void ApplyEpisodePatchFile(Engine& engine) {
  if (engine.settings.PatchFolder.empty()) return;
  auto file = engine.platform.OpenReadFile(engine.settings.PatchFolder + "/Episode.PPF");
  if (!file) return;
  while (!file->Eof()) ApplyEpisodePatchLine(engine, file->ReadLine());
  file->Close();
}

int CountOfferedEpisodes(const Engine& engine) {
  int count = 0;
  while (count < kMaxEpisodes &&
         !engine.frontend.EpisodeStartLevels[static_cast<size_t>(count + 1)].empty()) {
    ++count;
  }
  return count;
}

}  // namespace hopwerk
