#include "game/level.hpp"

#include <fmt/format.h>

#include "base/checked.hpp"
#include "game/runtime.hpp"
#include "game/screen_flow.hpp"

namespace reddoor {

namespace {

constexpr std::int32_t kStepTwips = 125;
constexpr std::string_view kDefaultDeathMessage = "Sorry, your dead";

// A malformed Tag is a fault of the layout, found when the game starts.
std::optional<Patrol> PatrolOf(const Control& monster, std::string_view window) {
  const std::string_view tag = monster.record->tag;
  if (tag.empty()) return std::nullopt;
  std::string why;
  std::optional<Patrol> patrol = ReadPatrol(tag, &why);
  if (!patrol) {
    throw GameFault(fmt::format("layout fault: window {}: {} has a malformed patrol tag \"{}\": {}",
                                window, monster.DisplayName(), tag, why));
  }
  return patrol;
}

}  // namespace

Level::Level(Runtime& runtime, Scheduler& scheduler, Platform& platform, WindowId id,
             const LevelRules& rules)
    : Window(scheduler, platform, id, *rules.layout),
      runtime_(runtime),
      rules_(rules),
      man_(Contents().Get("Man")),
      picForwards_(Contents().Get("picForwards")),
      picBackwards_(Contents().Get("picBackwards")),
      floor_(Contents().Get("Floor")),
      door_(Contents().Get("door")),
      lblTotalCoins_(Contents().Get("lblTotalCoins")),
      tmrGame_(Contents().Get("tmrGame")),
      hiddenAtLoad_(ControlOf(rules.hiddenAtLoad)),
      block_(Contents().Array("Block")),
      coin_(Contents().Array("Coin")),
      water_(Contents().Array("Water")),
      monster_(Contents().Array("Monster")),
      movingBlocks_(rules.movingBlocks.size()) {
  OnTimer("tmrGame", [this] { GameTick(); });
  for (std::size_t i = 0; i < movingBlocks_.size(); ++i) {
    const MovingBlockRule& rule = rules.movingBlocks[i];
    movingBlocks_[i] = {&rule, &block_(rule.block), {}};
    OnTimer(rule.timer, [this, i] { MoveBlock(movingBlocks_[i]); });
  }
  for (const CoinSwitch& coinSwitch : rules.coinSwitches) {
    coinSwitches_.push_back({&coin_(coinSwitch.coin), &ControlOf(coinSwitch.turnsOn)});
  }
  for (const Control& monster : monster_) layoutPatrols_.push_back(PatrolOf(monster, Name()));
  patrols_ = layoutPatrols_;
  if (rules.exit == ExitKind::Bird) {
    bird_ = &Contents().Get("Bird");
    label1_ = &Contents().Get("Label1");
    tmrFly_ = &Contents().Get("tmrFly");
    OnTimer("tmrFly", [this] { FlightStep(); });
  }
}

Control& Level::ControlOf(const ControlRef& ref) {
  return ref.index < 0 ? Contents().Get(ref.name) : Contents().Array(ref.name)(ref.index);
}

void Level::OnLoad() {
  if (rules_.previous) runtime_.LevelWindow(*rules_.previous)->StopGameTimer();
  for (MovingBlock& moving : movingBlocks_) moving.route = Route{moving.rule->route};
  patrols_ = layoutPatrols_;
  scrollCount_ = 0;
  hiddenAtLoad_.visible = false;
  NewGame();
}

std::string Level::Tag(const Control& control) const {
  for (std::size_t i = 0; i < patrols_.size(); ++i) {
    if (&monster_(static_cast<int>(i)) == &control && patrols_[i] && patrols_[i]->walked) {
      return patrols_[i]->Tag();
    }
  }
  return std::string(control.record->tag);
}

void Level::GameTick() {
  if (vars_.dead) NewGame();
  if (KeyPressed(Key::Right)) Forward();
  if (KeyPressed(Key::Left)) Backwards();
  if (KeyPressed(Key::Space)) vars_.jumping = true;
  vars_.standing = false;
  Jump();
  PlayOn({Pass::Waters, 0});
}

void Level::PlayOn(TickPlace from) {
  if (from.pass == Pass::Waters) {
    if (!Waters(from.next)) return;
    Blocks();
    from.next = 0;
  }
  if (!Monsters(from.next)) return;
  Coins();
  Special();
  // Leaving the level ends its tick: a level that has been left plays no more.
  if (IsLoaded()) Settle();
}

bool Level::KeyPressed(Key key) {
  return runtime_.KeyPressed(key);
}

void Level::Settle() {
  if (!vars_.jumping) {
    if (vars_.standing) {
      StopJump();
    } else {
      vars_.jumping = true;
      Fall();
    }
  }
}

void Level::WriteTotalCoins() {
  const fmt::format_int digits(runtime_.TotalCoins());
  // Assigned in place, so that the caption's storage is reused tick after tick.
  lblTotalCoins_.caption.assign(digits.data(), digits.size());
}

void Level::ShowTotalCoins(Color color) {
  WriteTotalCoins();
  lblTotalCoins_.foreColor = color;
}

void Level::NewGame() {
  vars_.speed = kStepTwips;
  vars_.jumpHeight = rules_.jumpHeight;
  vars_.dead = false;
  WriteTotalCoins();
  vars_.jumpPeak = ToInt32(Bottom(man_));
  man_.visible = true;
}

void Level::Die(std::string_view message, std::optional<TickPlace> resume) {
  vars_.dead = true;
  man_.visible = false;
  runtime_.OpenMessage(*this, message.empty() ? kDefaultDeathMessage : message, [this, resume] {
    runtime_.SetTotalCoins(0);
    // The rest of the tick that called Die plays on in the restarted window.
    ShowFresh(*this);
    if (resume) PlayOn(*resume);
  });
}

}  // namespace reddoor
