// A game recorded as it is played, then replayed by the scripted run: the replay prints the
// lines that the recording noted, the final state included, and that state is the played one.
// The replay reads back every kind of line the recorder writes, and --verify checks it: a
// key moved by one tick fails at the first line that changed, naming the field.
#include "scripted/recording.hpp"

#include <gtest/gtest.h>

#include <fmt/format.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "scripted/dump.hpp"
#include "scripted/verify.hpp"
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

  // Plays a game with a death: Play at 1234, a walk and a jump off the ledge onto a monster.
  void PlayADeath() {
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
  }
  // --verify on this recording text: the status, and what it printed on each stream.
  struct Verified {
    int status;
    std::string out, err;
  };
  static Verified Verify(const std::string& recording) {
    std::istringstream in(recording);
    std::ostringstream out, err;
    const int status = VerifyRecording(in, "game.script", out, err);
    return {status, out.str(), err.str()};
  }
  // The number of the first line of the recording that holds `text`.
  static int LineOf(const std::string& recording, const std::string& text) {
    const std::string before = recording.substr(0, recording.find(text));
    return static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
  }

  std::ostringstream recording_;
  ScriptRecorder recorder_{recording_, WindowId::Intro, "game.script"};
  test::TestPlatform platform_;
  Runtime runtime_{platform_};
};

TEST_F(RecordingTest, TheReplayPlaysTheRecordedGame) {
  PlayADeath();
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

TEST_F(RecordingTest, VerifyPassesTheRecordedGameAndFailsAKeyMovedByOneTick) {
  PlayADeath();
  recorder_.Ended(runtime_);
  const std::string recording = recording_.str();
  const Verified good = Verify(recording);
  EXPECT_EQ(good.status, 0) << good.err;
  // The run began with the click on Play.
  EXPECT_EQ(good.out,
            "closing window not reached (ends on Level1), game time 0:03.766, 0 coins, 1 death\n");

  // The walk to the right starts a tick earlier: the player dies elsewhere, at another time.
  std::string moved = recording;
  const std::string walk = "wait 216\ndown Right\nwait 11\n";  // 1450 after Play at 1234
  const std::size_t at = moved.find(walk);
  ASSERT_NE(at, std::string::npos) << recording;
  moved.replace(at, walk.size(), "wait 116\ndown Right\nwait 111\n");
  const Verified tampered = Verify(moved);
  EXPECT_EQ(tampered.status, 1);
  EXPECT_EQ(tampered.out, "");
  const int messageLine = LineOf(moved, "\"event\":\"message\"");
  EXPECT_TRUE(tampered.err.starts_with(
      fmt::format("reddoor: game.script:{}: the replay differs in \"t\": recorded ", messageLine)))
      << tampered.err;
  EXPECT_EQ(tampered.err.find("recorded by"), std::string::npos) << "the same version played it";

  // Another version that plays it differently says so.
  std::string older = moved;
  const std::string version = "played by reddoor " REDDOOR_VERSION ";";
  older.replace(older.find(version), version.size(), "played by reddoor 0.0.1;");
  EXPECT_NE(Verify(older).err.find("(recorded by reddoor 0.0.1; reddoor "), std::string::npos);
}

TEST(VerifyTest, WhatIsNoRecordingIsStatusTwoAndSaysWhy) {
  const std::string head = fmt::format("# {} 0.1.0; replay it\n", kRecordingMark);
  const std::pair<std::string, std::string> cases[] = {
      {"", "it does not say which game played it"},
      {"\x7f"
       "ELF\x02\x01\x01\x1b[2J\n",
       "it does not say which game played it"},
      {"wait 100\n# {\"t\":0}\n", "it does not say which game played it"},
      {head + "wait 100\n", "it carries no state lines"},
      {head + "# {\"t\":0,\n", "line 2 is no state line"},
      {head + "# {\"t\":0}\nwalk 100\n", "line 3: unknown command"}};
  for (const auto& [text, why] : cases) {
    std::istringstream in(text);
    std::ostringstream out, err;
    EXPECT_EQ(VerifyRecording(in, "x.script", out, err), 2) << text;
    EXPECT_TRUE(err.str().starts_with("reddoor: x.script is no recording of a game: " + why))
        << err.str();
  }
}

}  // namespace
}  // namespace reddoor
