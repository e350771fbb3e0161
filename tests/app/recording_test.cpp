// A game recorded as it is played, then replayed by the scripted run: the replay prints the
// lines that the recording noted, the final state included, and that state is the played one.
// The replay reads back every kind of line the recorder writes.
#include "app/recording.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/dump.hpp"
#include "support/script_run.hpp"
#include "support/test_platform.hpp"

namespace reddoor {
namespace {

// The desktop stand-in tells the recorder what the player sees, as the real windows do.
class RecordingTest : public ::testing::Test {
 protected:
  RecordingTest() {
    platform_.onShown = [this](const Window& window) { recorder_.WindowShown(window); };
    platform_.onMessage = [this](const Window&, std::string_view text) {
      recorder_.MessageShown(text);
    };
    recorder_.Started(runtime_);
  }

  void At(std::int64_t t) { runtime_.RunTimersUntil(t); }
  void Key(Key key, bool down) {
    if (down ? platform_.keys.Down(key) : platform_.keys.Up(key)) recorder_.KeyChanged(key, down);
  }
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
  ScriptRecorder recorder_{recording_, WindowId::Intro};
  test::TestPlatform platform_;
  Runtime runtime_{platform_};
};

TEST_F(RecordingTest, TheReplayPlaysTheRecordedGame) {
  runtime_.Get(WindowId::Intro).Show();
  At(1234);
  recorder_.Clicked("CmdPlay");
  runtime_.Get(WindowId::Intro).Click("CmdPlay");
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
  recorder_.Ended();

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

TEST(ScriptRecorderTest, AGameStartedOnALevelSaysSoOnItsFirstLine) {
  std::ostringstream recording;
  ScriptRecorder recorder(recording, WindowId::Level2);
  test::TestPlatform platform;
  Runtime runtime(platform);
  recorder.Started(runtime);
  EXPECT_EQ(recording.str().substr(0, recording.str().find('\n')), "# args: --start Level2");
}

}  // namespace
}  // namespace reddoor
