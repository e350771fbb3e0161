#pragma once
// The best times kept from one game to the next (scripted/records.hpp tells the form), in
// $XDG_DATA_HOME/reddoor/records.json (by default ~/.local/share/reddoor/); on Windows in
// %APPDATA%\reddoor\records.json. Games that end at once each add what they did better.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "game/best_times.hpp"

namespace reddoor {

class RecordsFile {
 public:
  static RecordsFile FromEnvironment(std::ostream& warnings);
  RecordsFile(std::filesystem::path path, std::ostream& warnings);

  const std::filesystem::path& Path() const { return path_; }
  // The best times kept; none yet when there is no file. A damaged or unreadable file is a
  // warning, and counts as none.
  BestTimes Load();
  // Takes what the run did better than the file holds now. A damaged file is first kept
  // aside, under a name the warning gives; a file that cannot be written is a warning.
  void Keep(const RunTimer& run);

 private:
  // The best times in the file, or none with `why` set when it is damaged or unreadable.
  std::optional<BestTimes> Read(std::string& why) const;
  void SetAside(const std::string& why);

  std::filesystem::path path_;
  std::ostream& warnings_;
  bool warnedOnSave_ = false;
};

}  // namespace reddoor
