# VANTORIA_FUZZ: a configuration of its own (clang) in which every library is
# instrumented for libFuzzer and checked by AddressSanitizer and
# UndefinedBehaviorSanitizer; only the fuzz targets are meant to be built.
option(VANTORIA_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
set(VANTORIA_FUZZ_SECONDS 12 CACHE STRING "Seconds each fuzz target runs in the fuzz tests")
if(VANTORIA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VANTORIA_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++ "
                        "(Debian: apt-get install clang libclang-rt-14-dev)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
