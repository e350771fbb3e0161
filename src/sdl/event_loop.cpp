#include "sdl/event_loop.hpp"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/fault.hpp"
#include "base/geometry.hpp"
#include "scene/layout.hpp"
#include "sdl/error_box.hpp"
#include "sdl/game_clock.hpp"
#include "sdl/media.hpp"
#include "sdl/sdl_platform.hpp"
#include "sdl/timing_log.hpp"
#include "sdl/window_hints.hpp"

namespace reddoor {
namespace {

bool InEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// Starts SDL's video, with its events, and nothing else: the game makes no sound, so audio is
// never started. Video is never shut down again, the operating system closes the connection
// to the display when the program ends. Shutting it down can fail on X11: SDL wakes a loop
// that waits for events by a message that it sends, through a second connection, to one of
// the program's windows; when the player closes the game, the message can reach the X server
// after the window is gone, and on closing that connection SDL reads the server's BadWindow
// error, which Xlib's default handler answers by ending the program with status 1.
bool StartVideo() {
  // A driver chosen by hand in SDL_VIDEODRIVER is the user's decision.
  if (!InEnvironment("SDL_VIDEODRIVER")) {
    const std::string drivers = DesktopDrivers();
    if (drivers.empty()) {
      std::cerr << "reddoor: no display available (" << NoDesktopReason()
                << "); use --script FILE to run headless\n";
      return false;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  }
  // Draw straight into the window's own pixels: SDL's OpenGL path is slower and far larger.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A click on a window that is not active yet counts too, as on the desktop the game was made
  // for; otherwise SDL drops a click that comes just after the window got the focus.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    const char* display = std::getenv("DISPLAY");
    std::cerr << "reddoor: cannot open the display " << (display ? display : "") << ": "
              << SDL_GetError() << '\n';
    return false;
  }
  return true;
}

// The game reacts to clicks, keys and its windows, never to the mouse moving or to typed text.
// On X11 it reads the X server's own time stamps of keys and clicks, which come as messages of
// the window system just before SDL's events.
void ChooseEvents() {
  SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
  SDL_EventState(SDL_TEXTINPUT, SDL_IGNORE);
  SDL_EventState(SDL_TEXTEDITING, SDL_IGNORE);
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::string_view(driver) == "x11") SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

// Room for the frame and the title bar that the desktop puts around a window.
constexpr int kFrameAllowance = 16;
constexpr int kTitleBarAllowance = 48;
// Ticks this late are caught up at once; a longer stall is left out of game time.
constexpr std::int64_t kLongestCatchUpMs = 250;

// The scale asked for (0: none), or, when it does not fit, the largest at which every window of
// the game fits the desktop's usable area.
int ScaleThatFits(int asked) {
  SDL_Rect usable{0, 0, 0, 0};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return asked > 0 ? asked : 1;
  int fits = kMaxScale;
  for (const WindowLayout* layout : AllLayouts()) {
    fits = std::min(
        fits, LargestScaleThatFits(layout->clientWidth, layout->clientHeight,
                                   usable.w - kFrameAllowance, usable.h - kTitleBarAllowance));
  }
  if (asked == 0) return fits;
  if (asked > fits) {
    std::cerr << "reddoor: at scale " << asked << " the game does not fit the screen (" << usable.w
              << "x" << usable.h << "); drawing it at scale " << fits << '\n';
    return fits;
  }
  return asked;
}

// How long to wait for an event before the next timer tick falls due; -1: until an event.
int WaitMilliseconds(std::int64_t nextDue, const GameClock& clock) {
  if (nextDue < 0) return -1;
  return static_cast<int>(
      std::clamp<std::int64_t>(clock.RealMilliseconds(nextDue - clock.Now()), 0, INT_MAX));
}

// A game that could not run for a while (the machine slept, the program was stopped) goes on
// where it stopped instead of rushing through every tick it missed.
void LeaveOutStall(const Runtime& runtime, GameClock& clock) {
  const std::int64_t due = runtime.NextDue();
  if (due >= 0 && clock.Now() - due > kLongestCatchUpMs) clock.LeaveOut(clock.Now() - due);
}

// When each event happened, on the game clock: a key or a click when the window system took it
// in, where it says (InputAge), else when SDL read it.
class EventTimes {
 public:
  explicit EventTimes(const GameClock& clock) : clock_(clock) {}

  // Takes in a message of the window system; false for every other event.
  bool Note(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT) return false;
    const std::optional<std::int64_t> age = InputAge(*event.syswm.msg);
    stamped_ = age ? std::optional(clock_.Now() - clock_.GameMilliseconds(*age)) : std::nullopt;
    return true;
  }

  std::int64_t TimeOf(const SDL_Event& event) {
    const std::int64_t read =
        clock_.Now() -
        clock_.GameMilliseconds(static_cast<std::int64_t>(SDL_GetTicks() - event.common.timestamp));
    const std::optional<std::int64_t> stamped = std::exchange(stamped_, std::nullopt);
    if (!IsInput(event) || !stamped) return read;
    return std::min(read, *stamped);
  }

 private:
  static bool IsInput(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP ||
           event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
  }

  const GameClock& clock_;
  std::optional<std::int64_t> stamped_;  // of the window system's last message
};

// The one loop of the game: sleep until the next tick or event, handle every event waiting,
// run the ticks that fell due, and show what changed. A paused game only waits for events.
void PlayUntilClosed(Runtime& runtime, SdlPlatform& platform, GameClock& clock) {
  EventTimes times(clock);
  while (!platform.QuitRequested()) {
    platform.Present();
    const int wait = platform.Paused() ? -1 : WaitMilliseconds(runtime.NextDue(), clock);
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, wait)) {
      do {
        if (times.Note(event)) continue;
        // The ticks due before the event run first, and the clock reads the event's time, so
        // that a key acts at the tick after it happened, however late the loop comes to it,
        // and a window the event shows starts its timers from then.
        LeaveOutStall(runtime, clock);
        runtime.RunTimersUntil(times.TimeOf(event));
        if (!platform.Handle(event)) return;
      } while (SDL_PollEvent(&event));
    }
    LeaveOutStall(runtime, clock);
    runtime.RunTimersUntil(clock.Now());
  }
}

void Play(const WindowedOptions& options) {
  SdlMedia media;
  GameClock clock(options.speedPercent);
  const int scale = ScaleThatFits(options.scale);
  if (options.scaleChosen) options.scaleChosen(scale);
  SdlPlatform platform(media, scale, clock, options);
  platform.SetFullscreen(options.fullscreen, options.fullscreenChanged);
  Runtime runtime(platform);
  platform.Attach(runtime);
  std::optional<TimingLog> timingLog;
  if (!options.timingLog.empty()) {
    timingLog.emplace(options.timingLog, clock);
    runtime.SetTickObserver(&*timingLog);
    platform.SetTimingLog(&*timingLog);
  }
  runtime.SetRecorder(options.recorder);
  ChooseEvents();
  platform.StartGamepads();
  runtime.Get(options.start).Show();
  PlayUntilClosed(runtime, platform, clock);
  platform.AnswerOpenMessages();
  if (options.recorder) options.recorder->Ended(runtime);
}

}  // namespace

int RunWindowed(const WindowedOptions& options) {
  if (!StartVideo()) return 1;
  try {
    Play(options);
    return 0;
  } catch (const GameFault& fault) {
    // The game's windows are gone; the fault is told on the terminal and on the desktop.
    std::cerr << "reddoor: " << fault.what() << '\n';
    ShowErrorBox(fault.what());
    return 1;
  }
}

}  // namespace reddoor
