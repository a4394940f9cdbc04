#!/usr/bin/env bash
# Builds the optimised program (Release) into build/windows-release, with everything that lies
# beside it there: the delivered catalogue and the skins. Set-up first, then the native build's
# build-time tools, which the windows build runs.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake -S "$root" -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native --target native_tools -j2
cmake -S "$root" -B build/windows-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DQUILLIMO_NATIVE_TOOLS_DIR="$root/build/native/tools" >/dev/null
cmake --build build/windows-release --target vesperin -j2
