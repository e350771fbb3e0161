// The program's own faults, as a user meets them: one clear line on standard error naming the
// thing and what to do, and a non-zero exit status; never a crash or a silent success.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace reddoor {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Read(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliErrorsTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the game through the shell: `prefix` goes before the binary (environment changes),
  // `args` after it; `script` is its standard input.
  Outcome Run(const std::string& prefix, const std::string& args, const std::string& script = "") {
    const fs::path input = dir_ / "input", output = dir_ / "output", errors = dir_ / "errors";
    std::ofstream(input) << script;
    const std::string command = prefix + " '" REDDOOR_BINARY "' " + args + " <'" + input.string() +
                                "' >'" + output.string() + "' 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(output), Read(errors)};
  }

  // One line that names every one of `words`.
  static void ExpectOneLineNaming(const Outcome& outcome, const std::vector<std::string>& words) {
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    for (const std::string& word : words) {
      EXPECT_NE(outcome.err.find(word), std::string::npos) << outcome.err;
    }
  }

  const fs::path dir_ =
      fs::temp_directory_path() / ("reddoor-cli-" + std::to_string(getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

// A file that cannot be read or written is named, with the reason where the system gives one.
TEST_F(CliErrorsTest, AFileThatCannotBeReadOrWrittenIsNamed) {
  const std::string dir = dir_.string();
  const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
      {"--script /nonexistent/moves.script", "", {"/nonexistent/moves.script", "No such file"}},
      // A directory opens like a file; reading it must not pass for an empty script.
      {"--script '" + dir + "'", "", {dir, "Is a directory"}},
      {"--script -", "screenshot /nonexistent/dir/shot.png\n", {"/nonexistent/dir/shot.png"}},
      {"--render Level1 /nonexistent/dir/level1.png", "", {"/nonexistent/dir/level1.png"}},
      {"--record /nonexistent/game.script", "", {"/nonexistent/game.script", "No such file"}},
      // A full disk is a failure too, never a success.
      {"--script -", "screenshot /dev/full\n", {"/dev/full"}},
      {"--render Intro /dev/full", "", {"/dev/full"}},
      {"--record /dev/full", "", {"recording /dev/full", "No space left"}},
      // A recording that cannot be read cannot be checked.
      {"--verify /nonexistent/run.script", "", {"/nonexistent/run.script", "No such file"}}};
  for (const auto& [args, script, words] : cases) {
    SCOPED_TRACE(args);
    const Outcome outcome = Run("", args, script);
    EXPECT_EQ(outcome.status, args.starts_with("--verify") ? 2 : 1);
    ExpectOneLineNaming(outcome, words);
  }
}

// fontconfig with a configuration that lists no font directory finds no font at all.
TEST_F(CliErrorsTest, AMissingFontIsNamedWithItsPackage) {
  const fs::path config = dir_ / "fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  const std::string noFonts = "FONTCONFIG_FILE='" + config.string() + "'";
  const fs::path shot = dir_ / "shot.png";
  for (const std::string& args :
       {std::string("--script -"), "--render Intro '" + shot.string() + "'"}) {
    SCOPED_TRACE(args);
    const Outcome outcome = Run(noFonts, args, "screenshot " + shot.string() + "\n");
    EXPECT_EQ(outcome.status, 1);
    ExpectOneLineNaming(outcome, {"Liberation Sans", "fonts-liberation2"});
    EXPECT_FALSE(fs::exists(shot));
  }
}

TEST_F(CliErrorsTest, ATimingLogThatCannotBeWrittenEndsTheGameAtOnce) {
  const Outcome outcome = Run("SDL_VIDEODRIVER=dummy", "--timing-log /dev/full");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("reddoor: cannot write the timing log /dev/full: No space left"),
            std::string::npos)
      << outcome.err;
}

// A bad line is quoted, not echoed whole.
TEST_F(CliErrorsTest, ABadLineIsQuotedShortAndPrintable) {
  const Outcome outcome = Run("", "--script -", std::string(1'000'000, 'x') + "\x1b[2J\n");
  EXPECT_EQ(outcome.status, 2);
  ExpectOneLineNaming(outcome, {"script:1:", "unknown command \"xxxx"});
  EXPECT_LT(outcome.err.size(), 120u) << outcome.err.size();
}

TEST_F(CliErrorsTest, WithoutADisplayTheGameSuggestsTheScriptedRun) {
  const Outcome outcome = Run("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", "");
  EXPECT_EQ(outcome.status, 1);
  ExpectOneLineNaming(outcome, {"display", "--script"});
}

// A usage error is one line naming it and one pointing to the help, and exit status 2; nothing
// else happens.
TEST_F(CliErrorsTest, UsageErrorsSayWhatIsWrongAndWhereTheHelpIs) {
  const fs::path recording = dir_ / "game.script";
  for (const auto& [args, named] : std::vector<std::tuple<std::string, std::string>>{
           {"--script - --record '" + recording.string() + "'", "--record"},
           {"--script - --timing-log '" + recording.string() + "'", "--timing-log"},
           {"--render Intro", "--render"},
           {"--start Level4", "Level4"},
           {"--scale 9", "9"},
           {"--speed 24", "24"},
           {"--script - --speed 50", "--speed"},
           {"--script - --verify '" + recording.string() + "'", "--verify"},
           {"--keys --records", "--records"},
           {"--jump", "--jump"}}) {
    const Outcome outcome = Run("", args, "dump\n");
    EXPECT_EQ(outcome.status, 2) << args;
    EXPECT_EQ(outcome.err.rfind("reddoor: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find(named), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("--help"), std::string::npos) << outcome.err;
    EXPECT_TRUE(outcome.out.empty()) << outcome.out;
  }
  EXPECT_FALSE(fs::exists(recording));
}

TEST_F(CliErrorsTest, TheHelpGivesEveryOptionOneLine) {
  const Outcome outcome = Run("", "--help");
  EXPECT_EQ(outcome.status, 0);
  for (const char* option : {"--help", "--version", "--script FILE", "--start Level1|Level2|Level3",
                             "--render WINDOW FILE.png", "--scale N", "--fullscreen",
                             "--record FILE", "--timing-log FILE", "--timer", "--speed PERCENT",
                             "--verify FILE", "--keys", "--records"}) {
    const std::size_t at = outcome.out.find(option);
    ASSERT_NE(at, std::string::npos) << option << " is missing from\n" << outcome.out;
    const std::string line = outcome.out.substr(at, outcome.out.find('\n', at) - at);
    EXPECT_GT(line.size(), std::string(option).size() + 10) << "no description: " << line;
  }
  EXPECT_NE(outcome.out.find("~/.config/reddoor/settings.json"), std::string::npos);
  EXPECT_NE(outcome.out.find("~/.local/share/reddoor/records.json"), std::string::npos);
}

// A wait that could run for hours is a bad line; the limit is a wait of 24.8 days.
TEST_F(CliErrorsTest, AWaitLongerThanTheLimitIsABadLine) {
  const Outcome far = Run("", "--script -", "click Play\nwait 2147483648\n");
  EXPECT_EQ(far.status, 2);
  ExpectOneLineNaming(far, {"script:2:", "2147483648", "2147483647"});
}

}  // namespace
}  // namespace reddoor
