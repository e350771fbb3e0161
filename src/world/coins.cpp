// Coins: every shown coin the player touches is taken and counted.
#include "game/level.hpp"

namespace reddoor {

void Level::Coins() {
  const int last = coin_.UBound();
  for (int i = 0; i <= last; ++i) {
    Control& coin = coin_(i);
    if (!coin.visible) continue;
    if (ControlTouch(*man_, coin) == Side::None) continue;
    coin.visible = false;
    CountCoin();
    ShowTotalCoins(palette::kBlack);
  }
  AfterCoins();
}

}  // namespace reddoor
