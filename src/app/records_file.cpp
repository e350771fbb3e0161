#include "app/records_file.hpp"

#include <fmt/format.h>

#include <system_error>

#include "app/file_lock.hpp"
#include "app/file_store.hpp"
#include "app/user_paths.hpp"
#include "scripted/records.hpp"

namespace reddoor {

RecordsFile RecordsFile::FromEnvironment(std::ostream& warnings) {
  return {RecordsPathFromEnvironment(), warnings};
}

RecordsFile::RecordsFile(std::filesystem::path path, std::ostream& warnings)
    : path_(std::move(path)), warnings_(warnings) {}

std::optional<BestTimes> RecordsFile::Read(std::string& why) const {
  std::error_code error;
  if (path_.empty() || !std::filesystem::exists(path_, error)) return BestTimes{};
  const std::optional<std::string> text = ReadWholeFile(path_, error);
  if (!text) {
    why = fmt::format("cannot be read: {}", error.message());
    return std::nullopt;
  }
  return ParseBestTimes(*text, why);
}

BestTimes RecordsFile::Load() {
  std::string why;
  if (std::optional<BestTimes> best = Read(why)) return *best;
  warnings_ << fmt::format("reddoor: the best times in {} are damaged ({}); none are shown\n",
                           path_.string(), why);
  return {};
}

// The damaged file is renamed beside itself, to the first name not taken yet.
void RecordsFile::SetAside(const std::string& why) {
  std::error_code error;
  for (int n = 1; n < 1000; ++n) {
    const std::filesystem::path aside =
        path_.string() + (n == 1 ? std::string(".damaged") : fmt::format(".damaged{}", n));
    if (std::filesystem::exists(aside, error)) continue;
    std::filesystem::rename(path_, aside, error);
    if (!error) {
      warnings_ << fmt::format(
          "reddoor: the best times in {} were damaged ({}); kept aside as {}, and begun afresh\n",
          path_.string(), why, aside.string());
    }
    return;
  }
}

void RecordsFile::Keep(const RunTimer& run) {
  if (path_.empty()) return;
  std::error_code error;
  MakeFolders(path_.parent_path(), error);
  const FileLock lock(path_.string() + ".lock");
  std::string why;
  std::optional<BestTimes> best = Read(why);
  if (!best) {
    SetAside(why);
    best.emplace();
  }
  if (!best->Improve(run)) return;
  error = ReplaceFile(path_, BestTimesToJson(*best).dump() + '\n');
  if (error && !std::exchange(warnedOnSave_, true)) {
    warnings_ << fmt::format("reddoor: cannot keep the best times in {}: {}\n", path_.string(),
                             error.message());
  }
}

}  // namespace reddoor
