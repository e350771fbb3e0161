#include "app/recording.hpp"

#include <string>

#include "app/dump.hpp"
#include "headless/event_lines.hpp"

namespace reddoor {

ScriptRecorder::ScriptRecorder(std::ostream& out, WindowId start) : out_(out), start_(start) {}

void ScriptRecorder::Started(Runtime& runtime) {
  runtime_ = &runtime;
  written_ = runtime.Now();
  // The same first line as the golden scripts: the arguments that the replay needs.
  if (start_ != WindowId::Intro) out_ << "# args: --start " << runtime.Get(start_).Name() << '\n';
  out_ << "# A game of Red Door as it was played; replay it with --script. The comments are\n"
          "# the lines that the replay prints.\n"
       << std::flush;
}

void ScriptRecorder::KeyChanged(Key key, bool down) {
  using Action = KeyCommand::Action;
  Write(KeyCommand{down ? Action::Down : Action::Up, key});
}

void ScriptRecorder::Clicked(std::string_view /*button*/) {
  Write(ClickCommand{});
}

void ScriptRecorder::WindowShown(const Window& window) {
  Note(ShowEventLine(runtime_->Now(), window.Name()));
}

void ScriptRecorder::MessageShown(std::string_view text) {
  Note(MessageEventLine(runtime_->Now(), text));
}

void ScriptRecorder::Ended() {
  Note(DumpState(*runtime_).dump());
  Write(DumpCommand{});
  Write(CloseCommand{});
}

void ScriptRecorder::Write(const ScriptCommand& command) {
  const std::int64_t now = runtime_->Now();
  if (now > written_) {
    out_ << FormatScriptLine(WaitCommand{now - written_}) << '\n';
    written_ = now;
  }
  // Line by line, so that a game that ends abruptly leaves what was played until then.
  out_ << FormatScriptLine(command) << '\n' << std::flush;
}

void ScriptRecorder::Note(const std::string& line) {
  out_ << "# " << line << '\n' << std::flush;
}

}  // namespace reddoor
