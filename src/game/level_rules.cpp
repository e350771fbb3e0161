#include "game/level_rules.hpp"

namespace reddoor {

namespace {

constexpr MovingBlockRule kLevel2Blocks[] = {
    {.timer = "Block4Timer", .block = 4, .route = "RLR", .rightBound = 2880, .leftBound = 1200},
    {.timer = "Block5Timer", .block = 5, .route = "RLR", .rightBound = 10080, .leftBound = 7200},
    {.timer = "Block8Timer", .block = 8, .route = "RLR", .rightBound = 4440, .leftBound = 2520},
    {.timer = "Block13Timer", .block = 13, .route = "RLR", .rightBound = 3840, .leftBound = 1320},
};

constexpr MovingBlockRule kLevel3Blocks[] = {
    {.timer = "Block16Timer", .block = 16, .route = "D", .lowerBound = 3120},
    {.timer = "Block17Timer", .block = 17, .route = "D", .lowerBound = 5520},
    {.timer = "Block25Timer", .block = 25, .route = "RLR", .rightBound = 9840, .leftBound = 9000},
};

// Coin(2) sinks Block(16), Coin(0) sinks Block(17), Coin(1) brings back Block(2).
constexpr CoinSwitch kLevel3Switches[] = {
    {.coin = 2, .turnsOn = {"Block16Timer"}},
    {.coin = 0, .turnsOn = {"Block17Timer"}},
    {.coin = 1, .turnsOn = {"Block", 2}},
};

}  // namespace

const LevelRules& Level1Rules() {
  static const LevelRules kRules{.layout = &Level1Layout(),
                                 .jumpHeight = 500,
                                 .hiddenAtLoad = {"door"},
                                 .door = {.count = CoinCount::Total, .coins = 15, .exactly = true},
                                 .next = WindowId::Level2,
                                 .exitStopsGameTimer = true};
  return kRules;
}

const LevelRules& Level2Rules() {
  static const LevelRules kRules{.layout = &Level2Layout(),
                                 .jumpHeight = 1000,
                                 .previous = WindowId::Level1,
                                 .hiddenAtLoad = {"door"},
                                 .countsLevelCoins = true,
                                 .door = {.count = CoinCount::Level, .coins = 12},
                                 .movingBlocks = kLevel2Blocks,
                                 .next = WindowId::Level3};
  return kRules;
}

// The last level shows its door as the layout has it, and the door calls the bird.
const LevelRules& Level3Rules() {
  static const LevelRules kRules{.layout = &Level3Layout(),
                                 .jumpHeight = 1000,
                                 .previous = WindowId::Level2,
                                 .hiddenAtLoad = {"Block", 2},
                                 .countsLevelCoins = true,
                                 .door = {.count = CoinCount::Level, .coins = 5, .exactly = true},
                                 .coinSwitches = kLevel3Switches,
                                 .movingBlocks = kLevel3Blocks,
                                 .exit = ExitKind::Bird,
                                 .next = WindowId::Finish};
  return kRules;
}

const LevelSet& StandardLevels() {
  static const LevelSet kLevels = {&Level1Rules(), &Level2Rules(), &Level3Rules()};
  return kLevels;
}

}  // namespace reddoor
