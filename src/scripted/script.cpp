#include "scripted/script.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <charconv>
#include <sstream>
#include <vector>

#include "base/fault.hpp"

namespace reddoor {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

constexpr std::pair<std::string_view, KeyCommand::Action> kKeyActions[] = {
    {"down", KeyCommand::Action::Down},
    {"up", KeyCommand::Action::Up},
    {"tap", KeyCommand::Action::Tap}};

[[noreturn]] void Bad(std::string reason) {
  throw ScriptLineError{std::move(reason)};
}

void ExpectWords(const std::vector<std::string>& words, std::size_t count, const char* usage) {
  if (words.size() < count) Bad(fmt::format("missing argument; usage: {}", usage));
  if (words.size() > count) Bad(fmt::format("extra words after the command; usage: {}", usage));
}

std::int64_t ParseMilliseconds(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') Bad(fmt::format("{} is not a whole number of ms", Quoted(text)));
  }
  std::int64_t ms = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
  if (error != std::errc{} || ms > kLongestWaitMs) {
    Bad(fmt::format("wait {}: a wait is at most {} ms (24.8 days)", Quoted(text), kLongestWaitMs));
  }
  return ms;
}

Key ParseKey(const std::string& name) {
  const std::optional<Key> key = KeyFromName(name);
  if (!key) Bad(fmt::format("unknown key {} (keys: Right, Left, Space, E)", Quoted(name)));
  return *key;
}

}  // namespace

std::optional<WindowId> ParseArgsLine(const std::string& line) {
  constexpr std::string_view kArgs = "# args:";
  if (!line.starts_with(kArgs)) return std::nullopt;
  const std::vector<std::string> words = Words(line.substr(kArgs.size()));
  const std::optional<WindowId> start = words.size() == 2 && words[0] == "--start"
                                            ? WindowNamed(words[1], kStartWindows)
                                            : std::nullopt;
  if (!start) {
    Bad(fmt::format("the arguments line takes only --start {}", WindowNames(kStartWindows, "|")));
  }
  return start;
}

std::optional<ScriptCommand> ParseScriptLine(const std::string& line) {
  const std::vector<std::string> words = Words(line);
  if (words.empty() || words[0][0] == '#') return std::nullopt;
  const std::string& command = words[0];
  if (command == "wait") {
    ExpectWords(words, 2, "wait N");
    return WaitCommand{ParseMilliseconds(words[1])};
  }
  for (const auto& [name, action] : kKeyActions) {
    if (command != name) continue;
    ExpectWords(words, 2, "down|up|tap KEY");
    return KeyCommand{action, ParseKey(words[1])};
  }
  if (command == "click") {
    ExpectWords(words, 2, "click Play");
    if (words[1] != "Play")
      Bad(fmt::format("unknown button {} (the button is Play)", Quoted(words[1])));
    return ClickCommand{};
  }
  if (command == "dump") return DumpCommand{{words.begin() + 1, words.end()}};
  if (command == "screenshot") {
    ExpectWords(words, 2, "screenshot PATH");
    return ScreenshotCommand{words[1]};
  }
  if (command == "close") {
    ExpectWords(words, 1, "close");
    return CloseCommand{};
  }
  Bad(fmt::format("unknown command {}", Quoted(command)));
}

namespace {

std::string_view ActionName(KeyCommand::Action action) {
  for (const auto& [name, named] : kKeyActions) {
    if (named == action) return name;
  }
  return "";
}

struct LineFormat {
  std::string operator()(const WaitCommand& c) const { return fmt::format("wait {}", c.ms); }
  std::string operator()(const KeyCommand& c) const {
    return fmt::format("{} {}", ActionName(c.action), KeyName(c.key));
  }
  std::string operator()(const ClickCommand&) const { return "click Play"; }
  std::string operator()(const DumpCommand& c) const {
    return c.controls.empty() ? "dump" : fmt::format("dump {}", fmt::join(c.controls, " "));
  }
  std::string operator()(const ScreenshotCommand& c) const { return "screenshot " + c.path; }
  std::string operator()(const CloseCommand&) const { return "close"; }
};

}  // namespace

std::string FormatScriptLine(const ScriptCommand& command) {
  return std::visit(LineFormat{}, command);
}

}  // namespace reddoor
