#include "gameplay/CheckCheats.h"

#include "gameplay/ChooseLevel.h"
#include "gameplay/FloatingText.h"

namespace hopwerk {

namespace {

const char* OnOff(int32_t flag) {
  return flag != 0 ? "On" : "Off";
}

void ReadTypedLetters(Engine& engine) {
  std::string& buffer = engine.run.CheatBuffer;
  for (int code = 'A'; code <= 'Z'; ++code) {
    if (engine.platform.KeyHits(code) != 0) buffer.push_back(static_cast<char>(code));
  }
  if (buffer.size() > kCheatBufferLength) buffer.erase(0, buffer.size() - kCheatBufferLength);
}

}  // namespace

bool TakeCheat(Engine& engine, const std::string& name) {
  const auto found = engine.data.CheatCodes.find(name);
  if (found == engine.data.CheatCodes.end()) return false;
  const std::string& code = found->second;
  // An empty code would be found everywhere and fire every frame.
  if (code.empty()) return false;
  std::string& buffer = engine.run.CheatBuffer;
  std::string kept;
  bool taken = false;
  size_t from = 0;
  for (size_t at = buffer.find(code); at != std::string::npos; at = buffer.find(code, from)) {
    kept.append(buffer, from, at - from);
    from = at + code.size();
    taken = true;
  }
  if (!taken) return false;
  kept.append(buffer, from, std::string::npos);
  buffer = std::move(kept);
  return true;
}

void CheckCheats(Engine& engine) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  ObjectType* player = engine.level.Player;
  const int32_t px = player ? player->X : 0;
  const int32_t py = player ? player->Y : 0;
  ReadTypedLetters(engine);

  if (TakeCheat(engine, "CheckPoint")) {
    session.CheckpointScore = session.Score;
    session.CheckpointX = px;
    session.CheckpointY = py;
    AddFloatingText(engine,
                    "Checkpoint set to (" + std::to_string(px) + "," + std::to_string(py) + ")", px,
                    py);
  }
  // Straight at the hit points, so god mode does not protect against it.
  if (TakeCheat(engine, "Die") && player) player->HP = 0;
  if (TakeCheat(engine, "GodMode")) {
    run.GodMode = run.GodMode != 0 ? 0 : 1;
    AddFloatingText(engine, std::string("God mod - ") + OnOff(run.GodMode), px, py);
  }
  if (TakeCheat(engine, "FlyJump")) {
    run.InfiniteJump = run.InfiniteJump != 0 ? 0 : 1;
    AddFloatingText(engine, std::string("Fly Jump Mode - ") + OnOff(run.InfiniteJump), px, py);
  }
  if (TakeCheat(engine, "LevelChoose")) ChooseLevel(engine);
  if (TakeCheat(engine, "FullAmmo")) {
    for (WeaponType& weapon : engine.data.Weapons) weapon.Ammo = weapon.MaxAmmo;
    AddFloatingText(engine, "Full Ammo", px, py);
  }
  if (TakeCheat(engine, "AllKeys")) {
    for (int32_t& key : run.Keys) {
      if (key == 0) key = 1;
    }
  }
}

}  // namespace hopwerk
