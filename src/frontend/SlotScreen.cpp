#include "frontend/SlotScreen.h"

#include "frontend/SavedGames.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

constexpr int kFirstRowY = 200;
constexpr int kRowHeight = 25;

void DrawSlots(Engine& engine, int mode, const SlotTable& table, int cursor) {
  Platform& p = engine.platform;
  const FrontEndPictures& pics = engine.pictures;
  p.ClearScreen();
  // The screen may open over a level or the console, which leave their own colours behind.
  p.SetDrawColor(255, 255, 255);
  if (pics.MenuPic) p.DrawPicture(*pics.MenuPic, 0, 0, 0);
  if (mode == kSlotsSaving) {
    if (pics.SaveGamePic) {
      p.DrawPicture(*pics.SaveGamePic, 20, 130, 0);
    } else {
      p.DrawTextAt("Save Game", 20, 130);
    }
  } else if (pics.MenuItemPics[1]) {
    p.DrawPicture(*pics.MenuItemPics[1], 20, 150, 0);
  } else {
    p.DrawTextAt("Continue a game", 20, 130);
  }
  for (int j = 0; j < kSaveSlots; ++j) {
    const int y = j * kRowHeight + kFirstRowY - p.FontHeight() / 2;
    p.DrawTextAt("- " + table[static_cast<size_t>(j)].Text, 170, static_cast<float>(y));
  }
  if (pics.CursorPic) {
    p.DrawPicture(*pics.CursorPic, 0, static_cast<float>(cursor * kRowHeight + kFirstRowY), 0);
  }
}

}  // namespace

void SlotScreen(Engine& engine, int mode) {
  Platform& p = engine.platform;
  SlotTable table = ReadSlotTable(engine);
  p.FlushKeys();
  int cursor = 0;
  for (;;) {
    DrawSlots(engine, mode, table, cursor);
    if (p.KeyHits(kKeyEscape) != 0) break;
    if (p.KeyHits(kKeyEnter) != 0) {
      if (mode == kSlotsSaving) {
        SaveGame(engine, cursor);
        table = ReadSlotTable(engine);
      } else if (table[static_cast<size_t>(cursor)].Valid) {
        LoadGame(engine, cursor);
        engine.shell.GameState = 3;
        return;
      }
    }
    const bool down = p.KeyHits(kKeyDown) != 0;
    const bool up = p.KeyHits(kKeyUp) != 0;
    p.PresentFrame(-1);
    if (down && cursor < kSaveSlots - 1) ++cursor;
    if (up && cursor > 0) --cursor;
  }
  if (mode == kSlotsLoading) engine.shell.GameState = 0;
}

}  // namespace hopwerk
