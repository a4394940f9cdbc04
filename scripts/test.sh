#!/usr/bin/env bash
# Builds and tests everything:
#   build/native   host g++, Debug, ASan/UBSan: portable libraries, their tests, fuzz replays
#   build/fuzz     clang with libFuzzer (when clang is there): short fuzzing runs
#   build/windows  MinGW: the program and all tests, run under Wine (last, so the output ends
#                  with CTest's summary)
# Exits non-zero when a build or any of the test runs failed.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs=2
failed=()

bash scripts/setup.sh || exit 1

# build <dir> <cmake configure arguments...>: configures and builds everything in <dir>.
build() {
  local dir=$1
  shift
  echo "== configuring and building $dir"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j"$jobs"
}

mkdir -p build

echo "== native build"
if build build/native -DCMAKE_BUILD_TYPE=Debug; then
  ctest --test-dir build/native --output-on-failure -j"$jobs" || failed+=("native tests")
else
  failed+=("native build")
fi

if command -v clang >/dev/null && command -v clang++ >/dev/null; then
  echo "== fuzz build"
  if CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLIMO_FUZZ=ON; then
    ctest --test-dir build/fuzz --output-on-failure -j"$jobs" || failed+=("fuzz runs")
  else
    failed+=("fuzz build")
  fi
else
  echo "== fuzz build skipped: no clang"
fi

echo "== windows build"
if build build/windows -DCMAKE_BUILD_TYPE=Debug -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
         -DQUILLIMO_NATIVE_TOOLS_DIR="$root/build/native/tools"; then
  if [[ ${#failed[@]} -gt 0 ]]; then
    echo "== failed before the windows tests: ${failed[*]}"
  fi
  bash scripts/with-display.sh ctest --test-dir build/windows --output-on-failure -j"$jobs" \
    || failed+=("windows tests")
else
  failed+=("windows build")
fi

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
