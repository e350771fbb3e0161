// A game recorded as it is played, then replayed by the scripted run: the replay prints the
// lines that the recording noted, the final state included, and that state is the played one.
// The replay reads back every kind of line the recorder writes.
#include "scripted/recording.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scripted/dump.hpp"
#include "support/script_run.hpp"
#include "support/test_platform.hpp"

namespace reddoor {
namespace {

// The game tells the recorder what the player does and sees, as in the real windows.
class RecordingTest : public ::testing::Test {
 protected:
  RecordingTest() { runtime_.SetRecorder(&recorder_); }

  void At(std::int64_t t) { runtime_.RunAnsweringUntil(t); }
  void Key(Key key, bool down) { down ? runtime_.KeyDown(key) : runtime_.KeyUp(key); }
  // The lines noted in the recording's comments, as JSON.
  std::vector<test::Json> Noted() const {
    std::vector<test::Json> lines;
    std::istringstream in(recording_.str());
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with("# {")) lines.push_back(test::Json::parse(line.substr(2)));
    }
    return lines;
  }

  std::ostringstream recording_;
  ScriptRecorder recorder_{recording_, WindowId::Intro, "game.script"};
  test::TestPlatform platform_;
  Runtime runtime_{platform_};
};

TEST_F(RecordingTest, TheReplayPlaysTheRecordedGame) {
  runtime_.Get(WindowId::Intro).Show();
  At(1234);
  runtime_.Click("CmdPlay");
  At(1450);
  Key(Key::Right, true);
  At(1461);
  Key(Key::Space, true);
  Key(Key::Space, false);
  At(2900);  // off the ledge, onto the monster
  Key(Key::Right, false);
  At(4077);
  Key(Key::Left, true);
  At(4377);
  Key(Key::Left, false);
  At(5000);
  const test::Json played = DumpState(runtime_);
  recorder_.Ended(runtime_);

  const std::vector<test::Json> noted = Noted();
  ASSERT_FALSE(noted.empty());
  EXPECT_EQ(noted.back(), played);
  EXPECT_NE(recording_.str().find("\"event\":\"message\""), std::string::npos)
      << "the player did not die:\n"
      << recording_.str();
  const test::ScriptResult replay = test::RunScriptText(recording_.str());
  ASSERT_EQ(replay.status, 0) << replay.errors;
  EXPECT_EQ(replay.lines, noted) << recording_.str();
}

}  // namespace
}  // namespace reddoor
