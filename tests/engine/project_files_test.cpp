// Loose project files named by game data: safe names, patch first, letter case ignored.
#include <gtest/gtest.h>

#include "LevelTestProject.h"
#include "data/ProjectFiles.h"

namespace hopwerk {
namespace {

TEST(ProjectFiles, PatchFirstByItsRuleAndCaseIgnoredPartByPart) {
  test::LevelProject lp;
  lp.Write("Data/music/Song.ogg", "x");
  lp.Write("Data/GFX/Level/Tiles/both.png", "x");
  lp.Write("P.PPF/Data/GFX/Level/Tiles/both.png", "x");
  lp.Write("P.PPF/Data/GFX/Level/Tiles/dir.png/inside", "x");
  lp.Write("Data/GFX/Level/Tiles/dir.png", "x");
  Engine& e = lp.Open();
  const std::string root = lp.run.project.path() + "/";
  const auto resolve = [&](const std::string& name, PatchCopy rule) {
    return ResolveProjectFile(e, "Data/GFX/Level/Tiles/", "GFX/Level/Tiles/", name, rule);
  };
  EXPECT_EQ(ResolveProjectFile(e, "Data/Music/", "Music/", "SONG.ogg", PatchCopy::Exists),
            root + "Data/music/Song.ogg");
  EXPECT_EQ(resolve("gone.png", PatchCopy::File), root + "Data/GFX/Level/Tiles/gone.png");
  EXPECT_EQ(resolve("../Tiles/both.png", PatchCopy::File), "");
  e.settings.PatchFolder = root + "P.PPF";
  EXPECT_EQ(resolve("BOTH.png", PatchCopy::File), root + "P.PPF/Data/GFX/Level/Tiles/both.png");
  // A folder in the patch counts only where anything by the name is enough.
  EXPECT_EQ(resolve("dir.png", PatchCopy::File), root + "Data/GFX/Level/Tiles/dir.png");
  EXPECT_EQ(resolve("dir.png", PatchCopy::Exists), root + "P.PPF/Data/GFX/Level/Tiles/dir.png");
}

}  // namespace
}  // namespace hopwerk
