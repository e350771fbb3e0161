#include "game/levels.hpp"

namespace reddoor {

namespace {

const LevelRules kLevel1Rules{.jumpHeight = 500, .previous = std::nullopt, .movingBlocks = {}};

constexpr MovingBlock kLevel2Blocks[] = {
    {.timer = "Block4Timer", .block = 4, .route = "RLR", .rightBound = 2880, .leftBound = 1200},
    {.timer = "Block5Timer", .block = 5, .route = "RLR", .rightBound = 10080, .leftBound = 7200},
    {.timer = "Block8Timer", .block = 8, .route = "RLR", .rightBound = 4440, .leftBound = 2520},
    {.timer = "Block13Timer", .block = 13, .route = "RLR", .rightBound = 3840, .leftBound = 1320},
};
const LevelRules kLevel2Rules{
    .jumpHeight = 1000, .previous = FormId::Level1, .movingBlocks = kLevel2Blocks};

constexpr MovingBlock kLevel3Blocks[] = {
    {.timer = "Block16Timer", .block = 16, .route = "D", .lowerBound = 3120},
    {.timer = "Block17Timer", .block = 17, .route = "D", .lowerBound = 5520},
    {.timer = "Block25Timer", .block = 25, .route = "RLR", .rightBound = 9840, .leftBound = 9000},
};
const LevelRules kLevel3Rules{
    .jumpHeight = 1000, .previous = FormId::Level2, .movingBlocks = kLevel3Blocks};

}  // namespace

Level1::Level1(Runtime& runtime) : Level(runtime, Level1Layout(), kLevel1Rules) {}
void Level1::HideAtLoad() { door_->visible = false; }
void Level1::CountCoin() { runtime_.TotalCoins = Add(runtime_.TotalCoins, 1); }
void Level1::AfterCoins() {
  if (runtime_.TotalCoins == 15) door_->visible = true;
}

Level2::Level2(Runtime& runtime) : Level(runtime, Level2Layout(), kLevel2Rules) {}
void Level2::HideAtLoad() { door_->visible = false; }
void Level2::CountCoin() {
  LevelCoins = Add(LevelCoins, 1);
  runtime_.TotalCoins = Add(runtime_.TotalCoins, 1);
}
void Level2::AfterCoins() {
  if (LevelCoins >= 12) door_->visible = true;
}

Level3::Level3(Runtime& runtime) : Level(runtime, Level3Layout(), kLevel3Rules) {}

void Level3::BindControls() {
  Level::BindControls();
  Scene& scene = Controls();
  bird_ = &scene.Get("Bird");
  label1_ = &scene.Get("Label1");
  tmrFly_ = &scene.Get("tmrFly");
  block16Timer_ = &scene.Get("Block16Timer");
  block17Timer_ = &scene.Get("Block17Timer");
  scrollCount_ = 0;
}

void Level3::HideAtLoad() { block_(2).visible = false; }
void Level3::CountCoin() {
  runtime_.TotalCoins = Add(runtime_.TotalCoins, 1);
  LevelCoins = Add(LevelCoins, 1);
}
void Level3::AfterCoins() {
  if (!coin_(2).visible) SetTimerEnabled(*block16Timer_, true);
  if (!coin_(0).visible) SetTimerEnabled(*block17Timer_, true);
  if (!coin_(1).visible) block_(2).visible = true;
}

void Level3::OtherTimer(const ControlSpec& timer) {
  if (timer.name == "tmrFly") tmrFly_Timer();
}

}  // namespace reddoor
