// Random play of the demo from the main menu (hopwerk-soak-input) runs its frames out: no
// crash, no sanitizer report, no fatal error, whatever the keys did. The long runs are
// tools/soak.sh; these are their short form.
#include <gtest/gtest.h>

#include "TestProject.h"

namespace hopwerk {
namespace {

using test::Replay;
using test::ReplayResult;

const std::string kDemo = HOPWERK_BIN_DIR;
constexpr int kFrames = 4000;

class SoakTest : public ::testing::TestWithParam<int> {};

TEST_P(SoakTest, RandomPlayRunsItsFramesOut) {
  test::TempDir home;
  const int loading = Replay(kDemo, {"--home", home.path(), "--frames", "150"}).Count("console| ");
  ASSERT_GT(loading, 20);
  const std::string input = home.path() + "/input";
  const std::string command = "'" + kDemo + "/hopwerk-soak-input' --loading " +
                              std::to_string(loading) + " " + std::to_string(GetParam()) + " " +
                              std::to_string(kFrames) + " > '" + input + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const ReplayResult r =
      Replay(kDemo, {"--home", home.path(), "--input", input, "--frames", std::to_string(kFrames),
                     "--seed", std::to_string(GetParam()), "--state"});
  EXPECT_TRUE(r.Has("end| reason=frames status=0 frame=" + std::to_string(kFrames)))
      << (r.lines.empty() ? "(no output)" : r.lines.back());
  EXPECT_EQ(r.status, 0);
  // The game was on: a level was loaded (each load prints its scroll settings).
  EXPECT_GT(r.Count("Plus Minus Settings:"), 0) << "no level reached";
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace hopwerk
