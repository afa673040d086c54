# The install (cmake --install) checked file by file, and the installed launcher started from
# another folder on a virtual X server.
if(TARGET gearward)
  add_test(NAME install_and_launch
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/install-test)
  set_tests_properties(install_and_launch PROPERTIES
    ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1;SDL_VIDEODRIVER=x11" TIMEOUT 300
    RESOURCE_LOCK virtual_x_server)
endif()

# The .deb made with CPack into a scratch folder (its dependencies found by dpkg-shlibdeps) and
# checked from its control fields and file list; scripts/package.sh adds lintian.
add_test(NAME deb_package
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/deb-package.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/deb-test)
set_tests_properties(deb_package PROPERTIES TIMEOUT 300)
