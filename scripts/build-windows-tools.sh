#!/usr/bin/env bash
# Builds the given targets of the Debug windows build (build/windows) with the native tools and
# skins they need; for the scripts that photograph the program under Wine.
#   bash scripts/build-windows-tools.sh skinshots vesperin
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh >/dev/null
cmake -S "$root" -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native --target native_tools skins -j2 >/dev/null
cmake -S "$root" -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DQUILLIMO_NATIVE_TOOLS_DIR="$root/build/native/tools" >/dev/null
cmake --build build/windows --target "$@" -j2 >/dev/null
