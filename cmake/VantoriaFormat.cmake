# The format check: every C++ file of the repository as .clang-format wants it.
find_program(VANTORIA_CLANG_FORMAT NAMES clang-format clang-format-14)
if(VANTORIA_BUILD_TESTS)
  add_test(NAME format
    COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${VANTORIA_CLANG_FORMAT}
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckFormat.cmake)
  set_tests_properties(format PROPERTIES LABELS unit)
endif()

# Every include points down the layers (cmake/CheckLayers.cmake).
if(VANTORIA_BUILD_TESTS)
  add_test(NAME include_layers
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
  set_tests_properties(include_layers PROPERTIES LABELS unit)
endif()

# Entry lines are read in src/journal alone; no other folder holds one of
# their markers (tools/check-entry-markers.py).
if(VANTORIA_BUILD_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME entry_markers
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check-entry-markers.py
            ${PROJECT_SOURCE_DIR})
  set_tests_properties(entry_markers PROPERTIES LABELS unit)
endif()

# Only the main window's own files include its header; the commands work
# through the open month (tools/check-window-includes.py).
if(VANTORIA_BUILD_TESTS)
  add_test(NAME window_includes
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check-window-includes.py
            ${PROJECT_SOURCE_DIR})
  set_tests_properties(window_includes PROPERTIES LABELS unit)
endif()
