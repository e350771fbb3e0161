#pragma once
// A window of the game: not loaded, loaded and hidden, or loaded and visible. Loading puts its
// controls back to the layout's values and runs its load handler; unloading ends its timers,
// while the window's own member variables live on.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "game/platform.hpp"
#include "scene/scene.hpp"

namespace reddoor {

enum class WindowId : std::uint8_t { Intro, Level1, Level2, Level3, Finish };
constexpr std::size_t kWindowCount = 5;

class Runtime;

class Window {
 public:
  Window(Runtime& runtime, Platform& platform, WindowId id, const WindowLayout& layout);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  WindowId Id() const { return id_; }
  std::string_view Name() const { return Layout().name; }
  const WindowLayout& Layout() const { return scene_.Layout(); }
  bool IsLoaded() const { return loaded_; }
  bool IsVisible() const { return visible_; }
  // The order in which loaded windows run timer ticks that fall due at the same instant.
  std::uint64_t LoadSequence() const { return loadSequence_; }
  // The game clock, in ms.
  std::int64_t Now() const;

  // The controls, as the last load left them and play has changed them since.
  Scene& Contents() { return scene_; }
  const Scene& Contents() const { return scene_; }

  // A fault when a timer of the layout has no handler; once every window is built.
  void CheckTimersHandled() const;
  void Load();
  void Show();
  void Hide();
  void Unload();

  // Starting a timer that already runs changes nothing: its countdown goes on.
  void SetTimerEnabled(Control& timer, bool enabled);
  // The timer at this place of Contents().Timers() fell due: runs its handler.
  void RunTimer(std::size_t timer) { timerHandlers_[timer](); }
  // The player clicked the button of this name.
  virtual void Click(std::string_view /*button*/) {}

 protected:
  // Binds a handler to a timer of the layout, once, in the constructor of the window: the
  // handler may unload and load the window again while it runs.
  void OnTimer(std::string_view timer, std::function<void()> handler);
  // The load handler, run after the controls are back to the layout's values.
  virtual void OnLoad() {}

  Runtime& runtime_;
  Platform& platform_;

 private:
  WindowId id_;
  Scene scene_;
  std::vector<std::function<void()>> timerHandlers_;  // by the timer's place in Timers()
  bool loaded_ = false;
  bool visible_ = false;
  std::uint64_t loadSequence_ = 0;
};

}  // namespace reddoor
