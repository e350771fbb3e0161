// Red Door under node: the scripted run, as `reddoor --script FILE` runs it on the desktop, and
// a recording checked with --verify FILE, with the same output, errors and exit statuses. There
// are no fonts here, so no screenshots.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/fault.hpp"
#include "game/window.hpp"
#include "scripted/script_run.hpp"
#include "scripted/verify.hpp"

namespace {

int RunScriptFile(const std::string& path, const reddoor::ScriptOptions& options) {
  if (path == "-") return reddoor::RunScript(std::cin, std::cout, std::cerr, options);
  std::ifstream in(path);
  // A directory opens like a file; only reading it fails.
  if (!in || (in.peek(), in.bad())) {
    std::cerr << "reddoor: cannot read the script " << path << ": " << std::strerror(errno) << '\n';
    return 1;
  }
  return reddoor::RunScript(in, std::cout, std::cerr, options);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Red Door under node: the game headless, from a script or a recording."};
  app.name("reddoor");
  app.get_formatter()->column_width(32);
  app.set_version_flag("--version", std::string("reddoor ") + REDDOOR_VERSION);
  std::string script;
  std::string start;
  std::vector<std::string> startNames;
  for (reddoor::WindowId id : reddoor::kStartWindows) {
    startNames.emplace_back(reddoor::WindowName(id));
  }
  std::string verify;
  auto* scriptOption = app.add_option("--script", script,
                                      "Run the game from a script (FILE, or - for standard input)")
                           ->option_text("FILE");
  auto* startOption =
      app.add_option("--start", start, "Start on a level instead of the title window")
          ->check(CLI::IsMember(startNames))
          ->option_text(reddoor::WindowNames(reddoor::kStartWindows, "|"));
  auto* verifyOption =
      app.add_option("--verify", verify,
                     "Replay a recording headless and check that it plays as it was played")
          ->option_text("FILE");
  verifyOption->excludes(scriptOption)->excludes(startOption);
  try {
    app.parse(argc, argv);
    if (script.empty() && verify.empty()) throw CLI::RequiredError("--script or --verify");
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
    std::cerr << "reddoor: " << e.what() << "\nRun reddoor --help to see the options.\n";
    return 2;
  }
  try {
    if (!verify.empty()) return reddoor::VerifyRecordingFile(verify, std::cout, std::cerr);
    // No screenshooter: a "screenshot" line ends the run with that fault.
    const reddoor::ScriptOptions options{
        reddoor::WindowNamed(start, reddoor::kStartWindows), {}, {}};
    return RunScriptFile(script, options);
  } catch (const reddoor::GameFault& e) {
    std::cerr << "reddoor: " << e.what() << '\n';
    return 1;
  }
}
