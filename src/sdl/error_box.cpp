#include "sdl/error_box.hpp"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <fstream>

#if defined(__linux__)
#include <sys/types.h>
#include <unistd.h>
#endif

namespace reddoor {
namespace {

bool ShowBox(const std::string& text) {
  const SDL_MessageBoxButtonData ok{
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
  const SDL_MessageBoxData box{
      SDL_MESSAGEBOX_ERROR, nullptr, "Red Door", text.c_str(), 1, &ok, nullptr};
  int pressed = 0;
  return SDL_ShowMessageBox(&box, &pressed) == 0;
}

// On X11, SDL shows the box from a process of its own, started by the thread that asks for it,
// and waits for that process: ending it closes the box. It has the game's signal handlers, so
// only SIGKILL ends it.
void CloseBoxOf(long thread) {
#if defined(__linux__)
  std::ifstream children("/proc/self/task/" + std::to_string(thread) + "/children");
  for (pid_t child = 0; children >> child;) kill(child, SIGKILL);
#else
  (void)thread;
#endif
}

// What the box's thread and the game share.
struct Box {
  const std::string& text;
  Uint32 closed;                // the event that says the box is gone
  std::atomic<long> thread{0};  // the thread's id, on Linux
  std::atomic<bool> shown{false};
};

int ShowInThread(void* data) {
  auto& box = *static_cast<Box*>(data);
#if defined(__linux__)
  box.thread = gettid();
#endif
  box.shown = ShowBox(box.text);
  SDL_Event event{};
  event.type = box.closed;
  SDL_PushEvent(&event);
  return 0;
}

}  // namespace

bool ShowErrorBox(const std::string& text) {
  // The box waits in a thread of its own, so that the game still hears the signals that SDL
  // turns into a request to quit. An SDL thread: SDL frees what it keeps for a thread of its
  // own as it ends.
  Box box{text, SDL_RegisterEvents(1)};
  SDL_Thread* thread = SDL_CreateThread(ShowInThread, "error box", &box);
  if (!thread) return ShowBox(text);
  // Asked to quit, it closes the box until the box is gone: the box may still be on its way.
  bool quit = false;
  for (SDL_Event event{}; event.type != box.closed;) {
    if (!SDL_WaitEventTimeout(&event, quit ? 50 : -1)) event.type = 0;
    quit = quit || event.type == SDL_QUIT;
    if (quit) CloseBoxOf(box.thread);
  }
  SDL_WaitThread(thread, nullptr);
  return box.shown;
}

}  // namespace reddoor
