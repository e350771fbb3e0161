// The monsters: each walks its patrol, one step a game tick, and acts on the player it
// touches. Its whole patrol state lives in its Tag, read and written back every tick.
#include <fmt/format.h>

#include "game/geometry.hpp"
#include "game/level.hpp"
#include "world/route.hpp"
#include "world/monster_tag.hpp"

namespace reddoor {

namespace {


// Moves the monster one step along its route and turns at the ends. An "R" leg that ends
// with an "L" leg next steps back left within the same tick.
void Patrol(Control& monster, MonsterTag& tag) {
  if (tag.routeIndex == 0) tag.routeIndex = 1;
  char letter = RouteLetter(tag.route, tag.routeIndex);
  const auto advance = [&] {
    if (static_cast<std::size_t>(tag.routeIndex) == tag.route.size()) tag.routeIndex = 0;
    ++tag.routeIndex;
    letter = RouteLetter(tag.route, tag.routeIndex);
  };
  if (letter == 'R') {
    monster.left = Add(monster.left, tag.step);
    if (monster.left >= tag.maxLeft) advance();
  }
  if (letter == 'L') {
    monster.left = Sub(monster.left, tag.step);
    if (monster.left <= tag.minLeft) advance();
  }
}

// An edge test: a side edge of the player within the monster's span, and a top or bottom
// edge within its height.
bool Touches(const Control& man, const Control& monster) {
  const bool horizontal = InBetween(Right(man), monster.left, Right(monster)) ||
                          InBetween(man.left, monster.left, Right(monster));
  return horizontal && (InBetween(man.top, monster.top, Bottom(monster)) ||
                        InBetween(Bottom(man), monster.top, Bottom(monster)));
}

}  // namespace

void Level::CheckMonsterTags() {
  for (const Control& monster : monster_) {
    if (monster.tag.empty()) continue;
    std::string why;
    const std::optional<MonsterTag> tag = ReadMonsterTag(monster.tag, &why);
    if (tag && tag->routeIndex < 0) why = "its route position is negative";
    if (!tag || tag->routeIndex < 0) {
      throw GameFault(fmt::format("layout fault: window {}: {} has a malformed patrol tag \"{}\": {}",
                                  Name(), monster.DisplayName(), monster.tag, why));
    }
  }
}

void Level::Monsters() {
  const int last = monster_.UBound();
  for (int i = 0; i <= last; ++i) {
    Control& monster = monster_(i);
    if (monster.tag.empty()) continue;
    std::optional<MonsterTag> tag = ReadMonsterTag(monster.tag);
    if (!tag) throw GameFault(fmt::format("malformed patrol tag \"{}\"", monster.tag));
    Patrol(monster, *tag);
    WriteMonsterTag(*tag, monster.tag);
    if (!Touches(*man_, monster)) continue;

    // The tag was rewritten, so its effect is read from the new text.
    const std::string_view effect = std::string_view(monster.tag).substr(
        monster.tag.size() - tag->effect.size());
    if (effect == "D") {
      Die("A MONSTER GOT YOU");
    } else if (effect == "C") {
      runtime_.TotalCoins = 0;
      ShowTotalCoins(palette::kRed);
    } else if (const std::optional<double> taken = NumericValue(effect)) {
      runtime_.TotalCoins = RoundToLong(runtime_.TotalCoins - *taken);
      ShowTotalCoins(palette::kRed);
    }
  }
}

}  // namespace reddoor
