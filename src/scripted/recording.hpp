#pragma once
// A real game recorded as a script of the scripted run (--record FILE). Replayed with
// --script FILE it plays the same game: the keys and clicks come at the same times of the
// game clock, which in the real windows stands still while the game is paused or a message
// box is open, as the virtual clock does. What the player saw is noted in comments, as the
// JSON lines that the replay prints, the state at the end included:
//   # args: --start Level2
//   # A game of Red Door as it was played by reddoor 1.0.0; ...
//   # {"t":0,"event":"show","window":"Level2"}
//   wait 1200
//   down Right
//   ...
//   # {"t":5300,"window":"Level2",...}
//   dump
//   close
#include <cstdint>
#include <ostream>
#include <string>

#include "game/platform.hpp"
#include "game/window.hpp"
#include "scripted/script.hpp"

namespace reddoor {

// The head of a recording says which version of the game played it, after these words.
inline constexpr std::string_view kRecordingMark = "A game of Red Door as it was played by reddoor";

class ScriptRecorder final : public Recorder {
 public:
  // Writes the head of the recording: the game starts on `start` at 0 ms of the game clock. A
  // line that cannot be written is a GameFault naming the file at `path`.
  ScriptRecorder(std::ostream& out, WindowId start, std::string path);

  void KeyChanged(std::int64_t t, Key key, bool down) override;
  void Clicked(std::int64_t t, std::string_view button) override;
  void WindowShown(std::int64_t t, std::string_view window) override;
  void MessageShown(std::int64_t t, std::string_view text) override;
  void Ended(const Runtime& game) override;

 private:
  // Writes the command after a wait up to `t`.
  void Write(std::int64_t t, const ScriptCommand& command);
  void Note(const std::string& line);
  // Every line is written through at once.
  void Flush();

  std::ostream& out_;
  std::string path_;
  std::int64_t written_ = 0;  // the time that the waits written so far reach
};

}  // namespace reddoor
