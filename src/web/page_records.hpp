#pragma once
// The best times the page keeps in the browser, in the form of the desktop's records.json
// (scripted/records.hpp). A damaged value is kept aside, the page says so, and the best times
// begin afresh; whole runs from the title at full speed add what they did better.
#include <optional>
#include <string>
#include <string_view>

#include "game/best_times.hpp"
#include "game/run_timer.hpp"

namespace reddoor {

// Where the page keeps them: the browser's storage.
class RecordsStorage {
 public:
  virtual ~RecordsStorage() = default;
  // The value kept; none when nothing is, or the browser keeps nothing for the page.
  virtual std::optional<std::string> Read() = 0;
  virtual void Write(std::string_view value) = 0;
  // Moves the value kept out of the way; returns where it went.
  virtual std::string SetAside() = 0;
  // Tells the player, in the page.
  virtual void Note(std::string_view text) = 0;
};

class PageRecords {
 public:
  explicit PageRecords(RecordsStorage& storage) : storage_(storage) {}
  // The best times kept now.
  BestTimes Load();
  // Takes what the run did better than the storage holds now (another tab may have kept more
  // since this page loaded); returns the best times kept.
  BestTimes Keep(const RunTimer& run);

 private:
  RecordsStorage& storage_;
};

}  // namespace reddoor
