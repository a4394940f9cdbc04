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
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Portable library: a folder of .cpp files that never includes <windows.h>.
function(quillimo_library name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  target_link_libraries(${name} PUBLIC ${Q_DEPS})
endfunction()

# One test executable per layer; CTest runs it once (through Wine in the windows build).
function(quillimo_test name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE QUILLIMO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
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
