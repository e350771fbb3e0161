// The game in a web page: the functions the page's script (src/web/page/page.js) calls, and
// the page's screen. Every call returns at once; a fault of the game is shown on the page and
// ends the game there.
#include <emscripten.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/fault.hpp"
#include "scripted/key_map_json.hpp"
#include "scripted/recording.hpp"
#include "scripted/records.hpp"
#include "web/browser_text.hpp"
#include "web/page_game.hpp"
#include "web/page_records.hpp"
#include "web/picture_decoder.hpp"

EM_JS(void, RedDoorCaption, (const char* caption),
      { Module.redDoorPage.caption(UTF8ToString(caption)); });
EM_JS(void, RedDoorShow, (const void* rgba, int width, int height, const int* rects, int count), {
  const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  Module.redDoorPage.show(pixels, width, height,
                          HEAP32.slice(rects >> 2, (rects >> 2) + 4 * count));
});
EM_JS(void, RedDoorFault, (const char* text), { Module.redDoorPage.fault(UTF8ToString(text)); });
EM_JS(void, RedDoorNote, (const char* text), { Module.redDoorPage.note(UTF8ToString(text)); });
EM_JS(void, RedDoorFullscreen, (), { Module.redDoorPage.fullscreen(); });
EM_JS(void, RedDoorTimerShown, (int shown), { Module.redDoorPage.timerShown(shown != 0); });
EM_JS(void, RedDoorBestTimes, (const char* text),
      { Module.redDoorPage.bestTimes(UTF8ToString(text)); });
// The browser's storage, through the page, which tells the player when the browser refuses it.
EM_JS(int, RedDoorStoredSize, (const char* key), {
  const value = Module.redDoorPage.storage.get(UTF8ToString(key));
  return value == null ? -1 : lengthBytesUTF8(value);
});
EM_JS(void, RedDoorStoredCopy, (const char* key, char* to, int size),
      { stringToUTF8(Module.redDoorPage.storage.get(UTF8ToString(key)) || String(), to, size); });
EM_JS(void, RedDoorStore, (const char* key, const char* value),
      { Module.redDoorPage.storage.set(UTF8ToString(key), value ? UTF8ToString(value) : null); });

namespace {

using reddoor::PageGame;
using reddoor::PixelRect;

// The best times' key in the browser's storage, and where a damaged value is kept aside.
constexpr const char* kRecordsKey = "reddoor.records";
constexpr const char* kRecordsAsideKey = "reddoor.records.damaged";

class BrowserRecords final : public reddoor::RecordsStorage {
 public:
  std::optional<std::string> Read() override {
    const int size = RedDoorStoredSize(kRecordsKey);
    if (size < 0) return std::nullopt;
    std::string value(static_cast<std::size_t>(size) + 1, '\0');
    RedDoorStoredCopy(kRecordsKey, value.data(), size + 1);
    value.resize(static_cast<std::size_t>(size));
    return value;
  }
  void Write(std::string_view value) override {
    RedDoorStore(kRecordsKey, std::string(value).c_str());
  }
  std::string SetAside() override {
    RedDoorStore(kRecordsAsideKey, Read().value_or("").c_str());
    RedDoorStore(kRecordsKey, nullptr);
    return kRecordsAsideKey;
  }
  void Note(std::string_view text) override { RedDoorNote(std::string(text).c_str()); }
};

void ShowBestTimes(const reddoor::BestTimes& best) {
  RedDoorBestTimes(reddoor::DescribeBestTimes(best).c_str());
}

class CanvasScreen final : public reddoor::PageScreen {
 public:
  explicit CanvasScreen(int speedPercent) : speedPercent_(speedPercent) {}
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
  void ToggleFullscreen() override { RedDoorFullscreen(); }
  void TimerShown(bool shown) override { RedDoorTimerShown(shown ? 1 : 0); }
  // Only whole runs at full speed count; the records leave out runs not from the title.
  void RunProgressed(const reddoor::RunTimer& run) override {
    if (speedPercent_ == 100) ShowBestTimes(records_.Keep(run));
  }
  reddoor::PageRecords& Records() { return records_; }

 private:
  int speedPercent_;
  std::vector<int> rects_;
  BrowserRecords storage_;
  reddoor::PageRecords records_{storage_};
};

struct Page {
  reddoor::BrowserText text;
  reddoor::DecodedPictures pictures;
  std::optional<CanvasScreen> screen;
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

// The player's choices as the page keeps them: {"speed": 50, "timer": true, "keys": {...},
// "buttons": {...}}; the page has checked speed and timer. Names of the key map that are no key
// or button are left out, with a note.
reddoor::PageOptions OptionsFrom(const nlohmann::json& json) {
  reddoor::PageOptions options;
  options.speedPercent = json.value("speed", 100);
  options.timerShown = json.value("timer", false);
  std::string leftOut;
  const reddoor::LeftOut tell = [&leftOut](const std::string& what) {
    leftOut += (leftOut.empty() ? "" : "; ") + what;
  };
  for (const bool buttons : {false, true}) {
    const char* name = buttons ? "buttons" : "keys";
    try {
      if (json.contains(name)) reddoor::ReadKeyMap(json[name], buttons, options.keys, tell);
    } catch (const std::invalid_argument& e) {
      tell(e.what());
    }
  }
  if (!leftOut.empty()) {
    RedDoorNote(("The kept key map: " + leftOut + "; left out, the defaults kept.").c_str());
  }
  return options;
}

}  // namespace

extern "C" {

// Starts the game on window `start` (0 the title window, 1-3 a level) at the page's time `now`,
// with the player's choices `options` (OptionsFrom).
EMSCRIPTEN_KEEPALIVE void RedDoorStart(double now, int start, int width, int height, int largest,
                                       const char* options) {
  Page& page = ThePage();
  const auto window = static_cast<reddoor::WindowId>(start >= 0 && start <= 3 ? start : 0);
  try {
    reddoor::PageOptions chosen = OptionsFrom(nlohmann::json::parse(options));
    page.screen.emplace(chosen.speedPercent);
    chosen.best = page.screen->Records().Load();
    ShowBestTimes(chosen.best);
    page.game.emplace(page.text, page.pictures, *page.screen, now, std::move(chosen));
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

// The keyboard's key of this name ("Left", "Space", "E", "F11", as the key map names keys) went
// down or up; 1 when the game used it, 0 when the page may leave it to the browser.
EMSCRIPTEN_KEEPALIVE int RedDoorKey(const char* name, int down, double now) {
  bool used = false;
  Guarded([&](PageGame& game) { used = game.KeyChanged(name, down != 0, now); });
  return used ? 1 : 0;
}

// For the page's tests: game time at the page's time `now`.
EMSCRIPTEN_KEEPALIVE double RedDoorGameTime(double now) {
  double time = -1;
  Guarded([&](PageGame& game) { time = static_cast<double>(game.GameTime(now)); });
  return time;
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
