#pragma once
// The command line: what the player asks of the program.
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "game/window.hpp"

namespace reddoor {

struct CommandLine {
  std::string script;             // --script FILE: the headless run
  std::optional<WindowId> start;  // --start LevelN
  std::string renderWindow;       // --render WINDOW FILE.png
  std::string renderFile;
  int scale = 0;              // --scale N; 0: not given
  bool fullscreen = false;    // --fullscreen
  std::string recording;      // --record FILE
  std::string timingLog;      // --timing-log FILE
  bool timer = false;         // --timer
  int speed = 0;              // --speed PERCENT; 0: not given
  std::string verify;         // --verify FILE
  bool printKeys = false;     // --keys
  bool printRecords = false;  // --records
};

// Reads the arguments. For --help and --version, and for a usage error ("reddoor: " and the
// reason, and where to find help, on `err`), returns the exit status instead: 0 and 2.
std::variant<CommandLine, int> ParseCommandLine(int argc, const char* const* argv,
                                                std::ostream& out, std::ostream& err);

}  // namespace reddoor
