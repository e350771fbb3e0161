// The desktop window of a game window, on SDL's dummy video driver: what it shows after
// drawing only the parts that changed is what a full drawing shows.
#include "platform/sdl/game_window.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/sdl/media.hpp"
#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/renderer.hpp"
#include "scene/scaling.hpp"
#include "scene/scene.hpp"

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

  GameWindow& Open(const Scene& scene) {
    window_ = std::make_unique<GameWindow>(scene.Layout(), media_, 1);
    window_->Show();
    window_->Present(scene);
    return *window_;
  }

  SDL_Surface& Surface() { return *SDL_GetWindowSurface(window_->Handle()); }

  // Opens the scene's window in fullscreen; returns the scale that fits the screen.
  int OpenFullscreen(const Scene& scene) {
    GameWindow& window = Open(scene);
    window.SetFullscreen(true);
    window.Present(scene);
    const WindowLayout& layout = scene.Layout();
    return LargestScaleThatFits(layout.clientWidth, layout.clientHeight, Surface().w, Surface().h);
  }

  // The pixel of the window at (x, y) for every pixel of the canvas, placed at (left, top).
  void ExpectShowsAt(const Canvas& expected, int left, int top) {
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        ASSERT_EQ(Shown(left + x, top + y), expected.At(x, y)) << "at " << x << "," << y;
      }
    }
  }

  Pixel Shown(int x, int y) {
    SDL_Surface& surface = Surface();
    Pixel pixel = 0;
    SDL_ConvertPixels(
        1, 1, surface.format->format,
        static_cast<Uint8*>(surface.pixels) + y * surface.pitch + x * surface.format->BytesPerPixel,
        surface.pitch, SDL_PIXELFORMAT_ARGB8888, &pixel, sizeof pixel);
    return pixel | 0xFF000000u;
  }

  // Every pixel of the client area is what a full drawing of the scene gives.
  void ExpectShowsWhole(const Scene& scene) {
    Canvas expected;
    renderer_.Draw(scene, expected);
    ExpectShowsAt(expected, 0, 0);
  }

  SdlMedia media_;
  Renderer renderer_{media_, media_};
  std::unique_ptr<GameWindow> window_;
};

TEST_F(GameWindowTest, RedrawingWhatChangedGivesTheWholePicture) {
  Scene scene(Level1Layout());
  GameWindow& window = Open(scene);
  Control& man = scene.Get("Man");
  man.left += 125;
  man.picture = PictureId::ManLeft;
  scene.Array("Monster")(0).left += 75;
  scene.Array("Coin")(25).visible = false;
  scene.Get("lblTotalCoins").caption = "17";
  window.Present(scene);
  ExpectShowsWhole(scene);
}

TEST_F(GameWindowTest, ManyChangesAtOnceAreRedrawnToo) {
  Scene scene(Level3Layout());
  GameWindow& window = Open(scene);
  // The flight moves the whole world down, more boxes than are sent one by one.
  for (Control& c : scene.Controls()) c.top += 30;
  window.Present(scene);
  ExpectShowsWhole(scene);
}

TEST_F(GameWindowTest, AnUnchangedWindowIsNotDrawnAgain) {
  Scene scene(Level1Layout());
  GameWindow& window = Open(scene);
  SDL_FillRect(&Surface(), nullptr, 0);
  window.Present(scene);
  EXPECT_EQ(Shown(10, 10), 0xFF000000u);
}

TEST_F(GameWindowTest, AResizedWindowShowsItsBackgroundBeyondTheControls) {
  Scene scene(FinishLayout());
  GameWindow& window = Open(scene);
  const int width = renderer_.ToPixels(FinishLayout().clientWidth);
  const int height = renderer_.ToPixels(FinishLayout().clientHeight);
  SDL_SetWindowSize(window.Handle(), width + 40, height + 30);
  window.Invalidate();
  window.Present(scene);
  ExpectShowsWhole(scene);
  EXPECT_EQ(Shown(width + 39, height + 29), ToPixel(FinishLayout().background));
}

TEST_F(GameWindowTest, FullscreenCentresTheLargestScaleThatFitsOnBlack) {
  Scene scene(FinishLayout());
  const int scale = OpenFullscreen(scene);
  SDL_Surface& screen = Surface();
  ASSERT_GT(scale, 1) << "the dummy screen is " << screen.w << " x " << screen.h;
  Canvas expected;
  Renderer(media_, media_, scale).Draw(scene, expected);
  ExpectShowsAt(expected, (screen.w - expected.width) / 2, (screen.h - expected.height) / 2);
  EXPECT_EQ(Shown(0, 0), ToPixel(palette::kBlack));
  EXPECT_EQ(Shown(screen.w - 1, screen.h - 1), ToPixel(palette::kBlack));

  window_->SetFullscreen(false);
  window_->Present(scene);
  ExpectShowsWhole(scene);
}

TEST_F(GameWindowTest, AClickFindsTheButtonWhereFullscreenPutsIt) {
  Scene scene(IntroLayout());
  const int scale = OpenFullscreen(scene);
  SDL_Surface& screen = Surface();
  const Renderer renderer(media_, media_, scale);
  const int left = (screen.w - renderer.ToPixels(IntroLayout().clientWidth)) / 2;
  const int top = (screen.h - renderer.ToPixels(IntroLayout().clientHeight)) / 2;
  ASSERT_GT(left, 0);
  const PixelRect play = renderer.BoxOf(scene.Get("CmdPlay"));
  EXPECT_EQ(window_->ButtonAt(scene, left + play.left, top + play.top), "CmdPlay");
  EXPECT_EQ(window_->ButtonAt(scene, left + play.right - 1, top + play.bottom - 1), "CmdPlay");
  EXPECT_EQ(window_->ButtonAt(scene, play.left, play.top), "");
}

}  // namespace
}  // namespace reddoor
