# Writes OUTPUT, a C++ source that holds the bytes of each file in INPUTS and hands them out by
# the file's name without its extension (assets/man-right.bmp is "man-right").
set(body "")
set(table "")
set(n 0)
foreach(input IN LISTS INPUTS)
  get_filename_component(name "${input}" NAME_WE)
  file(READ "${input}" hex HEX)
  string(LENGTH "${hex}" len)
  math(EXPR size "${len} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND body "const std::uint8_t kFile${n}[${size}] = {\n${bytes}\n};\n")
  string(APPEND table "    {\"${name}\", {kFile${n}, ${size}}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from the pictures under assets/. Do not edit.
#include <cstdint>
#include <span>
#include <string_view>

#include \"scene/pictures.hpp\"

namespace reddoor {
namespace {
${body}
struct EmbeddedFile {
  std::string_view name;
  std::span<const std::uint8_t> bytes;
};
const EmbeddedFile kFiles[] = {
${table}};
}  // namespace

std::span<const std::uint8_t> EmbeddedPicture(std::string_view name) {
  for (const EmbeddedFile& file : kFiles) {
    if (file.name == name) return file.bytes;
  }
  return {};
}

}  // namespace reddoor
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
