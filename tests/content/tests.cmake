# The content test reads build/game/data.db: building the tests rebuilds the database first.
add_dependencies(gearward_tests content_database)
