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
#include "app/settings.hpp"
#include "base/fault.hpp"
#include "scripted/recording.hpp"
#include "scripted/script_run.hpp"
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
  const reddoor::ScriptOptions options{line.start, MakeScreenshooter(scale)};
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
  if (line.scale > 0) settings.scale = line.scale;
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
                                   .timingLog = line.timingLog,
                                   .recorder = nullptr};
  std::ofstream file;
  std::optional<reddoor::ScriptRecorder> recorder;
  if (!line.recording.empty()) {
    file.open(line.recording);
    if (!file) {
      std::cerr << "reddoor: cannot write the recording " << line.recording << ": "
                << std::strerror(errno) << '\n';
      return 1;
    }
    options.recorder = &recorder.emplace(file, options.start, line.recording);
  }
  const int status = reddoor::RunWindowed(options);
  // What the command line chose is kept once the game has run.
  if (status == 0 && line.scale > 0) settingsFile.Save(settings);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = reddoor::ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const CommandLine& line = std::get<CommandLine>(parsed);
  const int pictureScale = line.scale > 0 ? line.scale : 1;
  try {
    if (!line.renderWindow.empty()) return RenderLayout(line, pictureScale);
    if (!line.script.empty()) return RunScriptFile(line, pictureScale);
    return PlayInWindows(line);
  } catch (const reddoor::GameFault& e) {
    std::cerr << "reddoor: " << e.what() << '\n';
    return 1;
  }
}
