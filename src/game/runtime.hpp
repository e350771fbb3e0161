#pragma once
// The running program: its five windows, the program-wide coin total, and one scheduler on
// the one thread that drives every timer of every loaded window by the game clock.
#include <array>
#include <cstdint>
#include <memory>

#include "game/form.hpp"
#include "platform/platform.hpp"

namespace reddoor {

enum class FormId : std::uint8_t { Intro, Level1, Level2, Level3, Finish };
constexpr std::size_t kFormCount = 5;

// The platform's timer cannot tick faster than this.
constexpr std::int32_t kShortestTimerMs = 16;
constexpr std::int32_t TimerPeriod(std::int32_t interval) {
  return interval < kShortestTimerMs ? kShortestTimerMs : interval;
}

// Told of every timer tick as it runs, before its handler: a timing log of the real clock.
class TickObserver {
 public:
  virtual ~TickObserver() = default;
  // `due` is when the tick was due by the game clock.
  virtual void TickRunning(const Form& form, const ControlSpec& timer, std::int64_t due) = 0;
};

class Runtime {
 public:
  explicit Runtime(Platform& platform);
  ~Runtime();

  Platform& platform() { return platform_; }
  Form& Window(FormId id) { return *forms_[static_cast<std::size_t>(id)]; }
  Form* FindWindow(std::string_view name);
  // The one visible window, or none before start-up and after the program ends.
  Form* VisibleWindow();
  std::array<std::unique_ptr<Form>, kFormCount>& Windows() { return forms_; }

  // Coins collected in the game so far; carried from one level to the next.
  std::int32_t TotalCoins = 0;

  // The game clock, in ms. During a tick it reads that tick's time.
  std::int64_t Now() const { return now_; }
  // Runs, in order, every tick due up to and including `until`, then sets the clock to it.
  void RunTimersUntil(std::int64_t until);
  // When the next timer tick is due; -1 when no timer runs.
  std::int64_t NextDue() const;

  std::uint64_t NextLoadSequence() { return ++loadCounter_; }

  // Nothing is told when no observer is set.
  void SetTickObserver(TickObserver* observer) { tickObserver_ = observer; }

 private:
  struct Due {
    Form* form = nullptr;
    Control* timer = nullptr;
  };
  Due EarliestDue() const;

  Platform& platform_;
  std::array<std::unique_ptr<Form>, kFormCount> forms_;
  std::int64_t now_ = 0;
  std::uint64_t loadCounter_ = 0;
  TickObserver* tickObserver_ = nullptr;
};

}  // namespace reddoor
