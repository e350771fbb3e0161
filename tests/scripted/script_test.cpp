// The scripted run's own rules: a dump of named controls, and a name the window lacks.
#include "scripted/script.hpp"

#include <gtest/gtest.h>

#include "support/script_run.hpp"

namespace reddoor {
namespace {

TEST(DumpTest, NamedControlsAloneAndAnUnknownNameIsABadLine) {
  const auto run = test::RunScriptText("click Play\ndump lblTotalCoins Man\ndump Nope\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, "script:3: dump: Level1 has no control \"Nope\"\n");
  const auto& controls = run.LastDump().at("controls");
  EXPECT_EQ(controls.size(), 2u);
  EXPECT_TRUE(controls.contains("lblTotalCoins") && controls.contains("Man"));
  EXPECT_EQ(run.LastDump().at("vars").at("Speed"), 125);
  const ScriptCommand command = *ParseScriptLine("dump Man  Monster(0)");
  EXPECT_EQ(FormatScriptLine(command), "dump Man Monster(0)");
}

// A recording made on a level says so on its first line, and replays from there by itself; the
// command line's start goes first, and a first line that asks for more is a bad line.
TEST(ArgsLineTest, TheFirstLineChoosesTheStartUnlessTheCommandLineDoes) {
  const std::string script = "# args: --start Level2\ndump Man\n";
  EXPECT_EQ(test::RunScriptText(script).LastDump().at("visible"), "Level2");
  EXPECT_EQ(test::RunScriptText(script, WindowId::Level3).LastDump().at("visible"), "Level3");
  const auto bad = test::RunScriptText("# args: --scale 2\n");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.errors.rfind("script:1: ", 0), 0u) << bad.errors;
}

}  // namespace
}  // namespace reddoor
