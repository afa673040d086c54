# The content tool is run from outside by the CLI tests; make sure it is built with them.
add_dependencies(gearward_tests gearward-data)

# The database the build made must pass the tool's own check.
add_test(NAME content_database_check
  COMMAND $<TARGET_FILE:gearward-data> check ${GEARWARD_GAME_DIR}/data.db)

# The same-picture test draws the frame benchmark's scenes.
if(TARGET gearward_display_tests)
  target_link_libraries(gearward_display_tests PRIVATE gearward_scenes)
endif()
