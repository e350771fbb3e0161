#pragma once
// The game in a web page: one canvas shows the visible window at the largest whole scale that
// fits the page, with the death message drawn over it as the desktop's box and "Paused" over a
// dimmed window while the game is paused. The page calls in once a frame and for every key,
// click and change of focus, each with the time of its clock; the game never waits inside a
// call.
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// Where the page shows the game.
class PageScreen {
 public:
  virtual ~PageScreen() = default;
  // The caption of the visible window, with "(paused)" while the game is paused.
  virtual void SetCaption(std::string_view caption) = 0;
  // The frame, straight RGBA bytes row by row, has changed inside these rectangles.
  virtual void Show(const std::uint32_t* rgba, int width, int height,
                    std::span<const PixelRect> changed) = 0;
};

// The keys the page passes on: the game keys, and those of the page and the message.
enum class PageKey : std::uint8_t { Left, Right, Space, E, Return, Escape, Pause };

class PageGame final : public Platform {
 public:
  PageGame(TextRasterizer& text, PictureSource& pictures, PageScreen& screen, double pageMs);
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
  void KeyChanged(PageKey key, bool down, double pageMs);
  // A gamepad as the page read it this frame: bit i of `buttons` is button i of the browser's
  // standard mapping, `stickX` the left stick's X from -32768 (left) to 32767.
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
  // A game key went down or up on the keyboard or the gamepads.
  void GameKeyChanged(Key key, KeySource source, bool down);
  // The game is being held: every key is let go of, and one still down must be pressed again.
  void ReleaseKeys();
  void RunDueTicks(double pageMs);
  void Answer(double pageMs);
  // Draws what changed since the last frame and hands it to the screen.
  void Present();
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
  PageClock clock_;
  double lastPageMs_ = 0;  // the page's time at the last call
  Runtime runtime_;
  PadHolds pads_{[this](Key key, bool down) { GameKeyChanged(key, KeySource::Gamepad, down); }};
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
  std::string caption_;
};

}  // namespace reddoor
