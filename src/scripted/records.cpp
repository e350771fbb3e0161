#include "scripted/records.hpp"

#include <fmt/format.h>

#include <stdexcept>

namespace reddoor {

namespace {

// A longest time of ten years keeps every sum of times far from overflowing.
constexpr std::int64_t kLongestMs = std::int64_t{10} * 366 * 24 * 3600 * 1000;

std::int64_t Milliseconds(const nlohmann::json& value, std::string_view what) {
  if (!value.is_number_integer() || value.get<std::int64_t>() < 0 ||
      value.get<std::int64_t>() > kLongestMs) {
    throw std::invalid_argument(fmt::format("{} is not a time in milliseconds", what));
  }
  return value.get<std::int64_t>();
}

nlohmann::json SplitsToJson(const std::vector<Split>& splits) {
  nlohmann::json json = nlohmann::json::object();
  for (const Split& s : splits) json[std::string(WindowName(s.level))] = s.ms;
  return json;
}

std::vector<Split> SplitsFromJson(const nlohmann::json& json, std::string_view what) {
  if (!json.is_object()) throw std::invalid_argument(fmt::format("{} is not an object", what));
  std::vector<Split> splits;
  for (WindowId level : kLevels) {
    const std::string name(WindowName(level));
    if (json.contains(name)) {
      splits.push_back({level, Milliseconds(json[name], fmt::format("{} of {}", name, what))});
    }
  }
  if (splits.size() != json.size()) {
    throw std::invalid_argument(fmt::format("{} names no level", what));
  }
  return splits;
}

}  // namespace

nlohmann::json BestTimesToJson(const BestTimes& best) {
  nlohmann::json json = nlohmann::json::object();
  if (best.run) json["run"] = {{"ms", *best.run}, {"splits", SplitsToJson(best.runSplits)}};
  std::vector<Split> splits;
  for (WindowId level : kLevels) {
    if (const auto ms = best.SplitOf(level)) splits.push_back({level, *ms});
  }
  json["splits"] = SplitsToJson(splits);
  return json;
}

BestTimes BestTimesFromJson(const nlohmann::json& json) {
  if (!json.is_object()) throw std::invalid_argument("not a JSON object");
  BestTimes best;
  if (json.contains("run")) {
    const nlohmann::json& run = json["run"];
    if (!run.is_object() || !run.contains("ms")) {
      throw std::invalid_argument("\"run\" has no time");
    }
    best.run = Milliseconds(run["ms"], "the run's \"ms\"");
    if (run.contains("splits")) best.runSplits = SplitsFromJson(run["splits"], "the run's splits");
  }
  if (json.contains("splits")) {
    for (const Split& s : SplitsFromJson(json["splits"], "\"splits\"")) {
      best.splits[LevelIndex(s.level)] = s.ms;
    }
  }
  return best;
}

std::optional<BestTimes> ParseBestTimes(std::string_view text, std::string& why) {
  try {
    return BestTimesFromJson(nlohmann::json::parse(text));
  } catch (const nlohmann::json::parse_error& e) {
    why = text.empty() ? "the file is empty" : fmt::format("not JSON at byte {}", e.byte);
  } catch (const std::exception& e) {
    why = e.what();
  }
  return std::nullopt;
}

std::string DescribeBestTimes(const BestTimes& best) {
  std::string text = "Best run: ";
  text += best.run ? fmt::format("{} ({})", FormatRunTime(*best.run), FormatSplits(best.runSplits))
                   : std::string("none yet");
  std::vector<Split> splits;
  std::int64_t sum = 0;
  for (WindowId level : kLevels) {
    if (const auto ms = best.SplitOf(level)) {
      splits.push_back({level, *ms});
      sum += *ms;
    }
  }
  text += "\nBest splits: ";
  if (splits.empty()) return text + "none yet\n";
  text += FormatSplits(splits);
  if (splits.size() == kLevels.size()) text += fmt::format(" (together {})", FormatRunTime(sum));
  return text + '\n';
}

}  // namespace reddoor
