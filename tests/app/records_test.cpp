// The best times kept from one game to the next: read back as kept, only better times taken,
// a damaged file kept aside and never lost, and games that end at once all counted.
#include "app/records_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "scripted/records.hpp"

namespace reddoor {
namespace {

namespace fs = std::filesystem;

// A whole run from the title with these three splits.
RunTimer WholeRun(std::int64_t level1, std::int64_t level2, std::int64_t level3) {
  RunTimer run;
  std::int64_t t = 500;
  run.WindowShown(WindowId::Intro, 0);
  run.WindowShown(WindowId::Level1, t);
  run.WindowShown(WindowId::Level2, t += level1);
  run.WindowShown(WindowId::Level3, t += level2);
  run.WindowShown(WindowId::Finish, t += level3);
  return run;
}

class RecordsTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir_); }
  std::string Text(const fs::path& path) const {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  const fs::path dir_ =
      fs::temp_directory_path() / ("reddoor-records-" + std::to_string(std::random_device{}()));
  const fs::path path_ = dir_ / "reddoor" / "records.json";
  std::ostringstream warnings_;
};

TEST_F(RecordsTest, TheBestOfEveryRunIsKeptAndReadBack) {
  RecordsFile file(path_, warnings_);
  EXPECT_EQ(file.Load(), BestTimes{});
  file.Keep(WholeRun(15600, 39700, 19668));
  file.Keep(WholeRun(15000, 41000, 19700));  // a better first level, a worse run
  const BestTimes best = RecordsFile(path_, warnings_).Load();
  EXPECT_EQ(best.run, 74968);
  EXPECT_EQ(best.runSplits.size(), 3u);
  EXPECT_EQ(best.SplitOf(WindowId::Level1), 15000);
  EXPECT_EQ(best.SplitOf(WindowId::Level2), 39700);
  EXPECT_EQ(best.SplitOf(WindowId::Level3), 19668);
  EXPECT_EQ(DescribeBestTimes(best),
            "Best run: 1:14.9 (Level1 0:15.6, Level2 0:39.7, Level3 0:19.6)\n"
            "Best splits: Level1 0:15.0, Level2 0:39.7, Level3 0:19.6 (together 1:14.3)\n");
  EXPECT_EQ(warnings_.str(), "");
}

// A game started on a level is practice: timed, never kept.
TEST_F(RecordsTest, ARunStartedOnALevelSetsNoBestTime) {
  RunTimer practice;
  practice.WindowShown(WindowId::Level2, 0);
  practice.WindowShown(WindowId::Level3, 1000);
  RecordsFile(path_, warnings_).Keep(practice);
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(RecordsTest, ADamagedFileIsAWarningAndIsKeptAsideWhenTheNextRunIsKept) {
  for (const std::string damage : {"", "{\"run\": {\"ms\": -5}}", "{\"splits\": {\"Level9\": 1}}",
                                   "\x7f"
                                   "ELF"}) {
    fs::remove_all(dir_);
    fs::create_directories(path_.parent_path());
    std::ofstream(path_) << damage;
    RecordsFile file(path_, warnings_);
    EXPECT_EQ(file.Load(), BestTimes{}) << damage;
    EXPECT_EQ(Text(path_), damage) << "reading alone changes nothing";
    file.Keep(WholeRun(1000, 2000, 3000));
    EXPECT_EQ(Text(path_.string() + ".damaged"), damage);
    EXPECT_EQ(RecordsFile(path_, warnings_).Load().run, 6000);
  }
  EXPECT_NE(warnings_.str().find("kept aside as " + path_.string() + ".damaged"), std::string::npos)
      << warnings_.str();
  EXPECT_NE(warnings_.str().find("the file is empty"), std::string::npos) << warnings_.str();
}

// Every game keeps its run under the lock, with what the others wrote meanwhile.
TEST_F(RecordsTest, GamesThatEndAtOnceAreAllCounted) {
  constexpr int kGames = 8;
  std::vector<std::thread> games;
  std::vector<std::ostringstream> warnings(kGames);
  for (int i = 0; i < kGames; ++i) {
    games.emplace_back([this, i, &warnings] {
      RecordsFile file(path_, warnings[static_cast<std::size_t>(i)]);
      for (int j = 0; j < 20; ++j) file.Keep(WholeRun(1000 + 10 * i + j, 2000 - i, 3000 + j));
    });
  }
  for (std::thread& game : games) game.join();
  const BestTimes best = RecordsFile(path_, warnings_).Load();
  EXPECT_EQ(best.SplitOf(WindowId::Level1), 1000);
  EXPECT_EQ(best.SplitOf(WindowId::Level2), 2000 - kGames + 1);
  EXPECT_EQ(best.SplitOf(WindowId::Level3), 3000);
  EXPECT_EQ(best.run, 6000) << "the first game's first run";
  for (const auto& w : warnings) EXPECT_EQ(w.str(), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(path_.parent_path()), fs::directory_iterator()), 2)
      << "the file and its lock, nothing left half written";
}

}  // namespace
}  // namespace reddoor
