#include "platform/ProjectFolder.h"

#include <sys/stat.h>

#include "platform/Paths.h"

namespace hopwerk {

namespace {

// 0 nothing there, 1 something that is not a folder, 2 a folder (links followed).
int KindOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return S_ISDIR(st.st_mode) ? 2 : 1;
}

std::string Absolute(const std::string& base, const std::string& path) {
  return NormalisePathText(JoinPath(ToSlashes(base), ToSlashes(path)));
}

std::string AsFolder(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string NotAProject(const std::string& folder, const std::string& missing) {
  return folder + " is not a game project: " + missing;
}

}  // namespace

std::string MissingProjectPart(const std::string& folder) {
  switch (KindOf(folder)) {
    case 0:
      return "it does not exist";
    case 1:
      return "it is not a folder";
    default:
      break;
  }
  // The engine looks for these two names exactly; "vxr" would not be found later either.
  for (const char* part : {"VXR", "Data"}) {
    if (KindOf(JoinPath(folder, part)) != 2) return std::string("it has no ") + part + " folder";
  }
  return "";
}

ProjectChoice ChooseProjectFolder(const std::string& given, const std::string& workingFolder,
                                  const std::string& executableFolder,
                                  const std::string& installedDemo) {
  if (!given.empty()) {
    const std::string folder = Absolute(workingFolder, given);
    const std::string missing = MissingProjectPart(folder);
    if (!missing.empty()) return {"", NotAProject(folder, missing)};
    return {AsFolder(folder), ""};
  }
  const std::string beside = Absolute(workingFolder, executableFolder);
  const std::string besideMissing = MissingProjectPart(beside);
  if (besideMissing.empty()) return {AsFolder(beside), ""};

  const std::string demo = Absolute(beside, installedDemo);
  if (KindOf(demo) == 2) {
    const std::string demoMissing = MissingProjectPart(demo);
    if (demoMissing.empty()) return {AsFolder(demo), ""};
    return {"", NotAProject(demo, demoMissing)};
  }
  return {"",
          NotAProject(beside, besideMissing) + " (and no demo game is installed in " + demo + ")"};
}

}  // namespace hopwerk
