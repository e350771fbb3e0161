#pragma once
// The game in a web page: one canvas shows the visible window at the largest whole scale that
// fits the page, with the death message drawn over it as the desktop's box, "Paused" over a
// dimmed window while the game is paused, and the run timer in the bottom right corner while it
// is shown. The page calls in once a frame and for every key, click and change of focus, each
// with the time of its clock; the game never waits inside a call. Keys come by the desktop's
// names ("Left", "Space", "E", "F11") and do what the player's key map says.
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/best_times.hpp"
#include "game/key_map.hpp"
#include "game/pad_holds.hpp"
#include "game/platform.hpp"
#include "game/runtime.hpp"
#include "scene/canvas.hpp"
#include "scene/message_box_layout.hpp"
#include "scene/renderer.hpp"
#include "scene/scene.hpp"
#include "scene/visual_state.hpp"
#include "web/page_clock.hpp"

namespace reddoor {

// The page around the game: where it shows the game, and what it does for the player's commands.
class PageScreen {
 public:
  virtual ~PageScreen() = default;
  // The caption of the visible window, with "(paused)" while the game is paused and the speed
  // while it is slowed.
  virtual void SetCaption(std::string_view caption) = 0;
  // The frame, straight RGBA bytes row by row, has changed inside these rectangles.
  virtual void Show(const std::uint32_t* rgba, int width, int height,
                    std::span<const PixelRect> changed) = 0;
  // The player switched to fullscreen or back.
  virtual void ToggleFullscreen() = 0;
  // The player showed or hid the run timer.
  virtual void TimerShown(bool shown) = 0;
  // The run left a level or reached the closing window.
  virtual void RunProgressed(const RunTimer& run) = 0;
};

// What the player chose for the game in the page.
struct PageOptions {
  int speedPercent = 100;  // 25 to 100: the game clock runs at this percent of the page's
  KeyMap keys = DefaultKeyMap();
  bool timerShown = false;
  BestTimes best;  // what the run timer's splits are compared with
};

class PageGame final : public Platform {
 public:
  PageGame(TextRasterizer& text, PictureSource& pictures, PageScreen& screen, double pageMs,
           PageOptions options = {});
  PageGame(const PageGame&) = delete;
  PageGame& operator=(const PageGame&) = delete;

  Runtime& Game() { return runtime_; }
  // Shows the first window; the recorder, if any, is told from then on.
  void Start(WindowId start, Recorder* recorder);
  // The space the page has for the game, in pixels; `largest` (0: none) caps the scale.
  void Fit(int width, int height, int largest);
  int Scale() const { return scale_; }

  // Runs the ticks due by now and shows what changed.
  void Frame(double pageMs);
  // Page time in ms until the next tick is due; -1 while none will come without input.
  double UntilDue(double pageMs) const;
  // Game time at this moment of the page's clock.
  std::int64_t GameTime(double pageMs) const { return clock_.Now(pageMs); }
  // The keyboard's key of this name went down or up; false when the game has no use for it.
  bool KeyChanged(std::string_view name, bool down, double pageMs);
  // A gamepad as the page read it this frame: bit i of `buttons` is button i of the browser's
  // standard mapping (0 south, 1 east, 2 west, 3 north, 4 and 5 the shoulders, 8 back, 9 start,
  // 10 and 11 the sticks, 12 to 15 the d-pad up, down, left, right, 16 guide), `stickX` the
  // left stick's X from -32768 (left) to 32767.
  void PadRead(int pad, std::uint32_t buttons, int stickX, double pageMs);
  // The pad is gone: what it held is let go of.
  void PadGone(int pad, double pageMs);
  // The left button went up at this pixel of the frame, having gone down at `from`.
  void Click(int fromX, int fromY, int x, int y, double pageMs);
  // The page is hidden or has lost the focus: the game pauses until it is back.
  void SetAway(bool away, double pageMs);
  bool Paused() const { return pausedByPlayer_ || pausedByAway_; }

  void WindowShown(const Window& window) override;
  void MessageOpened(const Window& window, std::string_view text) override;

 private:
  bool Held() const { return Paused() || box_.has_value(); }
  void SetPause(bool byPlayer, bool byAway, double pageMs);
  // A key while the message is open: Return and Escape answer it, as Space let go of does; false
  // for the keys it has no use for.
  bool BoxKey(std::string_view key, bool down, double pageMs);
  // Carries out a command of the player's map; false for the game's own actions.
  bool Command(Action action, double pageMs);
  // The run timer as it is to be drawn now; none while it is hidden or the run has not begun.
  std::optional<TimerView> TimerNow() const;
  void DrawTimer(Renderer& renderer, const std::optional<TimerView>& timer);
  // A game key went down or up on the keyboard or the gamepads.
  void GameKeyChanged(Key key, KeySource source, bool down);
  // The game is being held: every key is let go of, and one still down must be pressed again.
  void ReleaseKeys();
  void RunDueTicks(double pageMs);
  void Answer(double pageMs);
  // Draws what changed since the last frame and hands it to the screen.
  void Present();
  void ShowCaption(const Window& visible);
  void DrawWhole();
  void CopyToFrame(const Canvas& from, int left, int top, const PixelRect& rect);
  // Where the box's window, with its caption bar, lies on the frame.
  PixelRect BoxOnFrame() const;

  // A pad as it was last read.
  struct PadSeen {
    std::uint32_t buttons = 0;
    int stickX = 0;
  };

  TextRasterizer& text_;
  PictureSource& pictures_;
  PageScreen& screen_;
  PageOptions options_;
  PageClock clock_;
  double lastPageMs_ = 0;  // the page's time at the last call
  Runtime runtime_;
  PadHolds pads_{[this](Key key, bool down) { GameKeyChanged(key, KeySource::Gamepad, down); },
                 options_.keys};
  std::map<int, PadSeen> padsSeen_;  // by the browser's number of the pad
  int scale_ = 1;
  int spaceWidth_ = 0, spaceHeight_ = 0, largest_ = 0;
  bool pausedByPlayer_ = false;
  bool pausedByAway_ = false;
  bool spaceDownOnBox_ = false;
  Canvas window_;  // the visible window as drawn
  Canvas boxCanvas_;
  std::vector<std::uint32_t> rgba_;  // the frame as the page takes it
  std::optional<MessageBoxLayout> box_;
  std::optional<VisualState> drawnState_;  // none: the frame is drawn whole next
  std::optional<TimerView> drawnTimer_;
  PixelRect timerRect_{};  // where the timer was drawn
  RunProgress progress_;
  std::string caption_;
};

}  // namespace reddoor
