// Any bytes as a script of the scripted run: the run ends with its exit status, never with a
// crash, a hang or a sanitizer report. A first line "# args: ..." is read as the golden scripts'
// and the recordings' arguments line.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <variant>

#include "scripted/script.hpp"
#include "scripted/script_run.hpp"

namespace {

// Long waits only make the run slow, not different: a script may wait this long in all.
constexpr std::int64_t kWaitBudgetMs = 40'000;

std::int64_t TotalWait(const std::string& script) {
  std::istringstream lines(script);
  std::int64_t total = 0;
  for (std::string line; std::getline(lines, line) && total <= kWaitBudgetMs;) {
    try {
      const auto command = reddoor::ParseScriptLine(line);
      if (const auto* wait = command ? std::get_if<reddoor::WaitCommand>(&*command) : nullptr) {
        total += wait->ms > kWaitBudgetMs ? kWaitBudgetMs + 1 : wait->ms;
      }
    } catch (const reddoor::ScriptLineError&) {
      break;  // the run stops at a bad line
    }
  }
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  if (TotalWait(script) > kWaitBudgetMs) return -1;  // not worth keeping
  std::istringstream in(script);
  std::ostringstream out, err;
  // The run reads the start from the script's first line, as a replay does. No screenshooter: a
  // screenshot line is a fault of the run, and no file is written.
  reddoor::RunScript(in, out, err, reddoor::ScriptOptions{});
  return 0;
}
