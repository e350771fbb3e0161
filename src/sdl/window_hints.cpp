// The X11 headers are kept to this file: their macros (None, Status, ...) clash with the game's
// names.
#include "sdl/window_hints.hpp"

#include <SDL_syswm.h>
#include <X11/keysym.h>

namespace reddoor {

namespace {

// The Motif window manager hints, which X11 window managers read for the buttons they offer.
struct MotifHints {
  unsigned long flags;
  unsigned long functions;
  unsigned long decorations;
  long inputMode;
  unsigned long status;
};
constexpr unsigned long kHintFunctions = 1, kHintDecorations = 2;
constexpr unsigned long kFunctionResize = 2, kFunctionMove = 4, kFunctionClose = 32;
constexpr unsigned long kDecorBorder = 2, kDecorResizeHandle = 4, kDecorTitle = 8, kDecorMenu = 16;

// The X11 display of an SDL window; none on another desktop.
Display* DisplayOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return nullptr;
  }
  return info.info.x11.display;
}

// The X11 key symbol of an SDL key code, for the keys whose symbols the two share or that the
// game reads; 0 for any other.
KeySym SymbolOf(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT:
      return XK_Left;
    case SDLK_RIGHT:
      return XK_Right;
    default:
      return key == SDLK_SPACE || (key >= SDLK_a && key <= SDLK_z) ? static_cast<KeySym>(key) : 0;
  }
}

}  // namespace

std::optional<bool> KeyDownNow(SDL_Window* window, SDL_Keycode key) {
  Display* display = DisplayOf(window);
  const KeySym symbol = SymbolOf(key);
  const KeyCode code = display && symbol ? XKeysymToKeycode(display, symbol) : 0;
  if (code == 0) return std::nullopt;
  char keys[32];
  XQueryKeymap(display, keys);
  return (keys[code / 8] & (1 << (code % 8))) != 0;
}

void OfferNoMinimizeOrMaximize(SDL_Window* window, bool resizable) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  MotifHints hints{kHintFunctions | kHintDecorations, kFunctionMove | kFunctionClose,
                   kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
  if (resizable) {
    hints.functions |= kFunctionResize;
    hints.decorations |= kDecorResizeHandle;
  }
  Display* display = info.info.x11.display;
  const Atom property = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, info.info.x11.window, property, property, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), sizeof hints / sizeof(long));
}

}  // namespace reddoor
