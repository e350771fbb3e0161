#include "game/level.hpp"

#include <fmt/format.h>

#include "app/screen_flow.hpp"
#include "game/geometry.hpp"

namespace reddoor {

namespace {
constexpr std::int32_t kStepTwips = 125;
constexpr std::string_view kDefaultDeathMessage = "Sorry, your dead";
}  // namespace

Level::Level(Runtime& runtime, const WindowLayout& layout, const LevelRules& rules)
    : Form(runtime, layout), rules_(rules), routes_(rules.movingBlocks.size()) {}

void Level::BindControls() {
  Scene& scene = Controls();
  man_ = &scene.Get("Man");
  picForwards_ = &scene.Get("picForwards");
  picBackwards_ = &scene.Get("picBackwards");
  floor_ = &scene.Get("Floor");
  door_ = &scene.Get("door");
  lblTotalCoins_ = &scene.Get("lblTotalCoins");
  tmrGame_ = &scene.Get("tmrGame");
  block_ = scene.Array("Block");
  coin_ = scene.Array("Coin");
  water_ = scene.Array("Water");
  monster_ = scene.Array("Monster");
  routes_.assign(rules_.movingBlocks.size(), RouteProgress{});
  for (std::size_t i = 0; i < routes_.size(); ++i) {
    block_(rules_.movingBlocks[i].block);  // a block the layout lacks is a fault at load
    routes_[i].timer = scene.Get(rules_.movingBlocks[i].timer).spec;
  }
  CheckMonsterTags();
}

void Level::Form_Load() {
  if (rules_.previous) {
    Form& previous = runtime_.Window(*rules_.previous);
    // A level that has been left runs no more game ticks.
    if (previous.IsLoaded()) {
      previous.SetTimerEnabled(previous.Controls().Get("tmrGame"), false);
    }
  }
  HideAtLoad();
  NewGame();
}

void Level::Timer(const ControlSpec& timer) {
  // The records are compared, not the names: this runs on every tick.
  if (&timer == tmrGame_->spec) return tmrGame_Timer();
  for (std::size_t i = 0; i < rules_.movingBlocks.size(); ++i) {
    if (routes_[i].timer == &timer) {
      return MoveBlock(rules_.movingBlocks[i], routes_[i]);
    }
  }
  OtherTimer(timer);
}

void Level::tmrGame_Timer() {
  if (Dead) NewGame();
  if (KeyPressed(Key::Right)) Forward();
  if (KeyPressed(Key::Left)) Backwards();
  if (KeyPressed(Key::Space)) Jumping = true;
  Standing = false;
  Jump();
  Waters();
  Blocks();
  Monsters();
  Coins();
  Special();
  // Leaving the level ends its tick: a level that has been left plays no more.
  if (!IsLoaded()) return;
  if (!Jumping) {
    if (Standing) {
      StopJump();
    } else {
      Jumping = true;
      Fall();
    }
  }
}

// Writes the number in place, so that the caption's storage is reused tick after tick.
void WriteNumber(std::string& caption, std::int32_t value) {
  char digits[16];
  const auto end = fmt::format_to_n(digits, sizeof digits, "{}", value).out;
  caption.assign(digits, end);
}

void Level::ShowTotalCoins(Color color) {
  WriteNumber(lblTotalCoins_->caption, runtime_.TotalCoins);
  lblTotalCoins_->foreColor = color;
}

void Level::NewGame() {
  Speed = kStepTwips;
  JumpHeight = rules_.jumpHeight;
  Dead = false;
  WriteNumber(lblTotalCoins_->caption, runtime_.TotalCoins);
  JumpPeak = ToLong(Bottom(*man_));
  man_->visible = true;
}

void Level::Die(std::string_view message) {
  Dead = true;
  man_->visible = false;
  if (message.empty()) message = kDefaultDeathMessage;
  runtime_.platform().ShowMessage(message);
  runtime_.TotalCoins = 0;
  // The rest of the tick that called Die plays on in the restarted window.
  Main::ShowFresh(*this);
}

}  // namespace reddoor
