// Water and monsters, and the coins: what the world does to the player on every game tick.
// A death restarts the level in the middle of a pass, once its message is answered, and the pass
// goes on over the restarted level.
#include "base/checked.hpp"
#include "game/level.hpp"
#include "game/runtime.hpp"

namespace reddoor {

bool Level::Waters(int from) {
  const int last = water_.UBound();
  for (int i = from; i <= last; ++i) {
    if (ControlTouch(man_, water_(i)) == Side::None) continue;
    Die("You Cant Swim?", TickPlace{Pass::Waters, i + 1});
    return false;
  }
  return true;
}

// Each monster walks one step of its patrol, then acts on the player if it touches him.
bool Level::Monsters(int from) {
  const int last = monster_.UBound();
  for (int i = from; i <= last; ++i) {
    std::optional<Patrol>& patrol = patrols_[static_cast<std::size_t>(i)];
    if (!patrol) continue;
    Control& monster = monster_(i);
    patrol->Walk(monster.left);
    if (!Touches(EdgesOf(man_), EdgesOf(monster))) continue;
    switch (patrol->effect) {
      case MonsterEffect::Kills:
        Die("A MONSTER GOT YOU", TickPlace{Pass::Monsters, i + 1});
        return false;
      case MonsterEffect::TakesAllCoins:
        runtime_.SetTotalCoins(0);
        ShowTotalCoins(palette::kRed);
        break;
      case MonsterEffect::TakesCoins:
        runtime_.SetTotalCoins(RoundTo<std::int32_t>(runtime_.TotalCoins() - patrol->coinsTaken));
        ShowTotalCoins(palette::kRed);
        break;
      case MonsterEffect::None:
        break;
    }
  }
  return true;
}

// Every shown coin the player touches is taken and counted. Taking a coin moves nothing, so the
// player's edges are taken once.
void Level::Coins() {
  const Edges man = EdgesOf(man_);
  for (Control& coin : coin_) {
    if (!coin.visible || ControlTouch(man, EdgesOf(coin)) == Side::None) continue;
    coin.visible = false;
    CountCoin();
    ShowTotalCoins(palette::kBlack);
  }
  ApplyCoinRules();
}

void Level::CountCoin() {
  if (rules_.countsLevelCoins) vars_.levelCoins = Add(vars_.levelCoins, 1);
  runtime_.SetTotalCoins(Add(runtime_.TotalCoins(), 1));
}

// On every tick, whether a coin was taken or not.
void Level::ApplyCoinRules() {
  for (const BoundCoinSwitch& coinSwitch : coinSwitches_) {
    if (coinSwitch.coin->visible) continue;
    Control& target = *coinSwitch.turnsOn;
    if (target.Kind() == ControlKind::Timer) {
      SetTimerEnabled(target, true);
    } else {
      target.visible = true;
    }
  }
  const DoorRule& door = rules_.door;
  const std::int32_t count =
      door.count == CoinCount::Total ? runtime_.TotalCoins() : vars_.levelCoins;
  if (door.exactly ? count == door.coins : count >= door.coins) door_.visible = true;
}

}  // namespace reddoor
