# The web build (Emscripten) links none of the desktop's libraries. fmt, nlohmann-json and CLI11
# work from their headers alone, and the page decodes the pictures with stb_image, a header too,
# so Debian's headers serve here; the include folder holds only links to those, never the
# host's whole /usr/include.
set(REDDOOR_WEB_INCLUDE ${CMAKE_BINARY_DIR}/web-include)
file(MAKE_DIRECTORY ${REDDOOR_WEB_INCLUDE})
foreach(library fmt nlohmann CLI stb)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} is missing: run tools/build-web.sh, which installs it")
  endif()
  file(CREATE_LINK /usr/include/${library} ${REDDOOR_WEB_INCLUDE}/${library} SYMBOLIC)
endforeach()
foreach(target fmt::fmt nlohmann_json::nlohmann_json CLI11::CLI11 stb::image)
  add_library(${target} INTERFACE IMPORTED)
  target_include_directories(${target} SYSTEM INTERFACE ${REDDOOR_WEB_INCLUDE})
endforeach()
target_compile_definitions(fmt::fmt INTERFACE FMT_HEADER_ONLY)
# The game reports its faults and a script's bad lines as exceptions; Emscripten turns them off
# unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
