# The model generator's classes are tested inside the main suite, and the content test reads the
# models the build generates, so the suite needs both.
if(TARGET ms3dgen)
  target_link_libraries(gearward_tests PRIVATE ms3dgen)
endif()
if(TARGET models)
  add_dependencies(gearward_tests models)
endif()
