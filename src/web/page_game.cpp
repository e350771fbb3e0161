#include "web/page_game.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "base/geometry.hpp"

namespace reddoor {

namespace {

// Ticks this late are caught up at once; a longer stall is left out of game time.
constexpr std::int64_t kLongestCatchUpMs = 250;
// The box's frame, in pixels at scale 1: a border and a caption bar as a desktop draws them.
constexpr int kBoxBorder = 1;
constexpr int kBoxCaptionHeight = 18;
constexpr Color kCaptionBar = Rgb(0, 0, 128);
constexpr Font kCaptionFont{FontFace::Sans, 8, true};

constexpr std::int32_t Twips(int pixels) {
  return pixels * kTwipsPerPixel;
}

// The buttons of the browser's standard mapping, by number.
constexpr std::array<std::pair<int, PadButton>, kPadButtonCount> kStandardButtons = {
    {{0, PadButton::South},
     {1, PadButton::East},
     {2, PadButton::West},
     {3, PadButton::North},
     {4, PadButton::LeftShoulder},
     {5, PadButton::RightShoulder},
     {8, PadButton::Back},
     {9, PadButton::Start},
     {10, PadButton::LeftStick},
     {11, PadButton::RightStick},
     {12, PadButton::DpadUp},
     {13, PadButton::DpadDown},
     {14, PadButton::DpadLeft},
     {15, PadButton::DpadRight},
     {16, PadButton::Guide}}};
constexpr std::uint32_t kStandardSouth = 1u << 0;
constexpr std::uint32_t kStandardStart = 1u << 9;

// 0xAARRGGBB to the bytes R, G, B, A that the page's canvas takes.
constexpr std::uint32_t ToRgba(Pixel p) {
  return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
}

}  // namespace

PageGame::PageGame(TextRasterizer& text, PictureSource& pictures, PageScreen& screen, double pageMs,
                   PageOptions options)
    : text_(text),
      pictures_(pictures),
      screen_(screen),
      options_(std::move(options)),
      clock_(pageMs, options_.speedPercent),
      runtime_(*this) {}

void PageGame::Start(WindowId start, Recorder* recorder) {
  runtime_.SetRecorder(recorder);
  runtime_.Get(start).Show();
  Present();
}

void PageGame::Fit(int width, int height, int largest) {
  spaceWidth_ = width;
  spaceHeight_ = height;
  largest_ = largest;
  const Window* visible = runtime_.VisibleWindow();
  if (!visible) return;
  int scale = LargestScaleThatFits(visible->Layout().clientWidth, visible->Layout().clientHeight,
                                   width, height);
  if (largest > 0) scale = std::min(scale, largest);
  if (scale == scale_) return;
  scale_ = scale;
  drawnState_.reset();
  Present();
}

void PageGame::RunDueTicks(double pageMs) {
  lastPageMs_ = pageMs;
  if (clock_.Held()) return;
  const std::int64_t due = runtime_.NextDue();
  const std::int64_t now = clock_.Now(pageMs);
  if (due >= 0 && now - due > kLongestCatchUpMs) clock_.LeaveOut(now - due);
  runtime_.RunTimersUntil(clock_.Now(pageMs));
}

void PageGame::Frame(double pageMs) {
  // What input changed was shown at once; only a tick can change the window now.
  const std::int64_t due = runtime_.NextDue();
  if (clock_.Held() || due < 0 || due > clock_.Now(pageMs)) return;
  RunDueTicks(pageMs);
  Present();
}

double PageGame::UntilDue(double pageMs) const {
  const std::int64_t due = runtime_.NextDue();
  if (clock_.Held() || due < 0) return -1;
  return std::max(clock_.PageMilliseconds(due - clock_.Now(pageMs)), 0.0);
}

bool PageGame::KeyChanged(std::string_view name, bool down, double pageMs) {
  const std::optional<std::string_view> key = KeyNamed(name);
  if (!key) return false;
  // Ticks due before the key run first, and the key comes at the page's time.
  RunDueTicks(pageMs);
  const std::optional<Action> action = options_.keys.ActionOfKey(*key);
  const bool returnKey = *key == "Return" || *key == "Keypad Enter";
  bool used = true;
  if (box_) {
    used = BoxKey(*key, down, pageMs);
  } else if (action && !GameKeyOf(*action)) {
    if (down) Command(*action, pageMs);
  } else {
    // As on the desktop, Return presses the window's button whatever else it does.
    if (down && returnKey && !Held()) runtime_.PressButton();
    if (action) GameKeyChanged(*GameKeyOf(*action), KeySource::Keyboard, down);
    used = action || returnKey;
  }
  Present();
  return used;
}

bool PageGame::BoxKey(std::string_view key, bool down, double pageMs) {
  if (key == "Space") {
    // A focused button is pressed when Space is let go over it.
    if (down) spaceDownOnBox_ = true;
    if (!down && std::exchange(spaceDownOnBox_, false)) Answer(pageMs);
    return true;
  }
  if (key != "Return" && key != "Keypad Enter" && key != "Escape") return false;
  if (down) Answer(pageMs);
  return true;
}

bool PageGame::Command(Action action, double pageMs) {
  switch (action) {
    case Action::Pause:
      SetPause(!pausedByPlayer_, pausedByAway_, pageMs);
      return true;
    case Action::Fullscreen:
      screen_.ToggleFullscreen();
      return true;
    case Action::Timer:
      options_.timerShown = !options_.timerShown;
      screen_.TimerShown(options_.timerShown);
      return true;
    default:
      return false;
  }
}

void PageGame::PadRead(int pad, std::uint32_t buttons, int stickX, double pageMs) {
  PadSeen& seen = padsSeen_[pad];
  const std::uint32_t changed = buttons ^ seen.buttons;
  const bool moved = stickX != seen.stickX;
  if (changed == 0 && !moved) return;
  seen.buttons = buttons;
  seen.stickX = stickX;
  RunDueTicks(pageMs);
  for (const auto& [number, button] : kStandardButtons) {
    const std::uint32_t bit = 1u << number;
    if (changed & bit) pads_.Button(pad, button, (buttons & bit) != 0);
  }
  if (moved) pads_.StickX(pad, stickX);
  // As on the desktop: the south button answers the message, start presses the window's button,
  // and a button of a command in the player's map carries it out.
  const std::uint32_t pressed = changed & buttons;
  if (box_) {
    if (pressed & kStandardSouth) Answer(pageMs);
  } else {
    if (!Held() && (pressed & kStandardStart)) runtime_.PressButton();
    for (const auto& [number, button] : kStandardButtons) {
      const std::optional<Action> action = options_.keys.ActionOfButton(button);
      if ((pressed & (1u << number)) && action) Command(*action, pageMs);
    }
  }
  Present();
}

void PageGame::PadGone(int pad, double pageMs) {
  RunDueTicks(pageMs);
  padsSeen_.erase(pad);
  pads_.Remove(pad);
  Present();
}

void PageGame::Click(int fromX, int fromY, int x, int y, double pageMs) {
  RunDueTicks(pageMs);
  if (box_) {
    const PixelRect box = BoxOnFrame();
    const Scene scene(box_->Layout());
    const Control& ok = scene.Get("CmdOK");
    const PixelRect button = PixelsOf(ok.Area(), scale_)
                                 .Moved(box.left + kBoxBorder * scale_,
                                        box.top + (kBoxBorder + kBoxCaptionHeight) * scale_);
    if (button.Contains(fromX, fromY) && button.Contains(x, y)) Answer(pageMs);
  } else if (!Held()) {
    if (const Window* visible = runtime_.VisibleWindow()) {
      for (const Control& c : visible->Contents().Controls()) {
        const PixelRect area = PixelsOf(c.Area(), scale_);
        if (c.Kind() == ControlKind::Button && c.visible && area.Contains(fromX, fromY) &&
            area.Contains(x, y)) {
          runtime_.Click(c.Name());
          break;
        }
      }
    }
  }
  Present();
}

void PageGame::SetAway(bool away, double pageMs) {
  SetPause(pausedByPlayer_, away, pageMs);
  Present();
}

void PageGame::SetPause(bool byPlayer, bool byAway, double pageMs) {
  const bool was = Paused();
  pausedByPlayer_ = byPlayer;
  pausedByAway_ = byAway;
  if (Paused() == was) return;
  if (Paused()) {
    clock_.Hold(pageMs);
    ReleaseKeys();
  } else {
    clock_.Release(pageMs);
  }
  drawnState_.reset();
}

void PageGame::GameKeyChanged(Key key, KeySource source, bool down) {
  // A held game takes no presses; the keys were let go of as it was held.
  if (Held() && down) return;
  const bool changed = down ? runtime_.KeyDown(key, source) : runtime_.KeyUp(key, source);
  if (changed && key == Key::Space && !down && !Held()) runtime_.PressButton();
}

// As on the desktop, a key still down when the game is held must be pressed again after. The
// message takes the keyboard to itself: a key let go of while it is open never reaches the game.
void PageGame::ReleaseKeys() {
  pads_.ReleaseAll();
  for (Key key : kKeys) runtime_.KeyUp(key, KeySource::Keyboard);
}

void PageGame::Answer(double pageMs) {
  box_.reset();
  spaceDownOnBox_ = false;
  clock_.Release(pageMs);
  drawnState_.reset();
  runtime_.AnswerMessage();
}

void PageGame::WindowShown(const Window& window) {
  drawnState_.reset();
  if (spaceWidth_ > 0) {
    scale_ = LargestScaleThatFits(window.Layout().clientWidth, window.Layout().clientHeight,
                                  spaceWidth_, spaceHeight_);
    if (largest_ > 0) scale_ = std::min(scale_, largest_);
  }
}

void PageGame::MessageOpened(const Window& /*window*/, std::string_view text) {
  box_.emplace(text, text_);
  spaceDownOnBox_ = false;
  ReleaseKeys();
  // The page's clock stands from its last reading; the game's own stands at the tick.
  clock_.Hold(lastPageMs_);
  drawnState_.reset();
}

std::optional<TimerView> PageGame::TimerNow() const {
  return ShownTimerView(options_.timerShown, runtime_.Run(), runtime_.Now(), options_.best,
                        options_.speedPercent);
}

void PageGame::DrawTimer(Renderer& renderer, const std::optional<TimerView>& timer) {
  timerRect_ = timer ? renderer.DrawTimer(*timer, window_) : PixelRect{};
  drawnTimer_ = timer;
}

void PageGame::ShowCaption(const Window& visible) {
  std::string caption = ShownCaption(visible.Layout().caption, options_.speedPercent, Paused());
  if (caption == caption_) return;
  caption_ = std::move(caption);
  screen_.SetCaption(caption_);
}

void PageGame::Present() {
  const Window* visible = runtime_.VisibleWindow();
  if (!visible) return;
  if (progress_.Moved(runtime_.Run())) screen_.RunProgressed(runtime_.Run());
  ShowCaption(*visible);
  VisualState state = CaptureVisualState(visible->Contents());
  const std::optional<TimerView> timer = TimerNow();
  const bool timerChanged = timer != drawnTimer_;
  std::vector<PixelRect> changed;
  if (drawnState_) {
    for (const Box& box : ChangedBoxes(*drawnState_, state)) {
      const PixelRect r = PixelsOf(box, scale_).Intersect(window_.Bounds());
      if (!r.Empty()) changed.push_back(r);
    }
    if (changed.empty() && !timerChanged) return;
  }
  // A held game is drawn dimmed, or under the box: whole, whatever changed.
  if (!drawnState_ || Held()) {
    drawnState_ = std::move(state);
    return DrawWhole();
  }
  if (timerChanged && !timerRect_.Empty()) changed.push_back(timerRect_);
  drawnState_ = std::move(state);
  Renderer renderer(text_, pictures_, scale_);
  renderer.Draw(visible->Contents(), window_);
  DrawTimer(renderer, timer);
  if (timerChanged && !timerRect_.Empty()) changed.push_back(timerRect_);
  for (const PixelRect& r : changed) CopyToFrame(window_, 0, 0, r);
  screen_.Show(rgba_.data(), window_.width, window_.height, changed);
}

void PageGame::DrawWhole() {
  const Window& visible = *runtime_.VisibleWindow();
  Renderer renderer(text_, pictures_, scale_);
  renderer.Draw(visible.Contents(), window_);
  if (Paused()) renderer.DrawPaused(window_);
  DrawTimer(renderer, TimerNow());
  rgba_.resize(window_.pixels.size());
  CopyToFrame(window_, 0, 0, window_.Bounds());
  if (box_) {
    // The box's window: a border, a caption bar with its title, and the box drawn inside.
    const WindowLayout& layout = box_->Layout();
    Canvas client;
    renderer.Draw(Scene(layout), client);
    const int border = kBoxBorder * scale_;
    const int bar = kBoxCaptionHeight * scale_;
    boxCanvas_.Resize(client.width + 2 * border, client.height + bar + 2 * border);
    FillRect(boxCanvas_, boxCanvas_.Bounds(), ToPixel(palette::kBlack));
    ControlRecord title =
        Label("Caption", {Twips(4), 0, layout.clientWidth - Twips(8), Twips(kBoxCaptionHeight)}, 1,
              layout.caption, kCaptionBar, kCaptionFont);
    title.foreColor = palette::kWindowBackground;
    const std::array<ControlRecord, 1> titleControls{title};
    const WindowLayout titleLayout{.name = "Caption",
                                   .caption = "",
                                   .clientWidth = layout.clientWidth,
                                   .clientHeight = Twips(kBoxCaptionHeight),
                                   .background = kCaptionBar,
                                   .controls = titleControls};
    Canvas titleCanvas;
    renderer.Draw(Scene(titleLayout), titleCanvas);
    for (int y = 0; y < titleCanvas.height; ++y) {
      std::copy_n(titleCanvas.Row(y), titleCanvas.width, boxCanvas_.Row(border + y) + border);
    }
    for (int y = 0; y < client.height; ++y) {
      std::copy_n(client.Row(y), client.width, boxCanvas_.Row(border + bar + y) + border);
    }
    const PixelRect at = BoxOnFrame();
    CopyToFrame(boxCanvas_, at.left, at.top, boxCanvas_.Bounds());
  }
  const PixelRect whole = window_.Bounds();
  screen_.Show(rgba_.data(), window_.width, window_.height, std::span(&whole, 1));
}

PixelRect PageGame::BoxOnFrame() const {
  const WindowLayout& layout = box_->Layout();
  const int width = TwipsToPixels(layout.clientWidth, scale_) + 2 * kBoxBorder * scale_;
  const int height =
      TwipsToPixels(layout.clientHeight, scale_) + (2 * kBoxBorder + kBoxCaptionHeight) * scale_;
  const int left = std::max((window_.width - width) / 2, 0);
  const int top = std::max((window_.height - height) / 2, 0);
  return {left, top, left + width, top + height};
}

// Copies a part of `from` to the frame with its top left at (left, top), clipped to the frame.
void PageGame::CopyToFrame(const Canvas& from, int left, int top, const PixelRect& rect) {
  const PixelRect target = rect.Moved(left, top).Intersect(window_.Bounds());
  for (int y = target.top; y < target.bottom; ++y) {
    const Pixel* source = from.Row(y - top) + (target.left - left);
    std::uint32_t* out = rgba_.data() + static_cast<std::ptrdiff_t>(y) * window_.width;
    std::transform(source, source + target.Width(), out + target.left, ToRgba);
  }
}

}  // namespace reddoor
