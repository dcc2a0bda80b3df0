# Native flavour: the platform-free library, its unit tests under the
# sanitizers, the benchmarks over an optimised, unsanitized copy of it, and
# small command-line tools.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
enable_testing()

set(UMBRANT_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
if(UMBRANT_SANITIZE)
  target_compile_options(umbrant_core PRIVATE ${UMBRANT_SANITIZERS} -O1 -g -UNDEBUG)
  target_link_options(umbrant_core PUBLIC ${UMBRANT_SANITIZERS})
endif()

add_library(umbrant_core_fast STATIC)
target_include_directories(umbrant_core_fast PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(umbrant_core_fast PRIVATE -O2 ${UMBRANT_NO_EXCEPTIONS})

add_executable(umbrant_tests)
target_link_libraries(umbrant_tests PRIVATE umbrant_core GTest::gtest GTest::gtest_main)
if(UMBRANT_SANITIZE)
  target_compile_options(umbrant_tests PRIVATE ${UMBRANT_SANITIZERS} -g)
endif()
add_test(NAME unit_tests COMMAND umbrant_tests --gtest_brief=1)

# The oracle: libnova, an independent solar theory, linked into its own test
# executable only. tools/setup.sh installs it; where it is missing the test
# still exists and fails, so a gap never passes as success.
find_path(LIBNOVA_INCLUDE_DIR libnova/libnova.h)
find_library(LIBNOVA_LIBRARY nova)
if(LIBNOVA_INCLUDE_DIR AND LIBNOVA_LIBRARY)
  add_executable(umbrant_oracle_tests)
  target_include_directories(umbrant_oracle_tests PRIVATE ${LIBNOVA_INCLUDE_DIR})
  target_link_libraries(umbrant_oracle_tests PRIVATE umbrant_core ${LIBNOVA_LIBRARY} GTest::gtest GTest::gtest_main)
  if(UMBRANT_SANITIZE)
    target_compile_options(umbrant_oracle_tests PRIVATE ${UMBRANT_SANITIZERS} -g)
  endif()
  add_test(NAME oracle_tests COMMAND umbrant_oracle_tests --gtest_brief=1)
else()
  message(WARNING "libnova-dev is missing (tools/setup.sh installs it): oracle_tests will fail")
  add_test(NAME oracle_tests COMMAND sh -c "echo 'libnova-dev is missing: run tools/setup.sh' >&2; exit 1")
endif()

add_executable(umbrant_bench)
target_link_libraries(umbrant_bench PRIVATE umbrant_core_fast benchmark::benchmark benchmark::benchmark_main)
target_compile_options(umbrant_bench PRIVATE -O2)

function(umbrant_core_tests)
  target_sources(umbrant_tests PRIVATE ${ARGN})
endfunction()
function(umbrant_test_resources)
endfunction()
function(umbrant_oracle_tests)
  if(TARGET umbrant_oracle_tests)
    target_sources(umbrant_oracle_tests PRIVATE ${ARGN})
  endif()
endfunction()
function(umbrant_benchmarks)
  target_sources(umbrant_bench PRIVATE ${ARGN})
endfunction()
function(umbrant_win_sources)
endfunction()
function(umbrant_win_tests)
endfunction()
function(umbrant_resource_depends)
endfunction()

# Fuzz targets: every reader of outside text under clang's libFuzzer with
# AddressSanitizer and UBSan, each run by ctest for UMBRANT_FUZZ_SECONDS
# from its seed folder (a crash, a hang or a broken round trip fails it).
# Without a clang that links libFuzzer (tools/setup.sh installs one) the
# tests are skipped with a message saying so.
set(UMBRANT_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs in the tests")
find_program(UMBRANT_CLANGXX NAMES clang++ clang++-14)
set(UMBRANT_FUZZ_FLAGS -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer -fno-exceptions -fno-rtti -Wall -Wextra)
set(UMBRANT_FUZZ_USABLE FALSE)
if(UMBRANT_CLANGXX)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz-probe.cpp
       "#include <stddef.h>\n#include <stdint.h>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${UMBRANT_CLANGXX} ${UMBRANT_FUZZ_FLAGS} ${CMAKE_BINARY_DIR}/fuzz-probe.cpp
                          -o ${CMAKE_BINARY_DIR}/fuzz-probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(UMBRANT_FUZZ_USABLE TRUE)
  endif()
endif()
if(NOT UMBRANT_FUZZ_USABLE)
  message(WARNING "no clang++ with libFuzzer (tools/setup.sh installs clang and libclang-rt-14-dev): "
                  "the fuzz tests are skipped")
endif()

# umbrant_fuzz_target(NAME harness.cpp SOURCES a.cpp b.cpp ... [FLAGS ...]
# [DEPENDS file ...]): builds fuzz_NAME from the harness and the sources it
# reads (with the compiler and linker flags given, again when a file it
# depends on changes), with the seeds in fuzz/NAME beside the harness.
function(umbrant_fuzz_target name harness)
  cmake_parse_arguments(FUZZ "" "" "SOURCES;FLAGS;DEPENDS" ${ARGN})
  get_filename_component(harness ${harness} ABSOLUTE)
  get_filename_component(folder ${harness} DIRECTORY)
  set(seeds ${folder}/${name})
  if(NOT UMBRANT_FUZZ_USABLE)
    add_test(NAME fuzz_${name} COMMAND sh -c "echo 'fuzz_${name} skipped: no clang++ with libFuzzer; run tools/setup.sh'; exit 77")
    set_tests_properties(fuzz_${name} PROPERTIES SKIP_RETURN_CODE 77)
    return()
  endif()
  set(sources)
  foreach(source ${FUZZ_SOURCES})
    list(APPEND sources ${CMAKE_SOURCE_DIR}/${source})
  endforeach()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/fuzz/fuzz_${name}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz
                     COMMAND ${UMBRANT_CLANGXX} ${UMBRANT_FUZZ_FLAGS} -I${CMAKE_SOURCE_DIR} ${harness} ${sources}
                             ${FUZZ_FLAGS} -o ${CMAKE_BINARY_DIR}/fuzz/fuzz_${name}
                     DEPENDS ${harness} ${sources} ${FUZZ_DEPENDS} COMMAND_EXPAND_LISTS VERBATIM)
  add_custom_target(fuzz_${name}_build ALL DEPENDS ${CMAKE_BINARY_DIR}/fuzz/fuzz_${name})
  add_test(NAME fuzz_${name}
           COMMAND sh ${CMAKE_SOURCE_DIR}/tools/fuzz-run.sh ${CMAKE_BINARY_DIR}/fuzz/fuzz_${name} ${seeds}
                   ${UMBRANT_FUZZ_SECONDS})
endfunction()
