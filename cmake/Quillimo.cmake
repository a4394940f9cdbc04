# Shared build rules: warnings, sanitizers, test executables and fuzz targets.

if(NOT QUILLIMO_WINDOWS AND QUILLIMO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QUILLIMO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(QUILLIMO_WINDOWS)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Static linking comes from the toolchain file (cmake/mingw-w64.cmake).
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Dependencies.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/BuildTools.cmake)

# Portable library: a folder of .cpp files that never includes <windows.h>.
function(quillimo_library name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)  # headers only, so far
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${Q_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  target_link_libraries(${name} PUBLIC ${Q_DEPS})
endfunction()

# Path of a build-tree or source-tree file as a program of this build sees it: under Wine the
# host's root is drive Z:.
function(quillimo_program_path var path)
  if(QUILLIMO_WINDOWS)
    set(${var} "Z:${path}" PARENT_SCOPE)
  else()
    set(${var} "${path}" PARENT_SCOPE)
  endif()
endfunction()

# One test executable per layer; CTest runs it once (through Wine in the windows build).
# In the windows build all tests share one X display, so by default they run one at a time
# (windows, focus and activation of one test would disturb another). A test that never opens
# a window says NO_DESKTOP and may run beside the others.
function(quillimo_test name)
  cmake_parse_arguments(Q "NO_DESKTOP" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)  # no test written yet: nothing to run
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  quillimo_program_path(data ${CMAKE_CURRENT_SOURCE_DIR}/data)
  target_compile_definitions(${name} PRIVATE QUILLIMO_TEST_DATA="${data}")
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  if(QUILLIMO_WINDOWS AND NOT Q_NO_DESKTOP)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()

# Runs a windows test executable again on displays of other resolutions (QUILLIMO_DPI), only the
# suites the gtest filter names: quillimo_dpi_tests(app_tests HighDpi* 120 144) adds
# app_tests_dpi120 and app_tests_dpi144.
function(quillimo_dpi_tests target filter)
  foreach(dpi ${ARGN})
    add_test(NAME ${target}_dpi${dpi}
             COMMAND env QUILLIMO_DPI=${dpi} bash ${PROJECT_SOURCE_DIR}/scripts/with-display.sh
                     bash ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:${target}> --gtest_color=no
                     --gtest_filter=${filter})
    set_tests_properties(${target}_dpi${dpi} PROPERTIES TIMEOUT 300)
  endforeach()
endfunction()

# A fuzz target: fuzz/<name>.cpp with LLVMFuzzerTestOneInput.
#  - fuzz build (clang): a libFuzzer binary, run for a short time from its seed corpus.
#  - native build: the same entry point linked with a replay driver that feeds it the seed
#    corpus and a fixed number of deterministic mutations, under ASan/UBSan.
function(quillimo_fuzz_target name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(QUILLIMO_FUZZ)
    add_executable(fuzz_${name} ${PROJECT_SOURCE_DIR}/fuzz/${name}.cpp)
    target_link_libraries(fuzz_${name} PRIVATE ${Q_DEPS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME fuzz_${name}
             COMMAND fuzz_${name} -max_total_time=${QUILLIMO_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                     -print_final_stats=0 ${CMAKE_CURRENT_BINARY_DIR}/corpus_${name} ${corpus})
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/corpus_${name})
  elseif(NOT QUILLIMO_WINDOWS)
    add_executable(replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/${name}.cpp ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE ${Q_DEPS})
    add_test(NAME replay_${name} COMMAND replay_${name} ${corpus})
  endif()
endfunction()

# A windows executable that runs the program's own windows in-process (benchmarks, the contact
# sheet): the sources given plus the program tests' start-up helper, the layouts and the glyph
# resource embedded, and QUILLIMO_PROGRAM_DIR = the build tree, where the skin files lie.
function(quillimo_program_harness name)
  add_executable(${name} ${ARGN} ${PROJECT_SOURCE_DIR}/tests/app/app_test_support.cpp
                 ${PROJECT_SOURCE_DIR}/tests/app/test_program_directory.cpp
                 ${PROJECT_SOURCE_DIR}/tests/toolkit/win/win_test_support.cpp)
  target_compile_options(${name} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/app ${PROJECT_SOURCE_DIR}/tests/toolkit/win)
  target_link_libraries(${name} PRIVATE quillimo_app_windows GTest::gtest comctl32)
  quillimo_program_path(program_dir ${CMAKE_BINARY_DIR})
  target_compile_definitions(${name} PRIVATE QUILLIMO_PROGRAM_DIR="${program_dir}")
  quillimo_embed_layouts(${name} ${QUILLIMO_APP_LAYOUTS})
  quillimo_embed_menu_glyphs(${name})
  add_dependencies(${name} skins)
endfunction()
