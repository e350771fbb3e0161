#include "app/command_line.hpp"

#include <CLI/CLI.hpp>

#include "app/settings.hpp"
#include "app/user_paths.hpp"
#include "base/geometry.hpp"

namespace reddoor {

std::variant<CommandLine, int> ParseCommandLine(int argc, const char* const* argv,
                                                std::ostream& out, std::ostream& err) {
  CLI::App app{
      "Red Door: a little man, three screens of blocks, coins, water and monsters, "
      "a red door, and a bird at the end.\n"
      "Keys: Left and Right walk, Space jumps, E calls the bird on the last level, "
      "P pauses, F11 or Alt+Enter switches to fullscreen, Escape leaves it, T shows the run "
      "timer; the settings may map other keys."};
  app.name("reddoor");
  // Options are written --like-this everywhere; on Windows CLI11 would also take /word for one,
  // and so a file name like /tmp/shot.png.
  app.allow_windows_style_options(false);
  app.get_formatter()->column_width(32);  // every option on one line
  app.set_version_flag("--version", std::string("reddoor ") + REDDOOR_VERSION);
  app.footer("The scale, fullscreen, timer and speed last chosen, and the key map, are kept in " +
             SettingsPathForHelp() + "; the command line goes first. The best times are kept in " +
             RecordsPathForHelp() + ".");

  CommandLine line;
  std::string start;
  std::vector<std::string> startNames;
  for (WindowId id : kStartWindows) startNames.emplace_back(WindowName(id));
  auto* script =
      app.add_option("--script", line.script,
                     "Run the game headless from a script (FILE, or - for standard input)")
          ->option_text("FILE");
  auto* startOption =
      app.add_option("--start", start, "Start on a level instead of the title window")
          ->check(CLI::IsMember(startNames))
          ->option_text(WindowNames(kStartWindows, "|"));
  std::vector<std::string> render;
  auto* renderOption =
      app.add_option("--render", render,
                     "Write a window as its layout draws it, before the game starts, to a PNG file")
          ->expected(2)
          ->option_text("WINDOW FILE.png");
  app.add_option("--scale", line.scale,
                 "Draw N times the size; default: the largest that fits the screen (1 for PNGs)")
      ->check(CLI::Range(1, kMaxScale))
      ->option_text("N");
  // The text stands in for what CLI11 would print after a flag: the options it excludes.
  auto* fullscreen =
      app.add_flag("--fullscreen", line.fullscreen, "Start in fullscreen")->option_text(" ");
  auto* record =
      app.add_option("--record", line.recording,
                     "Record the game played in the window as a script that --script replays")
          ->option_text("FILE");
  auto* timingLog =
      app.add_option(
             "--timing-log", line.timingLog,
             "In the real windows, log the time of every timer tick and drawn frame to FILE")
          ->option_text("FILE");
  auto* timer = app.add_flag("--timer", line.timer, "Show the run timer (T shows and hides it)")
                    ->option_text(" ");
  auto* speed = app.add_option("--speed", line.speed,
                               "Run the game at PERCENT of full speed, 25 to 100 (best times "
                               "count only at 100)")
                    ->check(CLI::Range(kSlowestSpeed, kFullSpeed))
                    ->option_text("PERCENT");
  auto* verify =
      app.add_option("--verify", line.verify,
                     "Replay a recording headless and check that it plays as it was played")
          ->option_text("FILE");
  auto* keys =
      app.add_flag("--keys", line.printKeys, "Print the key map and end")->option_text(" ");
  auto* records = app.add_flag("--records", line.printRecords, "Print the best times and end")
                      ->option_text(" ");
  // What only the real windows do cannot go with a headless run or a picture of a layout.
  for (CLI::Option* windowed : {record, timingLog, fullscreen, timer, speed}) {
    windowed->excludes(script)->excludes(renderOption)->excludes(verify);
  }
  renderOption->excludes(script)->excludes(startOption);
  verify->excludes(script)->excludes(renderOption)->excludes(startOption);
  // The questions answered at once go alone.
  for (CLI::Option* question : {keys, records}) {
    for (CLI::Option* other :
         {script, startOption, renderOption, record, timingLog, fullscreen, timer, speed, verify}) {
      question->excludes(other);
    }
  }
  keys->excludes(records);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
      return app.exit(e, out, err);
    err << "reddoor: " << e.what() << "\nRun reddoor --help to see the options.\n";
    return 2;
  }
  line.start = WindowNamed(start, kStartWindows);
  if (!render.empty()) {
    line.renderWindow = render[0];
    line.renderFile = render[1];
  }
  return line;
}

}  // namespace reddoor
