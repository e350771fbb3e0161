#include "platform/sdl/windowed.hpp"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>

#include "platform/sdl/game_clock.hpp"
#include "platform/sdl/media.hpp"
#include "platform/sdl/sdl_platform.hpp"
#include "scene/fault.hpp"
#include "scene/renderer.hpp"

namespace reddoor {
namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// Without a display SDL would try one back end after another and end up drawing into memory
// that nobody sees. A video driver chosen by hand is the user's decision.
bool HasDisplay() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("SDL_VIDEODRIVER");
}

// SDL's video (with its events) for the length of the game, and nothing else: the game makes
// no sound, so audio is never started.
class VideoSession {
 public:
  VideoSession() : started_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
  ~VideoSession() { SDL_Quit(); }
  VideoSession(const VideoSession&) = delete;
  VideoSession& operator=(const VideoSession&) = delete;
  bool Started() const { return started_; }

 private:
  bool started_;
};

// The game reacts to clicks, keys and its windows, never to the mouse moving or to typed text.
void IgnoreUnusedEvents() {
  SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
  SDL_EventState(SDL_TEXTINPUT, SDL_IGNORE);
  SDL_EventState(SDL_TEXTEDITING, SDL_IGNORE);
}

// How long to wait for an event before the next timer tick falls due; -1: until an event.
int WaitMilliseconds(std::int64_t nextDue, std::int64_t now) {
  if (nextDue < 0) return -1;
  return static_cast<int>(std::clamp<std::int64_t>(nextDue - now, 0, INT_MAX));
}

// The one loop of the game: sleep until the next tick or event, handle every event waiting,
// run the ticks that fell due, and show what changed. A tick that came too late is not
// repeated to catch up: the next one keeps to its timer's beat.
void PlayUntilClosed(Runtime& runtime, SdlPlatform& platform, const GameClock& clock) {
  for (;;) {
    platform.Present();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, WaitMilliseconds(runtime.NextDue(), clock.Now()))) {
      do {
        if (!platform.Handle(event)) return;
      } while (SDL_PollEvent(&event));
    }
    runtime.RunTimersUntil(clock.Now(), /*skipMissed=*/true);
  }
}

void Play(const WindowedOptions& options) {
  SdlMedia media;
  Renderer renderer(media, media, options.scale);
  const GameClock clock;
  SdlPlatform platform(renderer, clock);
  Runtime runtime(platform);
  platform.Attach(runtime);
  IgnoreUnusedEvents();
  runtime.Window(options.start).Show();
  PlayUntilClosed(runtime, platform, clock);
}

}  // namespace

int RunWindowed(const WindowedOptions& options) {
  if (!HasDisplay()) {
    std::cerr << "reddoor: no display available (DISPLAY is not set); use --script FILE to run "
                 "headless\n";
    return 1;
  }
  // Draw straight into the window's own pixels: SDL's OpenGL path is slower and far larger.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  const VideoSession video;
  if (!video.Started()) {
    std::cerr << "reddoor: cannot open the display: " << SDL_GetError() << '\n';
    return 1;
  }
  try {
    Play(options);
    return 0;
  } catch (const GameFault& fault) {
    // The game's windows are gone; the fault is told on the terminal and on the desktop.
    std::cerr << "reddoor: " << fault.what() << '\n';
    ShowErrorBox(nullptr, fault.what());
    return 1;
  }
}

}  // namespace reddoor
