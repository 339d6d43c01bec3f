#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchFolder.h"
#include "platform/ProjectFolder.h"

namespace hopwerk {
namespace {

constexpr const char* kDemo = "../share/hopwerk/demo";

// A scratch tree of projects whole and broken, and executables with and without an installed
// demo two levels up.
class ProjectFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder :
         {"game/VXR", "game/Data", "novxr/Data", "nodata/VXR", "work/sub", "inst/bin",
          "inst/share/hopwerk/demo/VXR", "inst/share/hopwerk/demo/Data", "bare/bin", "broken/bin",
          "broken/share/hopwerk/demo/VXR", "lower/vxr", "lower/Data"}) {
      std::filesystem::create_directories(dir / folder);
    }
    test::WriteBytes(dir / "file", "not a folder");
    std::filesystem::create_directories(dir / "vxrfile/Data");
    test::WriteBytes(dir / "vxrfile/VXR", "a file where the folder should be");
  }
  test::ScratchFolder dir;
};

TEST_F(ProjectFolderTest, ChoosesTheGivenBesideOrInstalledProject) {
  struct Case {
    const char* given;       // "" for none
    const char* executable;  // folder of the executable, under the scratch tree
    const char* folder;      // expected project, under the scratch tree; "" for none
    const char* problem;     // expected message with "@" for the scratch tree; "" for none
  };
  const Case cases[] = {
      {"@/game", "bare/bin", "game/", ""},
      {"../game", "bare/bin", "game/", ""},  // relative to the working folder
      {"./sub/../../game//", "bare/bin", "game/", ""},
      {"@/game", "inst/bin", "game/", ""},  // a given path wins over the installed demo
      {"", "game", "game/", ""},            // beside the executable
      {"", "inst/bin", "inst/share/hopwerk/demo/", ""},
      {"@/novxr", "game", "", "@/novxr is not a game project: it has no VXR folder"},
      {"@/nodata", "game", "", "@/nodata is not a game project: it has no Data folder"},
      {"@/lower", "game", "", "@/lower is not a game project: it has no VXR folder"},
      {"@/vxrfile", "game", "", "@/vxrfile is not a game project: it has no VXR folder"},
      {"@/file", "game", "", "@/file is not a game project: it is not a folder"},
      {"missing", "game", "", "@/work/missing is not a game project: it does not exist"},
      {"", "bare/bin", "",
       "@/bare/bin is not a game project: it has no VXR folder (and no demo game is installed "
       "in @/bare/share/hopwerk/demo)"},
      {"", "broken/bin", "",
       "@/broken/share/hopwerk/demo is not a game project: it has no Data folder"},
  };
  auto expand = [&](const std::string& text) {
    std::string out;
    for (char c : text) out += c == '@' ? dir.Path() : std::string(1, c);
    return out;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.given) + " from " + c.executable);
    const ProjectChoice choice =
        ChooseProjectFolder(expand(c.given), dir / "work", dir / c.executable, kDemo);
    EXPECT_EQ(choice.folder, c.folder[0] ? dir / c.folder : "");
    EXPECT_EQ(choice.problem, expand(c.problem));
  }
}

TEST_F(ProjectFolderTest, RelativeExecutableFolderAndDemoPlace) {
  // An executable found only as "./" and a demo placed elsewhere by the build.
  const ProjectChoice choice = ChooseProjectFolder("", dir / "inst/bin", ".", kDemo);
  EXPECT_EQ(choice.folder, dir / "inst/share/hopwerk/demo/");
  EXPECT_EQ(ChooseProjectFolder("", dir.Path(), "bare/bin", dir / "game").folder, dir / "game/");
}

}  // namespace
}  // namespace hopwerk
