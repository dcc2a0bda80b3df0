# Windows flavour: the executable, statically linked so that it needs system
# DLLs only, plus a GoogleTest executable of the Windows-only code that CTest
# runs under Wine.
enable_testing()
add_compile_options(-D_WIN32_WINNT=0x0501 -DWINVER=0x0501)
set(UMBRANT_WIN_LIBS comctl32 gdi32 user32 advapi32 shell32 ole32 uuid winmm kernel32)
add_link_options(-static -static-libgcc -static-libstdc++)
target_compile_options(umbrant_core PRIVATE -O2)

# The rooms fill this library; the generated file only keeps it valid while empty.
file(WRITE ${CMAKE_BINARY_DIR}/umbrant_win_anchor.cpp "")
add_library(umbrant_win STATIC ${CMAKE_BINARY_DIR}/umbrant_win_anchor.cpp)
target_link_libraries(umbrant_win PUBLIC umbrant_core ${UMBRANT_WIN_LIBS})
target_compile_options(umbrant_win PRIVATE -O2 ${UMBRANT_NO_EXCEPTIONS})

# GoogleTest from Debian's source package, built with the same toolchain.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(umbrant_win_tests)
target_link_libraries(umbrant_win_tests PRIVATE umbrant_win gtest gtest_main)
add_test(NAME win_unit_tests COMMAND umbrant_win_tests --gtest_brief=1)
# A run that ends early without a word must not count as passed: the summary
# line has to be there, and no test may have failed.
set_tests_properties(win_unit_tests PROPERTIES RESOURCE_LOCK wine
                     PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
                     FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")

function(umbrant_win_sources)
  target_sources(umbrant_win PRIVATE ${ARGN})
endfunction()
function(umbrant_win_tests)
  target_sources(umbrant_win_tests PRIVATE ${ARGN})
endfunction()
function(umbrant_core_tests)
endfunction()
function(umbrant_oracle_tests)
endfunction()
function(umbrant_benchmarks)
endfunction()
function(umbrant_fuzz_target)
endfunction()

# The same sources build the same bytes in any folder at any time: no build
# paths (assertion texts, __FILE__) and no link time stamp in the executable.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)

# The version is project()'s: the version resource, the manifest and About
# take it from these generated files, the release's file names from
# version.txt.
set(UMBRANT_GENERATED ${CMAKE_BINARY_DIR}/generated)
string(REGEX MATCHALL "[0-9]+" version_parts "${PROJECT_VERSION}.0.0.0")
list(SUBLIST version_parts 0 4 version_parts)
list(JOIN version_parts ", " UMBRANT_VERSION_NUMBERS)
list(JOIN version_parts "." UMBRANT_VERSION_QUAD)
configure_file(${CMAKE_SOURCE_DIR}/resources/UmbrantVersion.h.in ${UMBRANT_GENERATED}/UmbrantVersion.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/Umbrant.manifest.in ${UMBRANT_GENERATED}/Umbrant.manifest @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/version.txt CONTENT "${PROJECT_VERSION}\n")
target_include_directories(umbrant_win_tests PRIVATE ${UMBRANT_GENERATED})

# Resource scripts find their bitmaps, icons and fragments in resources/, the
# version and the manifest among the generated files, and the id headers they
# share with the code from the source root.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources -I${UMBRANT_GENERATED} -I${CMAKE_SOURCE_DIR}")

# Appends the files' absolute paths to a global list.
function(umbrant_append_paths list)
  foreach(file ${ARGN})
    get_filename_component(path ${file} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY ${list} ${path})
  endforeach()
endfunction()

# Test-only resource scripts; they are compiled into the Windows-side test
# executable together with the program's own resources.
function(umbrant_test_resources)
  umbrant_append_paths(UMBRANT_TEST_RESOURCES ${ARGN})
endfunction()

# Files a resource script takes in whole (RCDATA), which the compiler's
# include scan does not see: the scripts are compiled again when they change.
function(umbrant_resource_depends)
  umbrant_append_paths(UMBRANT_RESOURCE_DEPENDS ${ARGN})
endfunction()

function(umbrant_finish_test_resources)
  get_property(extra GLOBAL PROPERTY UMBRANT_TEST_RESOURCES)
  set(text "#include \"${UMBRANT_RESOURCE_SCRIPT}\"\n")
  foreach(file ${extra})
    string(APPEND text "#include \"${file}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/WinTests.rc CONTENT "${text}")
  target_sources(umbrant_win_tests PRIVATE ${CMAKE_BINARY_DIR}/WinTests.rc)
  get_property(depends GLOBAL PROPERTY UMBRANT_RESOURCE_DEPENDS)
  get_property(rooms DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
  set_source_files_properties(${UMBRANT_RESOURCE_SCRIPT} ${CMAKE_BINARY_DIR}/WinTests.rc
                              DIRECTORY ${CMAKE_SOURCE_DIR} ${rooms} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()
