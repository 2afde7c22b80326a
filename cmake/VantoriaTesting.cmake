# vantoria_add_qtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [DESKTOP]
#                   [SCREEN <WxH>] [PANEL <height>])
# Builds one Qt Test executable and registers it with CTest twice: once under
# the C locale and once, as "<name>.de", under the German locale the users
# run (numbers must never depend on the process locale). Each test has its
# own runtime folder. Tests run offscreen; DESKTOP tests run instead on an X
# server of their own with a window manager (tools/run-on-desktop.sh), for
# the stories where tooltips, menus, focus and other windows matter; SCREEN
# gives that desktop a screen of another size than 1920x1080, PANEL a panel
# of that height at the bottom, which the work area leaves out.
#
# vantoria_add_qtest_run(<name> TARGET <test> SCREEN <WxH> [PANEL <height>]
#                        [LABELS <labels...>])
# Registers the built test <test> once more, on another desktop.
set(VANTORIA_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/test-runtime")
file(MAKE_DIRECTORY "${VANTORIA_TEST_RUNTIME_DIR}")
file(CHMOD "${VANTORIA_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# name suffix | locale; the suffix of the C run is empty.
set(VANTORIA_TEST_LOCALES "|C" ".de|de_DE.UTF-8")

# vantoria_add_locale_tests(<name> <labels> <desktop> <panel> <command...>)
# Registers <command> once per locale of VANTORIA_TEST_LOCALES; <desktop> is
# false, TRUE for the default desktop, or the screen size ("1024x600");
# <panel> is 0 or the height of a panel at the bottom of that desktop.
function(vantoria_add_locale_tests name labels desktop panel)
  set(command ${ARGN})
  set(platform "QT_QPA_PLATFORM=offscreen")
  set(panel_program)
  if(desktop)
    set(screen_option)
    if(NOT desktop STREQUAL "TRUE")
      set(screen_option --screen ${desktop})
    endif()
    if(panel)
      list(APPEND screen_option --panel ${panel})
      set(panel_program ";VANTORIA_DESKTOP_PANEL=$<TARGET_FILE:desktop_panel>")
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
      ENVIRONMENT "${platform};LC_ALL=${locale};LANG=${locale};XDG_RUNTIME_DIR=${VANTORIA_TEST_RUNTIME_DIR}${panel_program}")
  endforeach()
endfunction()

function(vantoria_add_qtest name)
  if(NOT VANTORIA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "DESKTOP" "SCREEN;PANEL" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_SCREEN)
    set(ARG_DESKTOP ${ARG_SCREEN})
  endif()
  if(NOT ARG_PANEL)
    set(ARG_PANEL 0)
  endif()
  # The sanitized suite runs offscreen only: a desktop story built there
  # would cost its build and never run.
  if(ARG_DESKTOP AND VANTORIA_SANITIZE)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    VANTORIA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  vantoria_add_locale_tests(${name} "unit;${ARG_LABELS}" "${ARG_DESKTOP}" ${ARG_PANEL}
                            $<TARGET_FILE:${name}>)
endfunction()

function(vantoria_add_qtest_run name)
  if(NOT VANTORIA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TARGET;SCREEN;PANEL" "LABELS" ${ARGN})
  if(NOT TARGET ${ARG_TARGET})
    return()
  endif()
  if(NOT ARG_PANEL)
    set(ARG_PANEL 0)
  endif()
  vantoria_add_locale_tests(${name} "unit;${ARG_LABELS}" "${ARG_SCREEN}" ${ARG_PANEL}
                            $<TARGET_FILE:${ARG_TARGET}>)
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
