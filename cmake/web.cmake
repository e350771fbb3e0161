# The web build (tools/build-web.sh): the scripted run as a command-line program for node
# (build-web/node/reddoor.js), and the game in a page (build-web/site/). Both link the layers
# below the back ends; the web layer is the page's back end.
set(REDDOOR_NODE_DIR ${CMAKE_BINARY_DIR}/node)

# The scripted run under node: files and standard input and output are the host's (NODERAWFS),
# and the exit status is the program's.
add_executable(reddoor_node src/web/node_main.cpp)
target_compile_options(reddoor_node PRIVATE ${REDDOOR_WARNINGS})
target_compile_definitions(reddoor_node PRIVATE REDDOOR_VERSION="${PROJECT_VERSION}")
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
add_test(NAME node.cli COMMAND ${CMAKE_SOURCE_DIR}/tests/web/node_cli_test.sh
                               ${REDDOOR_NODE_DIR}/reddoor.js)
set_tests_properties(node.cli PROPERTIES LABELS node)
