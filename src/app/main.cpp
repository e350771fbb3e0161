// Red Door: start-up.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "app/command_line.hpp"
#include "app/records_file.hpp"
#include "app/settings.hpp"
#include "base/fault.hpp"
#include "scripted/recording.hpp"
#include "scripted/records.hpp"
#include "scripted/script_run.hpp"
#include "scripted/verify.hpp"
#include "sdl/event_loop.hpp"
#include "sdl/media.hpp"

namespace {

using reddoor::CommandLine;
using reddoor::WindowId;

// Fonts and pictures are opened only when the first screenshot is taken.
reddoor::Screenshooter MakeScreenshooter(int scale) {
  auto media = std::make_shared<std::unique_ptr<reddoor::SdlMedia>>();
  return [media, scale](const reddoor::Window& window, const std::string& path) {
    if (!*media) *media = std::make_unique<reddoor::SdlMedia>();
    reddoor::WriteScenePng(**media, window.Contents(), scale, path);
  };
}

int RunScriptFile(const CommandLine& line, int scale) {
  const reddoor::ScriptOptions options{line.start, MakeScreenshooter(scale), {}};
  if (line.script == "-") return reddoor::RunScript(std::cin, std::cout, std::cerr, options);
  std::ifstream in(line.script);
  // A directory opens like a file; only reading it fails.
  if (!in || (in.peek(), in.bad())) {
    std::cerr << "reddoor: cannot read the script " << line.script << ": " << std::strerror(errno)
              << '\n';
    return 1;
  }
  return reddoor::RunScript(in, std::cout, std::cerr, options);
}

int PrintKeys() {
  const reddoor::Settings settings = reddoor::SettingsFile::FromEnvironment(std::cerr).Load();
  std::cout << reddoor::FormatKeyMap(settings.keys);
  return 0;
}

int PrintRecords() {
  reddoor::RecordsFile file = reddoor::RecordsFile::FromEnvironment(std::cerr);
  std::cout << reddoor::DescribeBestTimes(file.Load());
  if (!file.Path().empty()) std::cout << "Kept in " << file.Path().string() << '\n';
  return 0;
}

// The run timer as the player left it; only full-speed runs set best times.
reddoor::RunTimerOptions TimerOptions(reddoor::Settings& settings,
                                      reddoor::SettingsFile& settingsFile,
                                      reddoor::RecordsFile& records) {
  reddoor::RunTimerOptions timer{.shown = settings.timer,
                                 .shownChanged =
                                     [&settings, &settingsFile](bool shown) {
                                       settings.timer = shown;
                                       settingsFile.Save(settings);
                                     },
                                 .best = records.Load(),
                                 .progressed = {}};
  if (settings.speed == reddoor::kFullSpeed) {
    timer.progressed = [&records](const reddoor::RunTimer& run) { records.Keep(run); };
  }
  return timer;
}

int RenderLayout(const CommandLine& line, int scale) {
  const std::optional<reddoor::WindowId> window = reddoor::WindowNamed(line.renderWindow);
  if (!window) {
    std::cerr << "reddoor: --render: unknown window " << line.renderWindow << " ("
              << reddoor::WindowNames(reddoor::kAllWindows, ", ") << ")\n";
    return 2;
  }
  const auto layout = reddoor::AllLayouts()[static_cast<std::size_t>(*window)];
  reddoor::RenderWindowToPng(*layout, scale, line.renderFile);
  return 0;
}

// The scale and fullscreen come from the command line, else from the settings kept from the
// last game; what the player chooses is kept for the next.
int PlayInWindows(const CommandLine& line) {
  reddoor::SettingsFile settingsFile = reddoor::SettingsFile::FromEnvironment(std::cerr);
  reddoor::Settings settings = settingsFile.Load();
  reddoor::RecordsFile records = reddoor::RecordsFile::FromEnvironment(std::cerr);
  if (line.scale > 0) settings.scale = line.scale;
  if (line.speed > 0) settings.speed = line.speed;
  settings.timer = settings.timer || line.timer;
  reddoor::WindowedOptions options{.start = line.start.value_or(WindowId::Intro),
                                   .scale = settings.scale,
                                   .fullscreen = line.fullscreen || settings.fullscreen,
                                   // A scale asked for that does not fit is not kept.
                                   .scaleChosen =
                                       [&](int scale) {
                                         if (settings.scale == 0 || scale == settings.scale) return;
                                         settings.scale = scale;
                                         settingsFile.Save(settings);
                                       },
                                   .fullscreenChanged =
                                       [&](bool fullscreen) {
                                         settings.fullscreen = fullscreen;
                                         settingsFile.Save(settings);
                                       },
                                   .speedPercent = settings.speed,
                                   .keys = settings.keys,
                                   .timer = TimerOptions(settings, settingsFile, records),
                                   .timingLog = line.timingLog,
                                   .recorder = nullptr};
  std::ofstream file;
  std::optional<reddoor::ScriptRecorder> recorder;
  if (!line.recording.empty()) {
    // Lines end in "\n" on Windows too: a recording replays on either system.
    file.open(line.recording, std::ios::binary);
    if (!file) {
      std::cerr << "reddoor: cannot write the recording " << line.recording << ": "
                << std::strerror(errno) << '\n';
      return 1;
    }
    options.recorder = &recorder.emplace(file, options.start, line.recording);
  }
  const int status = reddoor::RunWindowed(options);
  // What the command line chose is kept once the game has run.
  if (status == 0 && (line.scale > 0 || line.speed > 0 || line.timer)) settingsFile.Save(settings);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = reddoor::ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const CommandLine& line = std::get<CommandLine>(parsed);
  const int pictureScale = line.scale > 0 ? line.scale : 1;
  try {
    if (line.printKeys) return PrintKeys();
    if (line.printRecords) return PrintRecords();
    if (!line.verify.empty()) {
      return reddoor::VerifyRecordingFile(line.verify, std::cout, std::cerr);
    }
    if (!line.renderWindow.empty()) return RenderLayout(line, pictureScale);
    if (!line.script.empty()) return RunScriptFile(line, pictureScale);
    return PlayInWindows(line);
  } catch (const reddoor::GameFault& e) {
    std::cerr << "reddoor: " << e.what() << '\n';
    return 1;
  }
}
