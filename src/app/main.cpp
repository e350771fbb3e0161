// Red Door: start-up and the command line.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/recording.hpp"
#include "app/script.hpp"
#include "base/fault.hpp"
#include "base/geometry.hpp"
#include "scene/renderer.hpp"
#include "sdl/media.hpp"
#include "sdl/windowed.hpp"

namespace {

using reddoor::FormId;

const std::map<std::string, FormId> kStartWindows = {
    {"Level1", FormId::Level1}, {"Level2", FormId::Level2}, {"Level3", FormId::Level3}};

const reddoor::WindowLayout* FindLayout(const std::string& name) {
  for (const reddoor::WindowLayout* layout : reddoor::AllLayouts()) {
    if (layout->name == name) return layout;
  }
  return nullptr;
}

// Fonts and pictures are opened only when the first screenshot is taken.
reddoor::Screenshooter MakeScreenshooter(int scale) {
  auto media = std::make_shared<std::unique_ptr<reddoor::SdlMedia>>();
  return [media, scale](const reddoor::Form& form, const std::string& path) {
    if (!*media) *media = std::make_unique<reddoor::SdlMedia>();
    reddoor::Renderer renderer(**media, **media, scale);
    reddoor::Canvas canvas;
    renderer.Draw(form.Controls(), canvas);
    reddoor::WritePng(canvas, path);
  };
}

int RunScriptFile(const std::string& file, FormId start, int scale) {
  reddoor::ScriptOptions options{start, MakeScreenshooter(scale)};
  if (file == "-") return reddoor::RunScript(std::cin, std::cout, std::cerr, options);
  std::ifstream in(file);
  // A directory opens like a file; only reading it fails.
  if (!in || (in.peek(), in.bad())) {
    std::cerr << "reddoor: cannot read the script " << file << ": " << std::strerror(errno) << '\n';
    return 1;
  }
  return reddoor::RunScript(in, std::cout, std::cerr, options);
}

int RenderLayout(const std::string& name, int scale, const std::string& path) {
  const reddoor::WindowLayout* layout = FindLayout(name);
  if (!layout) {
    std::cerr << "reddoor: --render: unknown window " << name
              << " (Intro, Level1, Level2, Level3 or Finish)\n";
    return 2;
  }
  reddoor::RenderWindowToPng(*layout, scale, path);
  return 0;
}

int PlayInWindows(reddoor::WindowedOptions options, const std::string& recording) {
  if (recording.empty()) return reddoor::RunWindowed(options);
  std::ofstream file(recording);
  if (!file) {
    std::cerr << "reddoor: cannot write the recording " << recording << ": " << std::strerror(errno)
              << '\n';
    return 1;
  }
  reddoor::ScriptRecorder recorder(file, options.start);
  options.recorder = &recorder;
  return reddoor::RunWindowed(options);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Red Door: a little man, three screens of blocks, coins, water and monsters, "
      "a red door, and a bird at the end.\n"
      "Keys: Left and Right walk, Space jumps, E calls the bird on the last level, "
      "P pauses, F11 or Alt+Enter switches to fullscreen."};
  app.name("reddoor");
  app.get_formatter()->column_width(32);  // every option on one line
  app.set_version_flag("--version", std::string("reddoor ") + REDDOOR_VERSION);

  std::string script;
  auto* scriptOption =
      app.add_option("--script", script,
                     "Run the game headless from a script (FILE, or - for standard input)")
          ->option_text("FILE");
  std::string start;
  app.add_option("--start", start, "Start on a level instead of the title window")
      ->check(CLI::IsMember(kStartWindows))
      ->option_text("Level1|Level2|Level3");
  std::vector<std::string> render;
  app.add_option("--render", render,
                 "Write a window as its layout draws it, before the game starts, to a PNG file")
      ->expected(2)
      ->option_text("WINDOW FILE.png");
  int scale = 0;
  app.add_option("--scale", scale,
                 "Draw N times the size; default: the largest that fits the screen (1 for PNGs)")
      ->check(CLI::Range(1, reddoor::kMaxScale))
      ->option_text("N");
  std::string recording;
  app.add_option("--record", recording,
                 "Record the game played in the window as a script that --script replays")
      ->option_text("FILE")
      ->excludes(scriptOption);
  std::string timingLog;
  app.add_option("--timing-log", timingLog,
                 "In the real windows, log the time of every timer tick and drawn frame to FILE")
      ->option_text("FILE");
  CLI11_PARSE(app, argc, argv);

  const FormId first = start.empty() ? FormId::Intro : kStartWindows.at(start);
  const int pictureScale = scale > 0 ? scale : 1;
  try {
    if (!render.empty()) return RenderLayout(render[0], pictureScale, render[1]);
    if (!script.empty()) return RunScriptFile(script, first, pictureScale);
    return PlayInWindows({first, scale, timingLog, nullptr}, recording);
  } catch (const reddoor::GameFault& e) {
    std::cerr << "reddoor: " << e.what() << '\n';
    return 1;
  }
}
