# vantoria_add_qtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# Builds one Qt Test executable and registers it with CTest. Every test runs
# offscreen, under LC_ALL=C (numbers must never depend on the process locale)
# and with its own runtime folder.
set(VANTORIA_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/test-runtime")
file(MAKE_DIRECTORY "${VANTORIA_TEST_RUNTIME_DIR}")
file(CHMOD "${VANTORIA_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(vantoria_add_qtest name)
  if(NOT VANTORIA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    VANTORIA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  set(labels unit ${ARG_LABELS})
  set_tests_properties(${name} PROPERTIES
    LABELS "${labels}"
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;LANG=C;XDG_RUNTIME_DIR=${VANTORIA_TEST_RUNTIME_DIR}")
endfunction()

# vantoria_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
function(vantoria_add_benchmark name)
  if(NOT VANTORIA_BUILD_BENCHMARKS)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE
    VANTORIA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
