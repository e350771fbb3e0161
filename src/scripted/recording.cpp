#include "scripted/recording.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "base/fault.hpp"
#include "game/runtime.hpp"
#include "scripted/dump.hpp"
#include "scripted/event_lines.hpp"

namespace reddoor {

ScriptRecorder::ScriptRecorder(std::ostream& out, WindowId start, std::string path)
    : out_(out), path_(std::move(path)) {
  // The same first line as the golden scripts: the arguments that the replay needs.
  if (start != WindowId::Intro) out_ << "# args: --start " << WindowName(start) << '\n';
  out_ << "# " << kRecordingMark
       << " " REDDOOR_VERSION
          "; replay it with --script, check it\n"
          "# with --verify. The comments are the lines that the replay prints.\n";
  Flush();
}

void ScriptRecorder::KeyChanged(std::int64_t t, Key key, bool down) {
  using Action = KeyCommand::Action;
  Write(t, KeyCommand{down ? Action::Down : Action::Up, key});
}

void ScriptRecorder::Clicked(std::int64_t t, std::string_view /*button*/) {
  Write(t, ClickCommand{});
}

void ScriptRecorder::WindowShown(std::int64_t t, std::string_view window) {
  Note(ShowEventLine(t, window));
}

void ScriptRecorder::MessageShown(std::int64_t t, std::string_view text) {
  Note(MessageEventLine(t, text));
}

void ScriptRecorder::Ended(const Runtime& game) {
  Note(DumpState(game).dump());
  Write(game.Now(), DumpCommand{});
  Write(game.Now(), CloseCommand{});
}

void ScriptRecorder::Write(std::int64_t t, const ScriptCommand& command) {
  if (t > written_) {
    out_ << FormatScriptLine(WaitCommand{t - written_}) << '\n';
    written_ = t;
  }
  // Line by line, so that a game that ends abruptly leaves what was played until then.
  out_ << FormatScriptLine(command) << '\n';
  Flush();
}

void ScriptRecorder::Note(const std::string& line) {
  out_ << "# " << line << '\n';
  Flush();
}

void ScriptRecorder::Flush() {
  if (!out_.flush()) {
    throw GameFault(fmt::format("cannot write the recording {}: {}", path_, std::strerror(errno)));
  }
}

}  // namespace reddoor
