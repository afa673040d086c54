# The simulator tests play matches through the simulator's own library and run the built tool.
target_link_libraries(gearward_tests PRIVATE gearward_sim)
add_dependencies(gearward_tests gearward-sim content_database)
