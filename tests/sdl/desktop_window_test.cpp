// The desktop window of a game window, on SDL's dummy video driver: what it shows after
// drawing only the parts that changed is what a full drawing shows.
#include "sdl/desktop_window.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "base/geometry.hpp"
#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/renderer.hpp"
#include "scene/scene.hpp"
#include "sdl/media.hpp"

namespace reddoor {
namespace {

class GameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
  }
  void TearDown() override {
    window_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  DesktopWindow& Open(const Scene& scene, bool fullscreen = false) {
    window_ = std::make_unique<DesktopWindow>(scene.Layout(), media_, 1);
    window_->Show();
    window_->SetFullscreen(fullscreen);
    window_->Present(scene);
    return *window_;
  }

  SDL_Surface& Surface() { return *SDL_GetWindowSurface(SDL_GetWindowFromID(window_->Id())); }

  Pixel Shown(int x, int y) {
    SDL_Surface& surface = Surface();
    Pixel pixel = 0;
    SDL_ConvertPixels(
        1, 1, surface.format->format,
        static_cast<Uint8*>(surface.pixels) + y * surface.pitch + x * surface.format->BytesPerPixel,
        surface.pitch, SDL_PIXELFORMAT_ARGB8888, &pixel, sizeof pixel);
    return pixel | 0xFF000000u;
  }

  // Every pixel of a full drawing of the scene at `scale`, placed at (left, top) of the window,
  // with the timer over it when there is one.
  void ExpectShowsWhole(const Scene& scene, int scale = 1, int left = 0, int top = 0,
                        const std::optional<TimerView>& timer = std::nullopt) {
    Canvas expected;
    Renderer renderer(media_, media_, scale);
    renderer.Draw(scene, expected);
    if (timer) renderer.DrawTimer(*timer, expected);
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        ASSERT_EQ(Shown(left + x, top + y), expected.At(x, y)) << "at " << x << "," << y;
      }
    }
  }

  SdlMedia media_;
  std::unique_ptr<DesktopWindow> window_;
};

TEST_F(GameWindowTest, RedrawingWhatChangedGivesTheWholePicture) {
  Scene scene(Level3Layout());
  DesktopWindow& window = Open(scene);
  Control& man = scene.Get("Man");
  man.left += 125;
  man.picture = PictureId::ManLeft;
  scene.Array("Monster")(0).left += 75;
  scene.Array("Coin")(2).visible = false;
  scene.Get("lblTotalCoins").caption = std::to_string(17);
  scene.Get("lblTotalCoins").foreColor = palette::kRed;
  window.Present(scene);
  ExpectShowsWhole(scene);
  // The flight moves the whole world down: more boxes than are sent one by one.
  for (Control& c : scene.Controls()) c.top += 30;
  window.Present(scene);
  ExpectShowsWhole(scene);
}

// The timer is drawn again when its text changes, over whatever changed under it, and the
// window shows through again once it is hidden.
TEST_F(GameWindowTest, TheTimerIsDrawnAgainOnlyWhenItChanges) {
  Scene scene(Level1Layout());
  DesktopWindow& window = Open(scene);
  TimerView timer{.time = "0:09.9", .split = "", .splitColor = timer_colors::kText};
  EXPECT_TRUE(window.Present(scene, timer));
  ExpectShowsWhole(scene, 1, 0, 0, timer);
  EXPECT_FALSE(window.Present(scene, timer));
  timer = {.time = "0:10.0", .split = "Level1 0:10.0 +0.1", .splitColor = timer_colors::kBehind};
  scene.Get("lblTotalCoins").caption = "12";
  EXPECT_TRUE(window.Present(scene, timer));
  ExpectShowsWhole(scene, 1, 0, 0, timer);
  EXPECT_TRUE(window.Present(scene, std::nullopt));
  ExpectShowsWhole(scene);
}

TEST_F(GameWindowTest, AnUnchangedWindowIsNotDrawnAgain) {
  Scene scene(Level1Layout());
  DesktopWindow& window = Open(scene);
  SDL_FillRect(&Surface(), nullptr, 0);
  EXPECT_FALSE(window.Present(scene));
  EXPECT_EQ(Shown(10, 10), 0xFF000000u);
}

TEST_F(GameWindowTest, AResizedWindowShowsItsBackgroundBeyondTheControls) {
  Scene scene(FinishLayout());
  DesktopWindow& window = Open(scene);
  const int width = TwipsToPixels(FinishLayout().clientWidth, 1);
  const int height = TwipsToPixels(FinishLayout().clientHeight, 1);
  SDL_SetWindowSize(SDL_GetWindowFromID(window.Id()), width + 40, height + 30);
  window.Invalidate();
  window.Present(scene);
  ExpectShowsWhole(scene);
  EXPECT_EQ(Shown(width + 39, height + 29), ToPixel(FinishLayout().background));
}

// In fullscreen the largest scale that fits is centred on black, and a click finds the button
// where it is drawn; back in the window the game is drawn at its own scale again.
TEST_F(GameWindowTest, FullscreenCentresTheLargestScaleThatFitsOnBlack) {
#ifdef _WIN32
  GTEST_SKIP() << "SDL built for Windows leaves the resize on entering fullscreen to the "
                  "Windows video driver; the dummy driver never resizes";
#endif
  for (const WindowLayout* layout : {&FinishLayout(), &IntroLayout()}) {
    SCOPED_TRACE(layout->name);
    const Scene scene(*layout);
    Open(scene, true);
    const SDL_Surface& screen = Surface();
    const int scale =
        LargestScaleThatFits(layout->clientWidth, layout->clientHeight, screen.w, screen.h);
    const int left = (screen.w - TwipsToPixels(layout->clientWidth, scale)) / 2;
    const int top = (screen.h - TwipsToPixels(layout->clientHeight, scale)) / 2;
    ASSERT_GT(left, 0);
    ExpectShowsWhole(scene, scale, left, top);
    EXPECT_EQ(Shown(0, 0), ToPixel(palette::kBlack));
    EXPECT_EQ(Shown(screen.w - 1, screen.h - 1), ToPixel(palette::kBlack));
    if (layout == &FinishLayout()) {
      EXPECT_GT(scale, 1) << "the dummy screen is " << screen.w << " x " << screen.h;
    } else {
      const PixelRect play = PixelsOf(scene.Get("CmdPlay").Area(), scale).Moved(left, top);
      EXPECT_EQ(window_->ButtonAt(scene, play.left, play.top), "CmdPlay");
      EXPECT_EQ(window_->ButtonAt(scene, play.right - 1, play.bottom - 1), "CmdPlay");
      EXPECT_EQ(window_->ButtonAt(scene, play.right, play.top), "");
      EXPECT_EQ(window_->ButtonAt(scene, play.left - left, play.top - top), "");
    }
    window_->SetFullscreen(false);
    window_->Present(scene);
    ExpectShowsWhole(scene);
  }
}

}  // namespace
}  // namespace reddoor
