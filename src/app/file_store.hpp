#pragma once
// Files the game keeps for the player (settings, best times): read whole, and written aside
// and then put in place, so that a failure or a second game never leaves half a file.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace reddoor {

// The file's bytes; none, with `error` set, when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::error_code& error);

// Replaces the file with `text`, making its folder where needed.
std::error_code ReplaceFile(const std::filesystem::path& path, const std::string& text);

// Makes the folder and those above it that are missing, from the top down; `error` says why
// one cannot be made. Not std::filesystem::create_directories: on Windows, libstdc++'s climbs
// on past a drive that does not exist until it gives up with "File name too long".
void MakeFolders(const std::filesystem::path& folder, std::error_code& error);

}  // namespace reddoor
