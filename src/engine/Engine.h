// The engine context: every piece of process-wide state, gathered in one object that free
// functions take by reference. No globals, so each test builds a fresh Engine.
//
// Each record lives in the folder that changes it and is grouped by how long it lasts, so a
// lower folder may read a higher folder's record through the Engine but never writes it, and
// this is the one header that includes every folder's state.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "archive/Vxr.h"
#include "data/DataState.h"
#include "frontend/FrontEndState.h"
#include "frontend/PlayerSettings.h"
#include "gameplay/RunningLevel.h"
#include "gameplay/SessionState.h"
#include "level/LevelState.h"
#include "platform/Platform.h"
#include "shell/ShellState.h"

namespace hopwerk {

struct Engine;

// Screens of the front end that live in subsystems built on top of the shell; the program's
// entry wires them in, so the shell does not depend on them.
struct FrontEndHooks {
  std::function<void(Engine&)> loadConfig;
  std::function<void(Engine&)> newGame;        // GameState 1
  std::function<void(Engine&)> startLevel;     // GameState 2
  std::function<void(Engine&)> continueLevel;  // GameState 3
  std::function<void(Engine&)> loadGameSlots;  // GameState 4
  std::function<void(Engine&)> saveGameSlots;  // F5 during play
  std::function<void(Engine&)> highScores;     // main menu item
  std::function<void(Engine&)> episodeScore;   // the episode end's score entry and table
  std::function<void(Engine&)> configuration;  // main menu item
  // StartMode::Play: a game set up without its menus, leaving GameState 2.
  std::function<void(Engine&)> quickStart;
  // Between two passes of the level loop: where trying a map out watches its files.
  std::function<void(Engine&)> betweenPasses;
};

// Archive errors are shown over a closed display and end the program with a failure status.
class EngineVxrHost : public VxrHost {
 public:
  explicit EngineVxrHost(Platform& platform) : platform_(platform) {}
  void Trace(const std::string& line) override { platform_.TraceLine(line); }
  std::string WorkingFolder() override { return platform_.WorkingFolder(); }
  void ShowError(const std::string& noticeText) override {
    platform_.CloseDisplay();
    platform_.ShowNotice(noticeText, false);
  }
  [[noreturn]] void EndOnError() override { EndProgramNow(platform_, 1); }

 private:
  Platform& platform_;
};

struct Engine {
  explicit Engine(Platform& p) : platform(p), vxrHost(p) {
    vxr.host = &vxrHost;
    // A pad's buttons stand for the keys bound now, so a rebinding reaches the pad at once.
    platform.SetBoundKeysSource([this] {
      return BoundKeys{settings.KeyJump, settings.KeyFire, settings.KeyActivate, settings.KeyPause};
    });
  }
  ~Engine() { platform.SetBoundKeysSource(nullptr); }
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  Platform& platform;
  EngineVxrHost vxrHost;
  VxrModule vxr;
  Folders folders;
  ProjectSettings project;
  ConsoleState console;
  FrontEndPictures pictures;
  GameData data;
  GlowState glow;
  // Declared before the level, so the running level's sounds and its pointers into the level's
  // objects go first when the engine is torn down.
  ShellState shell;         // the front end's chain code
  SessionState session;     // one game, from level to level; what a saved game keeps
  RunningLevel run;         // the level being played
  PlayerSettings settings;  // kept in Config.PCF; lasts the whole run
  LevelState level;         // the loaded level's map and data
  FolderNameCache fileNames;
  FrontEndState frontend;
  FrontEndHooks hooks;
};

}  // namespace hopwerk
