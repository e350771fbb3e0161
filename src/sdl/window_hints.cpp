// The X11 headers are kept to this file: their macros (None, Status, ...) clash with the game's
// names.
#include "sdl/window_hints.hpp"

#include <SDL_syswm.h>

#include <cstdlib>

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

bool InEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

}  // namespace

std::string DesktopDrivers() {
  std::string drivers;
  if (InEnvironment("DISPLAY")) drivers = "x11";
  if (InEnvironment("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
  return drivers;
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
