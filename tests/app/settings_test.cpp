// The settings kept from one game to the next: read back as written, and a file that is
// damaged, unreadable or unwritable costs one warning and never the game.
#include "app/settings.hpp"

#include <gtest/gtest.h>
#include <unistd.h>
#if defined(_WIN32)
#include <windows.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace reddoor {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir_); }
  int WarningLines() const {
    const std::string text = warnings_.str();
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }

  const fs::path dir_ =
      fs::temp_directory_path() / ("reddoor-settings-" + std::to_string(getpid()));
  const fs::path path_ = dir_ / "reddoor" / "settings.json";
  std::ostringstream warnings_;
};

TEST_F(SettingsTest, WhatIsSavedIsLoadedAndNoFileGivesTheDefaultsQuietly) {
  SettingsFile file(path_, warnings_);
  EXPECT_EQ(file.Load().scale, 0);
  file.Save({.scale = 3, .fullscreen = true});
  const Settings loaded = file.Load();
  EXPECT_EQ(loaded.scale, 3);
  EXPECT_TRUE(loaded.fullscreen);
  EXPECT_EQ(WarningLines(), 0) << warnings_.str();
}

TEST_F(SettingsTest, ADamagedOrUnreadableFileIsOneWarningAndTheDefaults) {
  // 4294967298 is 2 once cut to 32 bits.
  // An empty file and a binary one are said to be damaged in words, without the bytes.
  for (const std::string text : {"{\"scale\": 2", "[]", "{\"scale\": 9}", "{\"scale\": 4294967298}",
                                 "{\"fullscreen\": 1}", "{\"speed\": 24}", "{\"keys\": []}", "",
                                 "\x7f"
                                 "ELF\x02\x01\x01\x1b[2J"}) {
    fs::create_directories(path_.parent_path());
    std::ofstream(path_) << text;
    const Settings loaded = SettingsFile(path_, warnings_).Load();
    EXPECT_EQ(loaded.scale, 0) << text;
    EXPECT_FALSE(loaded.fullscreen) << text;
  }
  fs::remove(path_);
  fs::create_directories(path_);  // a folder where the file should be cannot be read
  SettingsFile(path_, warnings_).Load();
  EXPECT_EQ(WarningLines(), 10) << warnings_.str();
  EXPECT_NE(warnings_.str().find(path_.string()), std::string::npos);
  EXPECT_NE(warnings_.str().find("the file is empty"), std::string::npos) << warnings_.str();
  EXPECT_EQ(warnings_.str().find("Success"), std::string::npos) << warnings_.str();
  EXPECT_TRUE(std::ranges::all_of(warnings_.str(), [](char c) {
    return c == '\n' || (c >= ' ' && c < 127);
  })) << warnings_.str();
}

// The player's key map is read as written, what cannot be used is named, and the game's own
// saves keep the rest of the file as the player wrote it.
TEST_F(SettingsTest, AKeyMapIsReadNamesWhatItCannotUseAndOutlivesTheGamesSaves) {
  fs::create_directories(path_.parent_path());
  const std::string written =
      R"({"keys": {"jump": ["w", "Up", "Spcae"], "walk-left": "a", "pause": ["Nope"],)"
      R"( "timer": [], "jumpp": ["J"]}, "buttons": {"call-bird": ["b", "z"]},)"
      R"( "speed": 50, "timer": true, "note": "mine"})";
  std::ofstream(path_) << written;
  SettingsFile file(path_, warnings_);
  Settings settings = file.Load();
  EXPECT_EQ(settings.keys.KeysOf(Action::Jump), (std::vector<std::string>{"W", "Up"}));
  EXPECT_EQ(settings.keys.KeysOf(Action::WalkLeft), std::vector<std::string>{"A"});
  EXPECT_EQ(settings.keys.KeysOf(Action::Pause), DefaultKeyMap().KeysOf(Action::Pause))
      << "an action left with no key keeps its default";
  EXPECT_TRUE(settings.keys.KeysOf(Action::Timer).empty()) << "no key at all, as asked";
  EXPECT_EQ(settings.keys.ButtonsOf(Action::CallBird), std::vector<std::string>{"b"});
  EXPECT_EQ(settings.keys.KeysOf(Action::WalkRight), DefaultKeyMap().KeysOf(Action::WalkRight));
  EXPECT_EQ(settings.speed, 50);
  EXPECT_TRUE(settings.timer);
  for (const char* named : {"\"Spcae\"", "\"Nope\"", "\"jumpp\"", "\"z\""}) {
    EXPECT_NE(warnings_.str().find(named), std::string::npos) << named << warnings_.str();
  }
  EXPECT_EQ(WarningLines(), 4) << warnings_.str();

  settings.scale = 2;
  settings.timer = false;
  file.Save(settings);
  std::ostringstream quiet;
  const Settings again = SettingsFile(path_, quiet).Load();
  EXPECT_EQ(again.keys, settings.keys);
  EXPECT_EQ(again.scale, 2);
  EXPECT_FALSE(again.timer);
  std::ifstream in(path_);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(in), {}).find("\"note\":\"mine\""),
            std::string::npos);
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenIsOneWarningThatSaysWhy) {
  fs::create_directories(dir_);
  std::ofstream(dir_ / "reddoor") << "a file where the folder should be";
  SettingsFile file(path_, warnings_);
  file.Save({.scale = 2, .fullscreen = false});
  file.Save({.scale = 2, .fullscreen = true});
  EXPECT_EQ(WarningLines(), 1) << warnings_.str();
  EXPECT_NE(warnings_.str().find(": Not a directory\n"), std::string::npos) << warnings_.str();
}

#if defined(_WIN32)
// %APPDATA% on a drive that is not there: nothing above the folder exists, down from the root.
TEST_F(SettingsTest, AFolderOnAMissingDriveIsOneWarningThatSaysWhy) {
  const DWORD drives = GetLogicalDrives();
  char letter = 'Y';
  while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
  const fs::path path = fs::path(std::string{letter} + ":\\") / "Roaming" / "reddoor" / "s.json";
  SettingsFile(path, warnings_).Save({.scale = 2, .fullscreen = false});
  EXPECT_EQ(warnings_.str(), "reddoor: cannot keep the settings in " + path.string() +
                                 ": No such file or directory\n");
}
#endif

}  // namespace
}  // namespace reddoor
