#pragma once
// A real game recorded as a script of the scripted run (--record FILE). Replayed with
// --script FILE it plays the same game: the keys and clicks come at the same times of the
// game clock, which in the real windows stands still while the game is paused or a message
// box is open, as the virtual clock does. What the player saw is noted in comments, as the
// JSON lines that the replay prints, the state at the end included:
//   # args: --start Level2
//   # {"t":0,"event":"show","window":"Level2"}
//   wait 1200
//   down Right
//   ...
//   # {"t":5300,"window":"Level2",...}
//   dump
//   close
#include <cstdint>
#include <ostream>

#include "app/script.hpp"
#include "game/runtime.hpp"
#include "sdl/session_recorder.hpp"

namespace reddoor {

class ScriptRecorder final : public SessionRecorder {
 public:
  ScriptRecorder(std::ostream& out, WindowId start);

  // The game starts on this runtime: its clock times the recording.
  void Started(Runtime& runtime) override;
  void KeyChanged(Key key, bool down) override;
  void Clicked(std::string_view button) override;
  void WindowShown(const Window& window) override;
  void MessageShown(std::string_view text) override;
  void Ended() override;

 private:
  // Writes the command after a wait up to the game clock's time.
  void Write(const ScriptCommand& command);
  void Note(const std::string& line);

  std::ostream& out_;
  WindowId start_;
  Runtime* runtime_ = nullptr;
  std::int64_t written_ = 0;  // the time that the waits written so far reach
};

}  // namespace reddoor
