// The X11 headers are kept to this file: their macros (None, Status, ...) clash with the game's
// names.
#include "sdl/window_hints.hpp"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

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

bool InEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

}  // namespace

namespace {

// The atoms of a list property of an X11 window; none when it has no such property.
std::optional<std::vector<Atom>> AtomList(Display* display, ::Window window, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 1024, False, XA_ATOM, &type, &format, &count,
                         &after, &data) != Success ||
      type != XA_ATOM || format != 32) {
    if (data) XFree(data);
    return std::nullopt;
  }
  const auto* atoms = reinterpret_cast<const Atom*>(data);
  std::vector<Atom> list(atoms, atoms + count);
  XFree(data);
  return list;
}

bool WindowManagerRuns(Display* display) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const bool runs =
      XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                         &format, &count, &after, &data) == Success &&
      type == XA_WINDOW && count == 1;
  if (data) XFree(data);
  return runs;
}

::Window X11WindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  return SDL_GetWindowWMInfo(window, &info) ? info.info.x11.window : 0;
}

}  // namespace

bool MayGoFullscreen(SDL_Window* window) {
  Display* display = DisplayOf(window);
  if (!display) return true;
  if (!WindowManagerRuns(display)) return false;
  const auto allowed = AtomList(display, X11WindowOf(window), "_NET_WM_ALLOWED_ACTIONS");
  if (!allowed) return true;
  const Atom fullscreen = XInternAtom(display, "_NET_WM_ACTION_FULLSCREEN", False);
  return std::find(allowed->begin(), allowed->end(), fullscreen) != allowed->end();
}

std::optional<SDL_Point> RealSize(SDL_Window* window) {
  Display* display = DisplayOf(window);
  XWindowAttributes attributes;
  if (!display || !XGetWindowAttributes(display, X11WindowOf(window), &attributes)) {
    return std::nullopt;
  }
  return SDL_Point{attributes.width, attributes.height};
}

std::optional<bool> KeyDownNow(SDL_Window* window, SDL_Keycode key) {
  Display* display = DisplayOf(window);
  const KeySym symbol = SymbolOf(key);
  const KeyCode code = display && symbol ? XKeysymToKeycode(display, symbol) : 0;
  if (code == 0) return std::nullopt;
  char keys[32];
  XQueryKeymap(display, keys);
  return (keys[code / 8] & (1 << (code % 8))) != 0;
}

// An X server on this machine stamps its events with CLOCK_MONOTONIC in ms, cut to 32 bits. A
// stamp more than a few seconds old, or ahead of this clock, is another machine's.
std::optional<std::int64_t> InputAge(const SDL_SysWMmsg& message) {
  constexpr std::int32_t kOldest = 5000;
  if (message.subsystem != SDL_SYSWM_X11) return std::nullopt;
  const XEvent& event = message.msg.x11.event;
  Time stamp = 0;
  switch (event.type) {
    case KeyPress:
    case KeyRelease:
      stamp = event.xkey.time;
      break;
    case ButtonPress:
    case ButtonRelease:
      stamp = event.xbutton.time;
      break;
    default:
      return std::nullopt;
  }
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto nowMs = static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
  const auto age = static_cast<std::int32_t>(nowMs - static_cast<std::uint32_t>(stamp));
  if (age < 0 || age > kOldest) return std::nullopt;
  return age;
}

std::string DesktopDrivers() {
  std::string drivers;
  if (InEnvironment("DISPLAY")) drivers = "x11";
  if (InEnvironment("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
  return drivers;
}

const char* NoDesktopReason() {
  return "DISPLAY is not set";
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
