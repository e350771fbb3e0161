#pragma once
// A window of the game: not loaded, loaded and hidden, or loaded and visible. Loading puts its
// controls back to the layout's values, starts the timers the layout enables and runs its load
// handler; unloading stops its timers, while the window's own member variables live on.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform.hpp"
#include "game/scheduler.hpp"
#include "scene/scene.hpp"

namespace reddoor {

enum class WindowId : std::uint8_t { Intro, Level1, Level2, Level3, Finish };
constexpr std::size_t kWindowCount = 5;
// The windows a game can start on.
constexpr std::array<WindowId, 3> kStartWindows = {WindowId::Level1, WindowId::Level2,
                                                   WindowId::Level3};
constexpr std::array<WindowId, kWindowCount> kAllWindows = {
    WindowId::Intro, WindowId::Level1, WindowId::Level2, WindowId::Level3, WindowId::Finish};

// A window's name as its layout gives it: "Intro", "Level1", ...
std::string_view WindowName(WindowId id);
// The window of this name among these; none when no window of them has it.
std::optional<WindowId> WindowNamed(std::string_view name,
                                    std::span<const WindowId> among = kAllWindows);
// Their names one after the other: "Level1|Level2|Level3" with the separator "|".
std::string WindowNames(std::span<const WindowId> windows, std::string_view separator);
// A window's caption as the player sees it, with what holds or slows the game:
// "Level1 (paused)", "Level1 (50% speed)", "Level1 (50% speed, paused)".
std::string ShownCaption(std::string_view caption, int speedPercent, bool paused);

class Window {
 public:
  // The window's timers run on `scheduler`; what the player sees happen is told to `platform`.
  Window(Scheduler& scheduler, Platform& platform, WindowId id, const WindowLayout& layout);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  WindowId Id() const { return id_; }
  std::string_view Name() const { return Layout().name; }
  const WindowLayout& Layout() const { return scene_.Layout(); }
  bool IsLoaded() const { return loaded_; }
  bool IsVisible() const { return visible_; }
  // The game clock, in ms.
  std::int64_t Now() const { return scheduler_.Now(); }

  // The controls, as the last load left them and play has changed them since.
  Scene& Contents() { return scene_; }
  const Scene& Contents() const { return scene_; }

  // A fault when a timer of the layout has no handler; once every window is built.
  void CheckTimersHandled() const;
  void Load();
  void Show();
  void Hide();
  void Unload();

  // Starting a timer that already runs changes nothing: its countdown goes on. The timers of a
  // window that is not loaded stay stopped.
  void SetTimerEnabled(const Control& timer, bool enabled);
  bool TimerEnabled(const Control& timer) const;
  // When a running timer ticks next, in ms of the game clock.
  std::int64_t TimerDue(const Control& timer) const;
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

  Platform& platform_;

 private:
  Scheduler::TimerRef TimerOf(const Control& timer) const;

  Scheduler& scheduler_;
  WindowId id_;
  Scene scene_;
  std::uint32_t timersNumber_;  // the scheduler's number for this window's timers
  std::vector<std::function<void()>> timerHandlers_;  // by the timer's place in Timers()
  bool loaded_ = false;
  bool visible_ = false;
};

}  // namespace reddoor
