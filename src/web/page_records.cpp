#include "web/page_records.hpp"

#include <fmt/format.h>

#include "scripted/records.hpp"

namespace reddoor {

BestTimes PageRecords::Load() {
  const std::optional<std::string> kept = storage_.Read();
  if (!kept) return {};
  std::string why;
  if (std::optional<BestTimes> best = ParseBestTimes(*kept, why)) return *best;
  const std::string aside = storage_.SetAside();
  storage_.Note(fmt::format(
      "The best times kept in this browser were damaged ({}); kept aside as {}, and begun afresh.",
      why, aside));
  return {};
}

BestTimes PageRecords::Keep(const RunTimer& run) {
  BestTimes best = Load();
  if (best.Improve(run)) storage_.Write(BestTimesToJson(best).dump());
  return best;
}

}  // namespace reddoor
