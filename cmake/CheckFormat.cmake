# Fails when a C++ file under src/, tests/, tools/ or data/ differs from what
# clang-format makes of it.
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format is missing: apt-get install clang-format")
endif()
file(GLOB_RECURSE files
  "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h"
  "${SOURCE_DIR}/tests/*.cpp" "${SOURCE_DIR}/tests/*.h"
  "${SOURCE_DIR}/tools/*.cpp" "${SOURCE_DIR}/tools/*.h"
  "${SOURCE_DIR}/data/*.cpp")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Files not formatted (run clang-format -i):\n${errors}")
endif()
