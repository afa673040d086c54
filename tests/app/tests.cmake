# The built game driven from outside: real keys through xdotool on a virtual X server, the
# screen captured with import. Screenshots land in build/screenshots/.
if(TARGET gearward)
  add_test(NAME title_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/title-end-to-end.sh $<TARGET_FILE_DIR:gearward> ${CMAKE_BINARY_DIR}/screenshots)
  add_test(NAME build_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/build-end-to-end.sh $<TARGET_FILE_DIR:gearward> ${CMAKE_BINARY_DIR}/screenshots)
  # A whole match against the computer, from the title to the end screen and back.
  add_test(NAME battle_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/battle-end-to-end.sh $<TARGET_FILE_DIR:gearward> ${CMAKE_BINARY_DIR}/screenshots)
  add_test(NAME start_up_failures
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/start-up-failures.sh $<TARGET_FILE_DIR:gearward>)
  # SIGTERM and Ctrl+C's SIGINT end the running game with status 0.
  add_test(NAME quit_signals
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/quit-signals.sh $<TARGET_FILE_DIR:gearward>)
  set_tests_properties(title_end_to_end build_end_to_end start_up_failures quit_signals PROPERTIES
    ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1;SDL_VIDEODRIVER=x11" TIMEOUT 180
    RESOURCE_LOCK virtual_x_server)
  set_tests_properties(battle_end_to_end PROPERTIES
    ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1;SDL_VIDEODRIVER=x11" TIMEOUT 900
    RESOURCE_LOCK virtual_x_server)
endif()
