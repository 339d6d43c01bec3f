// End to end: the real hopwerk-replay executable on projects built here and on the demo game.
#include <gtest/gtest.h>

#include "TestProject.h"

namespace hopwerk {
namespace {

using test::Replay;
using test::ReplayResult;

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteFile(project.path() + "/VXR/.keep", "");
    ASSERT_TRUE(WriteVxrArchive(project.path() + "/VXR/General.vxr", test::MinimalGeneral("Jump")));
  }
  std::string DriverFile() const { return home.path() + "/AppData/QVD_Hopwerk/RunDriver"; }
  test::TempDir project;
  test::TempDir home;
};

TEST_F(ReplayTest, ClosingTheDriverDialogEndsWithSuccessAndWritesNothing) {
  const ReplayResult r = Replay(project.path(), {"--driver", "close", "--home", home.path()});
  EXPECT_EQ(r.status, 0);
  ASSERT_FALSE(r.lines.empty());
  EXPECT_EQ(r.lines.back(), "end| reason=exit status=0 frame=0");
  EXPECT_FALSE(test::Exists(DriverFile()));
  EXPECT_TRUE(test::Exists(home.path() + "/Documents/Hopwerk/Save/Jump"));
}

TEST_F(ReplayTest, ScreenshotNotWrittenFailsTheRunEvenAfterACleanExit) {
  const ReplayResult r = Replay(project.path(), {"--driver", "close", "--home", home.path(),
                                                 "--screenshot", project.path() + "/shot.png"});
  EXPECT_TRUE(r.Has("end| reason=exit status=0 frame=0"));
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(test::Exists(project.path() + "/shot.png"));
}

TEST_F(ReplayTest, ChoosingOpenGLIsRememberedAndTraced) {
  const ReplayResult r =
      Replay(project.path(), {"--driver", "GL", "--home", home.path(), "--frames", "3"});
  EXPECT_EQ(r.status, 0);
  const int gl = r.IndexOf("Using OpenGL");
  ASSERT_GE(gl, 0);
  EXPECT_EQ(r.IndexOf("Driver initiated"), gl + 1);
  EXPECT_EQ(test::ReadFile(DriverFile()), "GL\r\n");
  EXPECT_EQ(r.lines.back(), "end| reason=frames status=0 frame=3");
}

TEST_F(ReplayTest, MissingGeneralArchiveIsAnArchiveErrorWithFailureStatus) {
  std::remove((project.path() + "/VXR/General.vxr").c_str());
  const ReplayResult r = Replay(project.path(), {"--home", home.path()});
  EXPECT_EQ(r.status, 1);
  const std::string archive = project.path() + "/VXR/General.vxr";
  const std::string error = "VXR_Open(\"" + archive + "\",\"GenData\"): Entry not found";
  EXPECT_TRUE(r.Has("notice| VXR Error:\\n" + error));
  EXPECT_TRUE(r.Has("VXR_Error: " + error));
  EXPECT_EQ(r.lines.back(), "end| reason=exit status=1 frame=0");
}

TEST_F(ReplayTest, LoadingShowsIdentityAndReachesTheMenu) {
  test::WriteFile(home.path() + "/input",
                  "# skip the logo and the title, then leave the menu\n100 tap ESC\n200 tap "
                  "ESC\n300 tap ESC\n");
  const ReplayResult r = Replay(project.path(), {"--home", home.path(), "--input",
                                                 home.path() + "/input", "--frames", "3000"});
  EXPECT_EQ(r.status, 0);
  const std::vector<std::string> inOrder = {"Using DirectX",
                                            "Driver initiated",
                                            "console| Hopwerk Engine v1.0  Release Version",
                                            "console| Platform Windows32",
                                            "console| Build: W1, 25 Oct 2008",
                                            "console| Jump",
                                            "console| Created by: Tester",
                                            "console| ID 1.9",
                                            "console| Welcome to the test",
                                            "console| Have fun",
                                            "console| Checking: General.vxr"};
  int last = -1;
  for (const auto& line : inOrder) {
    const int at = r.IndexOf(line);
    EXPECT_GT(at, last) << line;
    last = at;
  }
  ASSERT_FALSE(r.lines.empty());
  EXPECT_EQ(r.lines.back().rfind("end| reason=exit status=0", 0), 0u) << r.lines.back();
}

// A fatal error waits for a key and then ends with status 1; a script with no press left ends
// the run as that press would, and one with a press jumps to it first.
TEST_F(ReplayTest, ArchiveOfAnotherProjectStopsTheGameWithFailure) {
  ASSERT_TRUE(
      WriteVxrArchive(project.path() + "/VXR/Maps.vxr", {{"ID", test::IdEntry(2, 7).data, 0}}));
  test::WriteFile(home.path() + "/input", "500 tap SPACE\n");
  for (const bool scripted : {false, true}) {
    std::vector<std::string> args = {"--home", home.path()};
    if (scripted) args.insert(args.end(), {"--input", home.path() + "/input"});
    const ReplayResult r = Replay(project.path(), args);
    EXPECT_TRUE(r.Has("console| VXR ID mismatch (2.7)"));
    EXPECT_TRUE(r.Has("console| Please notify its creator!"));
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines.back().rfind("end| reason=exit status=1 frame=", 0), 0u) << r.lines.back();
    EXPECT_EQ(r.lines.back() == "end| reason=exit status=1 frame=500", scripted) << r.lines.back();
    EXPECT_EQ(r.status, 1);
  }
}

TEST_F(ReplayTest, StateAndScreenshotAreWritten) {
  const std::string shot = home.path() + "/menu.png";
  const ReplayResult r = Replay(
      project.path(), {"--home", home.path(), "--frames", "80", "--state", "--screenshot", shot});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.Has("state| ProjectTitle=Jump"));
  EXPECT_TRUE(r.Has("state| ScreenWidth=640"));
  EXPECT_TRUE(r.Has("state| GameState=0"));
  EXPECT_TRUE(r.Has("state| CheckpointList="));
  EXPECT_TRUE(r.Has("state| PlayerX="));  // no level loaded: no player
  EXPECT_EQ(r.Count("state| "), 43);
  EXPECT_EQ(test::ReadFile(shot).substr(1, 3), "PNG");
}

TEST_F(ReplayTest, BadArgumentsAreRefused) {
  EXPECT_EQ(Replay(project.path(), {"--driver", "Vulkan"}).status, 2);
  EXPECT_EQ(Replay(project.path(), {"--frames"}).status, 2);
  test::WriteFile(home.path() + "/bad", "5 jump ESC\n");
  EXPECT_EQ(Replay(project.path(), {"--input", home.path() + "/bad"}).status, 2);
}

TEST_F(ReplayTest, ModeWithTrailingTextIsRefused) {
  EXPECT_EQ(
      Replay(project.path(), {"--modes", "800x600x32,1024x768x32Hz", "--driver", "close"}).status,
      2);
  EXPECT_EQ(Replay(project.path(), {"--modes", "800x600x16 ,1024x768x32", "--driver", "close",
                                    "--home", home.path()})
                .status,
            0);
}

}  // namespace
}  // namespace hopwerk
