// The game in a web page: the functions the page's script (src/web/page/page.js) calls, and
// the page's screen. Every call returns at once; a fault of the game is shown on the page and
// ends the game there.
#include <emscripten.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/fault.hpp"
#include "scripted/recording.hpp"
#include "web/browser_text.hpp"
#include "web/page_game.hpp"
#include "web/picture_decoder.hpp"

EM_JS(void, RedDoorCaption, (const char* caption),
      { Module.redDoorPage.caption(UTF8ToString(caption)); });
EM_JS(void, RedDoorShow, (const void* rgba, int width, int height, const int* rects, int count), {
  const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  Module.redDoorPage.show(pixels, width, height,
                          HEAP32.slice(rects >> 2, (rects >> 2) + 4 * count));
});
EM_JS(void, RedDoorFault, (const char* text), { Module.redDoorPage.fault(UTF8ToString(text)); });

namespace {

using reddoor::PageGame;
using reddoor::PageKey;
using reddoor::PixelRect;

class CanvasScreen final : public reddoor::PageScreen {
 public:
  void SetCaption(std::string_view caption) override {
    RedDoorCaption(std::string(caption).c_str());
  }
  void Show(const std::uint32_t* rgba, int width, int height,
            std::span<const PixelRect> changed) override {
    rects_.clear();
    for (const PixelRect& r : changed)
      rects_.insert(rects_.end(), {r.left, r.top, r.right, r.bottom});
    RedDoorShow(rgba, width, height, rects_.data(), static_cast<int>(changed.size()));
  }

 private:
  std::vector<int> rects_;
};

struct Page {
  reddoor::BrowserText text;
  reddoor::DecodedPictures pictures;
  CanvasScreen screen;
  std::ostringstream recording;
  std::optional<reddoor::ScriptRecorder> recorder;
  std::optional<PageGame> game;
  std::string answer;  // text handed to the page, kept until the next call
  bool ended = false;
};

Page& ThePage() {
  static Page page;
  return page;
}

// Runs a call into the game; a fault ends the game and is shown on the page.
template <typename F>
void Guarded(F&& call) {
  Page& page = ThePage();
  if (page.ended || !page.game) return;
  try {
    call(*page.game);
  } catch (const reddoor::GameFault& fault) {
    page.ended = true;
    RedDoorFault(fault.what());
  }
}

}  // namespace

extern "C" {

// Starts the game on window `start` (0 the title window, 1-3 a level) at the page's time `now`.
EMSCRIPTEN_KEEPALIVE void RedDoorStart(double now, int start, int width, int height, int largest) {
  Page& page = ThePage();
  const auto window = static_cast<reddoor::WindowId>(start >= 0 && start <= 3 ? start : 0);
  try {
    page.game.emplace(page.text, page.pictures, page.screen, now);
    page.recorder.emplace(page.recording, window, "the recording");
    page.game->Fit(width, height, largest);
    page.game->Start(window, &*page.recorder);
    page.game->Fit(width, height, largest);
  } catch (const reddoor::GameFault& fault) {
    page.ended = true;
    RedDoorFault(fault.what());
  }
}

EMSCRIPTEN_KEEPALIVE void RedDoorFit(int width, int height, int largest) {
  Guarded([&](PageGame& game) { game.Fit(width, height, largest); });
}

// Runs the ticks due; returns the ms until the next one, -1 when none comes without input.
EMSCRIPTEN_KEEPALIVE double RedDoorFrame(double now) {
  double until = -1;
  Guarded([&](PageGame& game) {
    game.Frame(now);
    until = game.UntilDue(now);
  });
  return until;
}

// `key` is a PageKey: 0 Left, 1 Right, 2 Space, 3 E, 4 Return, 5 Escape, 6 P.
EMSCRIPTEN_KEEPALIVE void RedDoorKey(int key, int down, double now) {
  if (key < 0 || key > static_cast<int>(PageKey::Pause)) return;
  Guarded([&](PageGame& game) { game.KeyChanged(static_cast<PageKey>(key), down != 0, now); });
}

// Gamepad `pad` as read this frame: bit i of `buttons` is button i of the browser's standard
// mapping, `stickX` the left stick's X from -32768 (left) to 32767.
EMSCRIPTEN_KEEPALIVE void RedDoorPad(int pad, int buttons, int stickX, double now) {
  Guarded(
      [&](PageGame& game) { game.PadRead(pad, static_cast<std::uint32_t>(buttons), stickX, now); });
}

EMSCRIPTEN_KEEPALIVE void RedDoorPadGone(int pad, double now) {
  Guarded([&](PageGame& game) { game.PadGone(pad, now); });
}

EMSCRIPTEN_KEEPALIVE void RedDoorClick(int fromX, int fromY, int x, int y, double now) {
  Guarded([&](PageGame& game) { game.Click(fromX, fromY, x, y, now); });
}

EMSCRIPTEN_KEEPALIVE void RedDoorAway(int away, double now) {
  Guarded([&](PageGame& game) { game.SetAway(away != 0, now); });
}

// The game so far as a script that `reddoor --script` replays, ending with how it stands now.
EMSCRIPTEN_KEEPALIVE const char* RedDoorRecording() {
  Page& page = ThePage();
  page.answer.clear();
  if (!page.game || !page.recorder) return page.answer.c_str();
  const std::string before = page.recording.str();
  // A copy of the recorder writes the ending, which the game going on leaves out again.
  reddoor::ScriptRecorder ending = *page.recorder;
  ending.Ended(page.game->Game());
  page.answer = page.recording.str();
  page.recording.str(before);
  page.recording.seekp(0, std::ios::end);
  return page.answer.c_str();
}

// What the page's tests read: "window|paused|keys down|message text", the keys as "Left Right".
EMSCRIPTEN_KEEPALIVE const char* RedDoorState() {
  Page& page = ThePage();
  page.answer.clear();
  if (!page.game) return page.answer.c_str();
  reddoor::Runtime& game = page.game->Game();
  const reddoor::Window* visible = game.VisibleWindow();
  page.answer = std::string(visible ? visible->Name() : "") + "|" +
                (page.game->Paused() ? "paused" : "running") + "|";
  for (reddoor::Key key : reddoor::kKeys) {
    if (!game.IsKeyDown(key)) continue;
    if (page.answer.back() != '|') page.answer += ' ';
    page.answer += reddoor::KeyName(key);
  }
  page.answer += "|" + std::string(game.MessageText());
  return page.answer.c_str();
}

}  // extern "C"
