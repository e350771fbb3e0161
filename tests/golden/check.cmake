# Runs one golden script and compares what the game prints with the lines it must print.
#   -DGAME=path/to/reddoor -DSCRIPT=name.script -DEXPECTED=name.jsonl [-DEMULATOR=wine.sh;prefix]
#   [-DMODE=--verify]: a recording checked by replaying it instead, with its one line.
# A first line "# args: --start LevelN" starts the game on that level, as the game reads it.
if(NOT MODE)
  set(MODE --script)
endif()
execute_process(
  COMMAND ${EMULATOR} "${GAME}" ${MODE} "${SCRIPT}"
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SCRIPT}: exit status ${status}\n${errors}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT actual STREQUAL expected)
  string(REGEX REPLACE "(\\.[a-z]+)$" ".actual\\1" actual_file "${EXPECTED}")
  get_filename_component(actual_file "${actual_file}" NAME)
  file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${actual_file}" "${actual}")
  message(FATAL_ERROR "${SCRIPT}: the output differs from ${EXPECTED}; "
                      "see ${CMAKE_CURRENT_BINARY_DIR}/${actual_file}")
endif()
