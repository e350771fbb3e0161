# The web build (tools/build-web.sh): the scripted run as a command-line program for node
# (build-web/node/reddoor.js), and the game in a page (build-web/site/). Both link the layers
# below the back ends; the web layer is the page's back end.
set(REDDOOR_NODE_DIR ${CMAKE_BINARY_DIR}/node)

# The scripted run under node: files and standard input and output are the host's (NODERAWFS),
# and the exit status is the program's.
add_executable(reddoor_node src/web/node_main.cpp)
target_compile_options(reddoor_node PRIVATE ${REDDOOR_WARNINGS})
target_link_libraries(reddoor_node PRIVATE reddoor_scripted CLI11::CLI11)
target_link_options(reddoor_node PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
                    -sENVIRONMENT=node)
set_target_properties(reddoor_node PROPERTIES OUTPUT_NAME reddoor RUNTIME_OUTPUT_DIRECTORY
                                              ${REDDOOR_NODE_DIR})

enable_testing()
# Every golden script under node must print exactly what the desktop prints.
file(GLOB REDDOOR_WEB_GOLDEN CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/golden/*.script)
foreach(script IN LISTS REDDOOR_WEB_GOLDEN)
  get_filename_component(name ${script} NAME_WE)
  string(REGEX REPLACE "\\.script$" ".jsonl" expected ${script})
  add_test(NAME node.golden.${name}
           COMMAND ${CMAKE_COMMAND} "-DGAME=${CMAKE_SOURCE_DIR}/tests/web/node-game.sh"
                   -DSCRIPT=${script} -DEXPECTED=${expected}
                   -P ${CMAKE_SOURCE_DIR}/tests/golden/check.cmake)
  set_tests_properties(node.golden.${name} PROPERTIES LABELS "golden;node"
                       ENVIRONMENT "REDDOOR_JS=${REDDOOR_NODE_DIR}/reddoor.js")
endforeach()
# Every recording checked with --verify under node must print what the desktop prints.
file(GLOB REDDOOR_WEB_RECORDINGS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/golden/*.recording)
foreach(recording IN LISTS REDDOOR_WEB_RECORDINGS)
  get_filename_component(name ${recording} NAME_WE)
  string(REGEX REPLACE "\\.recording$" ".verified" expected ${recording})
  add_test(NAME node.golden.verify.${name}
           COMMAND ${CMAKE_COMMAND} "-DGAME=${CMAKE_SOURCE_DIR}/tests/web/node-game.sh"
                   -DSCRIPT=${recording} -DEXPECTED=${expected} -DMODE=--verify
                   -P ${CMAKE_SOURCE_DIR}/tests/golden/check.cmake)
  set_tests_properties(node.golden.verify.${name} PROPERTIES LABELS "golden;node"
                       ENVIRONMENT "REDDOOR_JS=${REDDOOR_NODE_DIR}/reddoor.js")
endforeach()
add_test(NAME node.cli COMMAND ${CMAKE_SOURCE_DIR}/tests/web/node_cli_test.sh
                               ${REDDOOR_NODE_DIR}/reddoor.js)
set_tests_properties(node.cli PROPERTIES LABELS node)

# The game in a page: the web layer is the page's back end; build-web/site/ is the whole site.
reddoor_layer(web
  SOURCES
    src/web/browser_text.cpp
    src/web/page_game.cpp
    src/web/page_records.cpp
    src/web/picture_decoder.cpp
  LINKS reddoor_scripted stb::image)
set(REDDOOR_SITE_DIR ${CMAKE_BINARY_DIR}/site)
add_executable(reddoor_page src/web/page_main.cpp)
target_compile_options(reddoor_page PRIVATE ${REDDOOR_WARNINGS})
target_link_libraries(reddoor_page PRIVATE reddoor_web)
# The page's own script calls the game's exported functions; no main runs.
target_link_options(reddoor_page PRIVATE -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
                    -sEXPORTED_RUNTIME_METHODS=UTF8ToString,ccall,lengthBytesUTF8,stringToUTF8
                    --no-entry)
set_target_properties(reddoor_page PROPERTIES OUTPUT_NAME reddoor RUNTIME_OUTPUT_DIRECTORY
                                              ${REDDOOR_SITE_DIR})

# The page, its icon and the fonts with their licences, as Debian ships them: Liberation Sans
# compressed to WOFF2 here, Comic Neue already so.
set(liberation /usr/share/fonts/truetype/liberation2)
set(comic /usr/share/fonts-comic-neue/woff2)
set(site_files)
foreach(file index.html page.css page.js)
  add_custom_command(OUTPUT ${REDDOOR_SITE_DIR}/${file}
                     COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/src/web/page/${file}
                             ${REDDOOR_SITE_DIR}/${file}
                     DEPENDS ${CMAKE_SOURCE_DIR}/src/web/page/${file})
  list(APPEND site_files ${REDDOOR_SITE_DIR}/${file})
endforeach()
add_custom_command(OUTPUT ${REDDOOR_SITE_DIR}/reddoor.png
                   COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/reddoor.png
                           ${REDDOOR_SITE_DIR}/reddoor.png
                   DEPENDS ${CMAKE_SOURCE_DIR}/assets/reddoor.png)
list(APPEND site_files ${REDDOOR_SITE_DIR}/reddoor.png)
set(fonts ${REDDOOR_SITE_DIR}/fonts)
foreach(face Regular Bold)
  add_custom_command(OUTPUT ${fonts}/LiberationSans-${face}.woff2
                     COMMAND ${CMAKE_COMMAND} -E copy ${liberation}/LiberationSans-${face}.ttf
                             ${fonts}/LiberationSans-${face}.ttf
                     COMMAND woff2_compress ${fonts}/LiberationSans-${face}.ttf >/dev/null
                     COMMAND ${CMAKE_COMMAND} -E rm ${fonts}/LiberationSans-${face}.ttf
                     DEPENDS ${liberation}/LiberationSans-${face}.ttf)
  add_custom_command(OUTPUT ${fonts}/ComicNeue-${face}.woff2
                     COMMAND ${CMAKE_COMMAND} -E copy ${comic}/ComicNeue-${face}.woff2
                             ${fonts}/ComicNeue-${face}.woff2
                     DEPENDS ${comic}/ComicNeue-${face}.woff2)
  list(APPEND site_files ${fonts}/LiberationSans-${face}.woff2 ${fonts}/ComicNeue-${face}.woff2)
endforeach()
add_custom_command(
  OUTPUT ${fonts}/LICENSES.txt
  COMMAND sh -c "for p in fonts-liberation2 fonts-comic-neue; do echo \"== $p ==\"; cat /usr/share/doc/$p/copyright; done > ${fonts}/LICENSES.txt"
  DEPENDS /usr/share/doc/fonts-liberation2/copyright /usr/share/doc/fonts-comic-neue/copyright
  VERBATIM)
list(APPEND site_files ${fonts}/LICENSES.txt)
add_custom_target(reddoor_site ALL DEPENDS ${site_files} reddoor_page)
