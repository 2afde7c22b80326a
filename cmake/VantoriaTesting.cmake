# vantoria_add_qtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [DESKTOP]
#                   [SCREEN <WxH>])
# Builds one Qt Test executable and registers it with CTest twice: once under
# the C locale and once, as "<name>.de", under the German locale the users
# run (numbers must never depend on the process locale). Each test has its
# own runtime folder. Tests run offscreen; DESKTOP tests run instead on an X
# server of their own with a window manager (tools/run-on-desktop.sh), for
# the stories where tooltips, menus, focus and other windows matter; SCREEN
# gives that desktop a screen of another size than 1920x1080.
set(VANTORIA_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/test-runtime")
file(MAKE_DIRECTORY "${VANTORIA_TEST_RUNTIME_DIR}")
file(CHMOD "${VANTORIA_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# name suffix | locale; the suffix of the C run is empty.
set(VANTORIA_TEST_LOCALES "|C" ".de|de_DE.UTF-8")

# vantoria_add_locale_tests(<name> <labels> <desktop> <command...>)
# Registers <command> once per locale of VANTORIA_TEST_LOCALES; <desktop> is
# false, TRUE for the default desktop, or the screen size ("1024x600").
function(vantoria_add_locale_tests name labels desktop)
  set(command ${ARGN})
  set(platform "QT_QPA_PLATFORM=offscreen")
  if(desktop)
    set(screen_option)
    if(NOT desktop STREQUAL "TRUE")
      set(screen_option --screen ${desktop})
    endif()
    set(command "${PROJECT_SOURCE_DIR}/tools/run-on-desktop.sh" ${screen_option} ${command})
    set(platform "QT_QPA_PLATFORM=xcb")
    list(APPEND labels desktop)
  endif()
  foreach(entry IN LISTS VANTORIA_TEST_LOCALES)
    string(REPLACE "|" ";" pair "${entry}")
    list(GET pair 0 suffix)
    list(GET pair 1 locale)
    add_test(NAME ${name}${suffix} COMMAND ${command})
    set(locale_labels ${labels})
    if(suffix)
      list(APPEND locale_labels german)
    endif()
    set_tests_properties(${name}${suffix} PROPERTIES
      LABELS "${locale_labels}"
      TIMEOUT 300
      ENVIRONMENT "${platform};LC_ALL=${locale};LANG=${locale};XDG_RUNTIME_DIR=${VANTORIA_TEST_RUNTIME_DIR}")
  endforeach()
endfunction()

function(vantoria_add_qtest name)
  if(NOT VANTORIA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "DESKTOP" "SCREEN" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_SCREEN)
    set(ARG_DESKTOP ${ARG_SCREEN})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    VANTORIA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  vantoria_add_locale_tests(${name} "unit;${ARG_LABELS}" "${ARG_DESKTOP}" $<TARGET_FILE:${name}>)
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
