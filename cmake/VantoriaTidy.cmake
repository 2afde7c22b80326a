# clang-tidy over the sources of every folder of src/ with the checks of
# .clang-tidy (tools/tidy-folder.py), one test per folder, label tidy. A
# machine without clang-tidy fails these tests instead of skipping them.
find_program(VANTORIA_CLANG_TIDY NAMES clang-tidy clang-tidy-14)
if(VANTORIA_BUILD_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  # Window code of a subsystem lies in its gui/ subfolder, tested on its own:
  # it keeps the design's names, the rest follows the naming rules.
  file(GLOB folders LIST_DIRECTORIES true RELATIVE "${PROJECT_SOURCE_DIR}/src"
       "${PROJECT_SOURCE_DIR}/src/*" "${PROJECT_SOURCE_DIR}/src/*/gui")
  foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY "${PROJECT_SOURCE_DIR}/src/${folder}")
      continue()
    endif()
    string(REPLACE "/" "_" name "${folder}")
    add_test(NAME clang_tidy_${name}
      COMMAND ${Python3_EXECUTABLE} "${PROJECT_SOURCE_DIR}/tools/tidy-folder.py"
              "${PROJECT_BINARY_DIR}" "${PROJECT_SOURCE_DIR}" ${folder} ${VANTORIA_CLANG_TIDY})
    set_tests_properties(clang_tidy_${name} PROPERTIES LABELS tidy TIMEOUT 600)
  endforeach()
endif()
