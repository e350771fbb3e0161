// Red Door: start-up and the command line.
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/script.hpp"
#include "platform/sdl/media.hpp"
#include "platform/sdl/windowed.hpp"
#include "scene/fault.hpp"
#include "scene/renderer.hpp"

namespace {

using reddoor::FormId;

const std::map<std::string, FormId> kStartWindows = {
    {"Level1", FormId::Level1}, {"Level2", FormId::Level2}, {"Level3", FormId::Level3}};

const std::map<std::string, const reddoor::WindowLayout& (*)()> kLayouts = {
    {"Intro", reddoor::IntroLayout},
    {"Level1", reddoor::Level1Layout},
    {"Level2", reddoor::Level2Layout},
    {"Level3", reddoor::Level3Layout},
    {"Finish", reddoor::FinishLayout}};

// Fonts and pictures are opened only when the first screenshot is taken.
reddoor::Screenshooter MakeScreenshooter() {
  auto media = std::make_shared<std::unique_ptr<reddoor::SdlMedia>>();
  return [media](const reddoor::Form& form, const std::string& path) {
    if (!*media) *media = std::make_unique<reddoor::SdlMedia>();
    reddoor::Renderer renderer(**media, **media);
    reddoor::Canvas canvas;
    renderer.Draw(form.Controls(), canvas);
    reddoor::WritePng(canvas, path);
  };
}

int RunScriptFile(const std::string& file, FormId start) {
  reddoor::ScriptOptions options{start, MakeScreenshooter()};
  if (file == "-") return reddoor::RunScript(std::cin, std::cout, std::cerr, options);
  std::ifstream in(file);
  // A directory opens like a file; only reading it fails.
  if (!in || (in.peek(), in.bad())) {
    std::cerr << "reddoor: cannot read the script " << file << ": " << std::strerror(errno)
              << '\n';
    return 1;
  }
  return reddoor::RunScript(in, std::cout, std::cerr, options);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Red Door: a little man, three screens of blocks, coins, water and monsters, "
               "a red door, and a bird at the end."};
  app.name("reddoor");
  app.set_version_flag("--version", std::string("reddoor ") + REDDOOR_VERSION);

  std::string script;
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
  int scale = 1;
  app.add_option("--scale", scale, "Draw the windows N times their size")
      ->check(CLI::Range(1, 8))
      ->option_text("N");
  std::string timingLog;
  app.add_option("--timing-log", timingLog,
                 "In the real windows, log the time of every timer tick and drawn frame to FILE")
      ->option_text("FILE");
  CLI11_PARSE(app, argc, argv);

  const FormId first = start.empty() ? FormId::Intro : kStartWindows.at(start);
  try {
    if (!render.empty()) {
      const auto layout = kLayouts.find(render[0]);
      if (layout == kLayouts.end()) {
        std::cerr << "reddoor: --render: unknown window " << render[0]
                  << " (Intro, Level1, Level2, Level3 or Finish)\n";
        return 2;
      }
      reddoor::RenderWindowToPng(layout->second(), render[1]);
      return 0;
    }
    if (!script.empty()) return RunScriptFile(script, first);
    return reddoor::RunWindowed({first, scale, timingLog});
  } catch (const reddoor::GameFault& e) {
    std::cerr << "reddoor: " << e.what() << '\n';
    return 1;
  }
}
