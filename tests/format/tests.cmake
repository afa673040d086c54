# Every C++ file keeps the layout of .clang-format; the message names the command that mends it.
add_test(NAME format_check
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-format.sh ${CMAKE_SOURCE_DIR})
add_test(NAME format_check_catches
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-format-catches.sh ${CMAKE_SOURCE_DIR})
