// The choice dialog as a real window of its own, drawn by its own compositor, before any game
// display exists.
#include <SDL.h>

#include <cstdio>

#include "platform/ChoiceDialog.h"
#include "platform/KeyMap.h"
#include "platform/SdlPlatform.h"

namespace hopwerk {

namespace {

bool ShowCanvas(SDL_Window* window, const Compositor& canvas) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr) return false;
  // The compositor's x8r8g8b8 words are SDL's RGB888.
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(canvas.Pixels().data()), canvas.Width(), canvas.Height(), 32,
      canvas.Width() * 4, SDL_PIXELFORMAT_RGB888);
  if (source == nullptr) return false;
  const bool ok = SDL_BlitSurface(source, nullptr, target, nullptr) == 0;
  SDL_FreeSurface(source);
  return ok && SDL_UpdateWindowSurface(window) == 0;
}

}  // namespace

ChoiceDialogResult SdlPlatform::RunChoiceDialog(const ChoiceDialogSpec& spec) {
  SDL_Window* window = nullptr;
  if (StartVideo()) {
    window = SDL_CreateWindow(spec.title.c_str(), spec.screenX, spec.screenY, spec.clientWidth,
                              spec.clientHeight, SDL_WINDOW_SHOWN);
  }
  if (window == nullptr) {
    // Without a window there is no game to play either; say why instead of ending silently.
    std::fprintf(stderr, "hopwerk: cannot open a window: %s\n", SDL_GetError());
    std::fflush(stderr);
    EndProgram(1);
  }
  SDL_RaiseWindow(window);
  const Uint32 windowId = SDL_GetWindowID(window);

  Compositor canvas;
  ChoiceDialogState state = StartChoiceDialog(spec);
  bool dirty = true;
  while (!state.confirmed && !state.closed) {
    if (dirty) {
      DrawChoiceDialog(canvas, spec, state);
      ShowCanvas(window, canvas);
      dirty = false;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, 100) == 0) continue;
    switch (event.type) {
      case SDL_QUIT:
        state.closed = true;
        break;
      case SDL_WINDOWEVENT:
        if (event.window.windowID != windowId) break;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) state.closed = true;
        dirty = true;  // exposed, shown, moved: draw again, it is cheap
        break;
      case SDL_KEYDOWN:
        if (event.key.windowID != windowId) break;
        ChoiceDialogKey(spec, state,
                        WindowsKeyFromScancode(static_cast<int>(event.key.keysym.scancode)));
        dirty = true;
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.windowID != windowId || event.button.button != SDL_BUTTON_LEFT) break;
        ChoiceDialogMouseDown(spec, state, event.button.x, event.button.y);
        dirty = true;
        break;
      case SDL_MOUSEBUTTONUP:
        if (event.button.windowID != windowId || event.button.button != SDL_BUTTON_LEFT) break;
        ChoiceDialogMouseUp(spec, state, event.button.x, event.button.y);
        dirty = true;
        break;
      default:
        break;
    }
  }
  SDL_DestroyWindow(window);
  // The keys and clicks that answered the dialog are not the game's. A key whose release went
  // to the destroyed window would otherwise count as held, and be pressed again, in the game.
  SDL_ResetKeyboard();
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  ChoiceDialogResult result;
  result.closed = state.closed;
  result.selected = state.selected;
  return result;
}

}  // namespace hopwerk
