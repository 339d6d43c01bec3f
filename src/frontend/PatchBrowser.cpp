#include "frontend/PatchBrowser.h"

#include <algorithm>

#include "archive/VxrIndex.h"
#include "frontend/OutlinedText.h"
#include "platform/KeyCodes.h"
#include "shell/GlowEffect.h"

namespace hopwerk {

namespace {

constexpr int kRowHeight = 20;
constexpr int kFirstRowY = 40;
constexpr int kIdBytes = 5;  // the identity byte and the identity number

enum class PatchIdentity { Unreadable, Matches, Differs };

bool EndsInPpf(const std::string& name) {
  return name.size() >= 4 && VxrUpper(name.substr(name.size() - 4)) == ".PPF";
}

// A patch names the project it was made for in its "ID" file, as the General archive does.
PatchIdentity ReadPatchIdentity(Engine& engine, const std::string& folder) {
  auto file = engine.platform.OpenReadFile(folder + "/ID");
  // A file too short to hold an identity names no project at all.
  if (!file || file->Size() < kIdBytes) return PatchIdentity::Unreadable;
  const int major = file->ReadByte();
  const int32_t minor = file->ReadInt();
  file->Close();
  return major == engine.project.ProjectIdMajor && minor == engine.project.ProjectIdMinor
             ? PatchIdentity::Matches
             : PatchIdentity::Differs;
}

TextColour EntryColour(int32_t tpe) {
  if (tpe == 0) return {255, 0, 0};
  if (tpe == 1) return {0, 255, 0};
  return {255, 255, 0};
}

void DrawPatchBrowser(Engine& engine, const std::vector<PData>& entries, int selected, int top) {
  Platform& p = engine.platform;
  p.ClearScreen();
  DrawGlowEffect(engine, engine.settings.Performance);
  DrawOutlinedText(p, "Please select a patch file (ESC = Cancel)", 0, 0, {0, 255, 255});
  DrawOutlinedText(p, p.WorkingFolder(), 0, 20, {255, 0, 255});
  for (int j = 0; j < kPatchBrowserRows; ++j) {
    const int y = j * kRowHeight + kFirstRowY;
    const int index = top + j;
    if (index == selected) {
      p.SetDrawColor(0, 0, 255);
      p.DrawFilledRect(0, static_cast<float>(y), static_cast<float>(engine.project.ScreenWidth),
                       kRowHeight);
      p.SetDrawColor(255, 255, 255);
    }
    if (index < static_cast<int>(entries.size())) {
      const PData& entry = entries[static_cast<size_t>(index)];
      DrawOutlinedText(p, entry.File + "         " + entry.DispName, 10, y, EntryColour(entry.Tpe));
    }
  }
  p.PresentFrame(-1);
}

bool Confirmed(Platform& p) {
  return p.KeyHits(kKeyEnter) != 0 || p.KeyHits(kKeySpace) != 0;
}

}  // namespace

std::string BrowserFolder(Platform& p) {
  std::string path = p.WorkingFolder();
  if (path.empty()) return path;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.back() != '/') path += '/';
  return path;
}

std::vector<PData> ListPatchEntries(Engine& engine) {
  Platform& p = engine.platform;
  std::vector<PData> entries;
  const std::string folder = BrowserFolder(p);
  // A folder that cannot be listed gives no names: only the volumes are offered then.
  for (const std::string& name :
       folder.empty() ? std::vector<std::string>{} : p.ListFolder(folder)) {
    if (name == "." || p.FileKind(folder + name) != 2) continue;
    PData entry{name, 1, ""};
    if (EndsInPpf(name)) {
      const PatchIdentity identity = ReadPatchIdentity(engine, folder + name);
      if (identity == PatchIdentity::Differs) continue;
      if (identity == PatchIdentity::Matches) entry = {name, 2, "<Patch>"};
    }
    if (name == "..") entry.DispName = "<Parent Dir>";
    entries.push_back(std::move(entry));
  }
  p.TraceLine("Volumes :");
  for (const Volume& volume : p.ListVolumes()) {
    entries.push_back({volume.devicePath, 0, volume.name});
  }
  return entries;
}

void ChoosePatch(Engine& engine) {
  Platform& p = engine.platform;
  p.ChangeFolder(p.UserDocumentsFolder());
  std::vector<PData> entries = ListPatchEntries(engine);
  int selected = 0;
  int top = 0;
  for (;;) {
    DrawPatchBrowser(engine, entries, selected, top);
    // With no entry at all, 0 still serves as the selection; Enter then finds nothing.
    const int last = std::max(static_cast<int>(entries.size()) - 1, 0);
    if (p.KeyHits(kKeyUp) != 0 && selected > 0) --selected;
    if (p.KeyHits(kKeyDown) != 0 && selected < last) ++selected;
    if (p.KeyHits(kKeyHome) != 0) selected = 0;
    if (p.KeyHits(kKeyEnd) != 0) selected = last;
    top = std::min(top, selected);
    top = std::max(top, selected - (kPatchBrowserRows - 1));
    if (Confirmed(p) && selected < static_cast<int>(entries.size())) {
      const PData entry = entries[static_cast<size_t>(selected)];
      const std::string folder = BrowserFolder(p);
      if (entry.Tpe == 2) {
        engine.settings.PatchFolder = folder + entry.File;
        return;
      }
      // A folder that cannot be entered leaves the browser where it was, listed afresh.
      p.ChangeFolder(entry.Tpe == 0 ? entry.File : folder + entry.File);
      entries = ListPatchEntries(engine);
      selected = 0;
      top = 0;
    }
    if (p.KeyHits(kKeyEscape) != 0) {
      engine.settings.PatchFolder.clear();
      return;
    }
  }
}

}  // namespace hopwerk
