#include "app/file_store.hpp"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>

namespace reddoor {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::error_code& error) {
  std::string text;
  // A failed read throws on its own (a folder, say), or leaves the stream bad.
  try {
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    if (in.is_open() && !in.bad()) return text;
  } catch (const std::ios_base::failure&) {
  }
  error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
  return std::nullopt;
}

std::error_code ReplaceFile(const std::filesystem::path& path, const std::string& text) {
  // A name of this writer's own: two games saving at once never write into one file.
  const std::filesystem::path written =
      path.string() + ".new" + std::to_string(std::random_device{}());
  std::error_code error;
  MakeFolders(path.parent_path(), error);
  if (!error) {
    std::ofstream out(written, std::ios::binary);
    if (!out) error = std::error_code(errno, std::generic_category());
    out << text;
    out.close();
    if (!out && !error) error = std::make_error_code(std::errc::io_error);
  }
  if (!error) std::filesystem::rename(written, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(written, ignored);
  }
  return error;
}

void MakeFolders(const std::filesystem::path& folder, std::error_code& error) {
  if (folder.empty()) return;
  const std::filesystem::file_type type = std::filesystem::status(folder, error).type();
  if (type == std::filesystem::file_type::not_found) {
    error.clear();
    if (folder.has_relative_path()) MakeFolders(folder.parent_path(), error);
    if (!error) std::filesystem::create_directory(folder, error);
  } else if (!error && type != std::filesystem::file_type::directory) {
    error = std::make_error_code(std::errc::not_a_directory);
  }
}

}  // namespace reddoor
