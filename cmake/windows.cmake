# What reddoor.exe carries beyond the game: SDL's entry point (the command line as UTF-8), the
# console it meets (src/app/console_windows.cpp), and its resources: the icon in five sizes,
# the version and the manifest (per-monitor DPI awareness, UTF-8 as the code page).
target_sources(reddoor PRIVATE src/app/console_windows.cpp)
target_link_libraries(reddoor PRIVATE SDL2::SDL2main)

find_program(ICOTOOL icotool REQUIRED)
set(REDDOOR_ICO ${CMAKE_BINARY_DIR}/generated/reddoor.ico)
set(icon_sizes ${CMAKE_SOURCE_DIR}/assets/icons/reddoor-32.png ${CMAKE_SOURCE_DIR}/assets/reddoor.png
    ${CMAKE_SOURCE_DIR}/assets/icons/reddoor-64.png ${CMAKE_SOURCE_DIR}/assets/icons/reddoor-128.png)
# The largest size is kept as PNG inside the icon, as Windows expects it.
add_custom_command(
  OUTPUT ${REDDOOR_ICO}
  COMMAND ${ICOTOOL} -c -o ${REDDOOR_ICO} ${icon_sizes}
          -r ${CMAKE_SOURCE_DIR}/assets/icons/reddoor-256.png
  DEPENDS ${icon_sizes} ${CMAKE_SOURCE_DIR}/assets/icons/reddoor-256.png
  VERBATIM)

set(REDDOOR_VERSION4 ${PROJECT_VERSION}.0)
string(REPLACE "." "," REDDOOR_VERSION_COMMAS ${REDDOOR_VERSION4})
set(REDDOOR_MANIFEST ${CMAKE_BINARY_DIR}/generated/reddoor.manifest)
configure_file(dist/windows/reddoor.manifest ${REDDOOR_MANIFEST} @ONLY)
set(rc ${CMAKE_BINARY_DIR}/generated/reddoor.rc)
configure_file(dist/windows/reddoor.rc.in ${rc} @ONLY)
set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${REDDOOR_ICO};${REDDOOR_MANIFEST}")
target_sources(reddoor PRIVATE ${rc})

# Windows has no fontconfig: the faces the game draws with go beside the exe, in fonts/
# (src/sdl/font_files_windows.cpp); tools/build-windows.sh puts them into the zip from here, with
# their licences. The tests find them beside themselves.
set(REDDOOR_WINDOWS_FONTS
    /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
    /usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf
    /usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf)
file(COPY ${REDDOOR_WINDOWS_FONTS} DESTINATION ${CMAKE_BINARY_DIR}/fonts)
file(COPY ${REDDOOR_WINDOWS_FONTS} DESTINATION ${CMAKE_BINARY_DIR}/tests/fonts)

if(REDDOOR_TESTS)
  enable_testing()
  add_subdirectory(tests)
endif()
