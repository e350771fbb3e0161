// The Windows side of window_hints.hpp: every window may go fullscreen, the keyboard is asked
// directly, and the window's style loses its minimize and maximize boxes and keeps them off
// whenever SDL sets the style again (fullscreen and back, a change of size), because the
// window's procedure strips them from every new style.
#include <SDL_syswm.h>
#include <windows.h>

#include "sdl/window_hints.hpp"

namespace reddoor {

namespace {

constexpr const wchar_t* kSdlProcedure = L"reddoor.sdl_window_procedure";
constexpr LONG_PTR kBoxes = WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

LRESULT CALLBACK WithoutBoxes(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_STYLE)) {
    reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~static_cast<DWORD>(kBoxes);
  }
  const auto sdlProcedure = reinterpret_cast<WNDPROC>(GetPropW(window, kSdlProcedure));
  return CallWindowProcW(sdlProcedure, window, message, wParam, lParam);
}

}  // namespace

std::string DesktopDrivers() {
  // Asked with a hidden window of Windows' own: where SDL's fails, its error is a stale one.
  HWND probe =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!probe) return "";
  DestroyWindow(probe);
  return "windows";
}

const char* NoDesktopReason() {
  return "no window can be opened here";
}

bool MayGoFullscreen(SDL_Window* /*window: Windows gives every window fullscreen*/) {
  return true;
}

std::optional<SDL_Point> RealSize(SDL_Window* /*window: SDL's size is the window's*/) {
  return std::nullopt;
}

// SDL passes on a window message without the time it was sent at.
std::optional<std::int64_t> InputAge(const SDL_SysWMmsg& /*message*/) {
  return std::nullopt;
}

std::optional<bool> KeyDownNow(SDL_Window* window, SDL_Keycode key) {
  // Only a window on the Windows desktop can ask it; SDL's dummy driver cannot.
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS) {
    return std::nullopt;
  }
  int virtualKey = 0;
  if (key == SDLK_LEFT) virtualKey = VK_LEFT;
  if (key == SDLK_RIGHT) virtualKey = VK_RIGHT;
  if (key == SDLK_SPACE) virtualKey = VK_SPACE;
  if (key >= SDLK_a && key <= SDLK_z) virtualKey = 'A' + (key - SDLK_a);
  if (virtualKey == 0) return std::nullopt;
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

void OfferNoMinimizeOrMaximize(SDL_Window* window, bool /*resizable: the border sizes it*/) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS) return;
  HWND handle = info.info.win.window;
  if (!GetPropW(handle, kSdlProcedure)) {
    SetPropW(handle, kSdlProcedure,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(handle, GWLP_WNDPROC)));
    SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WithoutBoxes));
  }
  SetWindowLongPtrW(handle, GWL_STYLE, GetWindowLongPtrW(handle, GWL_STYLE) & ~kBoxes);
  SetWindowPos(handle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace reddoor
