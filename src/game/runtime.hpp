#pragma once
// The running program: its five windows, the program-wide coin total, the keys as the player
// holds them, the death message while it is open, and one scheduler on the one thread that
// drives every timer of every loaded window by the game clock.
//
// The surroundings push the player's input in between ticks (KeyDown, KeyUp, Click,
// AnswerMessage) and run the clock (RunTimersUntil); the game tells them what it shows through
// Platform.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "game/finish.hpp"
#include "game/intro.hpp"
#include "game/keys.hpp"
#include "game/level.hpp"
#include "game/level_rules.hpp"
#include "game/platform.hpp"
#include "game/run_timer.hpp"
#include "game/scheduler.hpp"
#include "game/window.hpp"

namespace reddoor {

// Told of every timer tick as it runs, before its handler: a timing log of the real clock.
class TickObserver {
 public:
  virtual ~TickObserver() = default;
  // `due` is when the tick was due by the game clock.
  virtual void TickRunning(const Window& window, const Control& timer, std::int64_t due) = 0;
};

class Runtime {
 public:
  explicit Runtime(Platform& platform, const LevelSet& levels = StandardLevels());
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  Window& Get(WindowId id) { return *windows_[static_cast<std::size_t>(id)]; }
  const Window& Get(WindowId id) const { return *windows_[static_cast<std::size_t>(id)]; }
  // The level window of this id; none for the title and the closing window.
  Level* LevelWindow(WindowId id);
  const Level* LevelWindow(WindowId id) const;
  // The one visible window, or none before start-up.
  Window* VisibleWindow();
  const Window* VisibleWindow() const;

  // Coins collected in the game so far; carried from one level to the next.
  std::int32_t TotalCoins() const { return totalCoins_; }
  void SetTotalCoins(std::int32_t coins) { totalCoins_ = coins; }

  // The game clock, in ms. During a tick it reads that tick's time.
  std::int64_t Now() const { return scheduler_.Now(); }
  // Runs, in order, every tick due up to and including `until`, then sets the clock to it; a
  // message that opens stops the clock at the tick that opened it.
  void RunTimersUntil(std::int64_t until) { scheduler_.RunUntil(until); }
  // The same for a game without a player, as the scripted run plays: every message is
  // answered at once.
  void RunAnsweringUntil(std::int64_t until);
  // When the next timer tick is due; -1 when no timer runs or a message is open.
  std::int64_t NextDue() const { return scheduler_.NextDue(); }

  // The run so far, timed by the game clock.
  const RunTimer& Run() const { return run_; }

  // A game key went down or up; true when that changed the key (another source may hold it).
  bool KeyDown(Key key, KeySource source = KeySource::Keyboard);
  bool KeyUp(Key key, KeySource source = KeySource::Keyboard);
  bool IsKeyDown(Key key) const { return keys_.IsDown(key); }
  // The game's key query: down now, or pressed since the previous query of that key.
  bool KeyPressed(Key key) { return keys_.Poll(key); }
  // The player clicked the button of this name on the visible window.
  void Click(std::string_view button);
  // A key pressed the visible window's button, as a click does: a window has one at most.
  void PressButton();

  // The death message: the clock stands still from the tick that opens it until the player
  // answers it; then `afterAnswer` goes on with the game at that tick's time.
  void OpenMessage(const Window& over, std::string_view text, std::function<void()> afterAnswer);
  bool MessageOpen() const { return message_.has_value(); }
  // The text of the open message; empty when none is open.
  std::string_view MessageText() const { return message_ ? message_->text : std::string_view(); }
  void AnswerMessage();

  // Nothing is told when no recorder or observer is set.
  void SetRecorder(Recorder* recorder) { recorder_ = recorder; }
  void SetTickObserver(TickObserver* observer) { tickObserver_ = observer; }

 private:
  // What the windows show goes to the platform and to the recorder.
  class Reporter final : public Platform {
   public:
    explicit Reporter(Runtime& runtime) : runtime_(runtime) {}
    void WindowShown(const Window& window) override;
    void MessageOpened(const Window& window, std::string_view text) override;

   private:
    Runtime& runtime_;
  };
  struct Message {
    std::string text;
    std::function<void()> afterAnswer;
  };

  void RunTick(Scheduler::TimerRef timer, std::int64_t due);

  Platform& platform_;
  Recorder* recorder_ = nullptr;
  TickObserver* tickObserver_ = nullptr;
  Reporter reporter_{*this};
  Scheduler scheduler_{
      [this](Scheduler::TimerRef timer, std::int64_t due) { RunTick(timer, due); }};
  // Made in the order of their ids, so that a window's number with the scheduler is its id.
  Intro intro_;
  std::array<Level, 3> levels_;
  Finish finish_;
  std::array<Window*, kWindowCount> windows_;
  std::int32_t totalCoins_ = 0;
  KeyLatch keys_;
  std::optional<Message> message_;
  RunTimer run_;
};

}  // namespace reddoor
