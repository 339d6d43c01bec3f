// The per-user files survive a kill at any moment of their writing: crash-writer rewrites a
// saved game, the high-score table and Config.PCF in turn, two versions alternately, and is
// killed with SIGKILL at random moments. Each file must then be one version or the other,
// byte for byte, and read back by the engine as such.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "TestProject.h"
#include "frontend/Config.h"
#include "frontend/HighScoreFile.h"
#include "frontend/SavedGames.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;

const std::string kWriter = std::string(HOPWERK_BIN_DIR) + "/crash-writer";
constexpr int kSlot = 3;  // the slot crash-writer saves into

bool RunWriter(const std::string& mode, const std::string& folder) {
  const std::string command = "'" + kWriter + "' " + mode + " '" + folder + "'";
  return std::system(command.c_str()) == 0;
}

// Starts crash-writer's endless loop; returns once it has begun writing.
pid_t StartLoop(const std::string& folder) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    execl(kWriter.c_str(), kWriter.c_str(), "loop", folder.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  char c = 0;
  const bool begun = read(out[0], &c, 1) == 1;
  close(out[0]);
  return begun ? child : -1;
}

struct Version {
  std::string slot, scores, config;
};

TEST(CrashSafeWritesTest, EveryKillLeavesTheOldFileOrTheNewOneWhole) {
  test::TempDir root;
  const std::string a = root.path() + "/a", b = root.path() + "/b", live = root.path() + "/live";
  for (const auto& folder : {a, b, live}) fs::create_directories(folder);
  ASSERT_TRUE(RunWriter("a", a));
  ASSERT_TRUE(RunWriter("b", b));
  ASSERT_TRUE(RunWriter("a", live));

  test::EngineRun run;
  Engine& engine = run.Start();
  engine.project.ProjectIdMajor = 72;
  engine.project.ProjectIdMinor = 2026;
  const auto read = [&](const std::string& folder) {
    engine.folders.SaveFolder = folder + "/";
    return Version{test::ReadFile(SlotFilePath(engine, kSlot)),
                   test::ReadFile(HighScoreFilePath(engine)), test::ReadFile(ConfigFile(engine))};
  };
  const Version va = read(a), vb = read(b);
  ASSERT_NE(va.slot, vb.slot);
  ASSERT_NE(va.scores, vb.scores);
  ASSERT_NE(va.config, vb.config);

  std::mt19937 random(20261208);
  int newSeen = 0;
  for (int attempt = 0; attempt < 200; ++attempt) {
    const pid_t child = StartLoop(live);
    ASSERT_GT(child, 0);
    // A round of three writes, each flushed to disk, takes a few milliseconds.
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "crash-writer stopped on its own at kill " << attempt;

    const Version now = read(live);
    EXPECT_TRUE(now.slot == va.slot || now.slot == vb.slot) << "kill " << attempt;
    EXPECT_TRUE(now.scores == va.scores || now.scores == vb.scores) << "kill " << attempt;
    EXPECT_TRUE(now.config == va.config || now.config == vb.config) << "kill " << attempt;
    newSeen += (now.slot == vb.slot) + (now.scores == vb.scores) + (now.config == vb.config);

    // And the engine reads what is there.
    const SlotTable slots = ReadSlotTable(engine);
    EXPECT_TRUE(slots[kSlot].Valid) << "kill " << attempt;
    LoadHighScores(engine);
    const std::string& top = engine.frontend.HiScores[2][1][1].Name;
    EXPECT_TRUE(top == "Al" || top == "Bertha the Bold") << top;
    engine.settings.KeyJump = 0;
    LoadConfig(engine);
    EXPECT_TRUE(engine.settings.KeyJump == 164 || engine.settings.KeyJump == 165)
        << engine.settings.KeyJump;
    // Temporary files of killed writers do not pile up: the next write of the same file
    // removes its own, so at most one of each of the three files is left.
    int temporaries = 0;
    for (const auto& entry : fs::directory_iterator(live)) {
      temporaries += entry.path().filename().string().find(".tmp-") != std::string::npos;
    }
    EXPECT_LE(temporaries, 3) << "kill " << attempt;
    if (HasFailure()) break;
  }
  ASSERT_TRUE(RunWriter("a", live));
  for (const auto& entry : fs::directory_iterator(live)) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
  }
  // The kills did land in the middle of the writing, not only before it began.
  EXPECT_GT(newSeen, 0);
}

}  // namespace
}  // namespace hopwerk
