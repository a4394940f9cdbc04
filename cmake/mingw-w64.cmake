# Cross toolchain: MinGW-w64 (posix threads) producing 64-bit Windows executables.
# Test executables run under Wine through scripts/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLIMO_MINGW_PREFIX x86_64-w64-mingw32)
# The -posix compilers: the -win32 ones lack std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${QUILLIMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLIMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLIMO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLIMO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked statically: the executable needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(QUILLIMO_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLIMO_WINE_RUN})
