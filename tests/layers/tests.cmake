# The folders of src/ as layers: every include goes down (check-layers.sh), and the check itself
# catches what it should on planted trees.
add_test(NAME include_layers
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-layers.sh ${CMAKE_SOURCE_DIR}/src)
add_test(NAME include_layers_check_catches
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-layers-catches.sh)
