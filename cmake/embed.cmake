# Writes OUTPUT, a C++ source that holds the bytes of each file in INPUTS, in order, and a
# function that hands them out by picture.
set(body "")
set(table "")
set(n 0)
foreach(input IN LISTS INPUTS)
  file(READ "${input}" hex HEX)
  string(LENGTH "${hex}" len)
  math(EXPR size "${len} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND body "const std::uint8_t kPicture${n}[${size}] = {\n${bytes}\n};\n")
  string(APPEND table "      {kPicture${n}, ${size}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from the pictures under assets/. Do not edit.
#include <cstdint>
#include <span>

#include \"scene/pictures.hpp\"

namespace reddoor {
namespace {
${body}
}  // namespace

std::span<const std::uint8_t> PictureFile(PictureId id) {
  static const std::span<const std::uint8_t> files[] = {
${table}  };
  const int i = static_cast<int>(id) - 1;
  if (i < 0 || i >= static_cast<int>(std::size(files))) return {};
  return files[i];
}

}  // namespace reddoor
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
