// A game recorded as it is played, then replayed by the scripted run: the replay prints the
// lines that the recording noted, the final state included, and that state is the played one.
// The replay reads back every kind of line the recorder writes.
#include "app/recording.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/dump.hpp"
#include "platform/headless.hpp"
#include "script_run.hpp"

namespace reddoor {
namespace {

// A desktop stand-in: the game's keys, and its windows and messages told to the recorder,
// as the real windows tell them.
class RecordedPlatform : public Platform {
 public:
  explicit RecordedPlatform(SessionRecorder& recorder) : recorder_(recorder) {}
  bool KeyPressed(Key key) override { return keys.Poll(key); }
  void ShowMessage(std::string_view text) override { recorder_.MessageShown(text); }
  void WindowShown(Form& form) override { recorder_.WindowShown(form); }
  void WindowHidden(Form& /*form*/) override {}
  void WindowUnloaded(Form& /*form*/) override {}

  KeyLatch keys;

 private:
  SessionRecorder& recorder_;
};

class RecordingTest : public ::testing::Test {
 protected:
  RecordingTest() { recorder_.Started(runtime_); }

  void At(std::int64_t t) { runtime_.RunTimersUntil(t); }
  void Key(Key key, bool down) {
    if (down ? platform_.keys.Down(key) : platform_.keys.Up(key)) recorder_.KeyChanged(key, down);
  }
  // The lines noted in the recording's comments, as JSON.
  std::vector<nlohmann::json> Noted() const {
    std::vector<nlohmann::json> lines;
    std::istringstream in(recording_.str());
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("# {", 0) == 0) lines.push_back(nlohmann::json::parse(line.substr(2)));
    }
    return lines;
  }

  std::ostringstream recording_;
  ScriptRecorder recorder_{recording_, FormId::Intro};
  RecordedPlatform platform_{recorder_};
  Runtime runtime_{platform_};
};

TEST_F(RecordingTest, TheReplayPlaysTheRecordedGame) {
  runtime_.Window(FormId::Intro).Show();
  At(1234);
  recorder_.Clicked("CmdPlay");
  runtime_.Window(FormId::Intro).Click("CmdPlay");
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
  const nlohmann::json played = DumpState(runtime_);
  recorder_.Ended();

  const std::vector<nlohmann::json> noted = Noted();
  ASSERT_FALSE(noted.empty());
  EXPECT_EQ(noted.back(), played);
  EXPECT_NE(recording_.str().find("\"event\":\"message\""), std::string::npos)
      << "the player did not die:\n"
      << recording_.str();
  const testing::ScriptResult replay = testing::RunScriptText(recording_.str());
  ASSERT_EQ(replay.status, 0) << replay.errors;
  EXPECT_EQ(replay.lines, noted) << recording_.str();
}

TEST(ScriptRecorderTest, AGameStartedOnALevelSaysSoOnItsFirstLine) {
  std::ostringstream recording;
  ScriptRecorder recorder(recording, FormId::Level2);
  HeadlessPlatform platform(std::cout);
  Runtime runtime(platform);
  recorder.Started(runtime);
  EXPECT_EQ(recording.str().substr(0, recording.str().find('\n')), "# args: --start Level2");
}

}  // namespace
}  // namespace reddoor
