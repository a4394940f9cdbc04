#!/usr/bin/env bash
# Builds and tests everything:
#   build/native   host g++, Debug, ASan/UBSan: portable libraries, their tests, fuzz replays
#   build/fuzz     clang with libFuzzer (when clang is there): short fuzzing runs
#   build/windows  MinGW: the program and all tests, run under Wine
#   the installer  made from the windows build's program and tried under Wine
# Exits non-zero when a build or any of the test runs failed.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs=2
failed=()

bash scripts/setup.sh || exit 1

# build <dir> <cmake configure arguments...>: configures <dir> and builds all of it that builds
# (ninja -k 0: one broken target does not stop the others, so their tests still run).
build() {
  local dir=$1
  shift
  echo "== configuring and building $dir"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 2; }
  cmake --build "$dir" -j"$jobs" -- -k 0 || return 1
}

# check <build status> <name> <dir> [runner...]: runs the tests of <dir> (through the runner).
# Build status: 0 built, 1 partly built (what was built is still tested), 2 not configured.
check() {
  local status=$1 name=$2 dir=$3
  shift 3
  [[ $status -eq 2 ]] && { failed+=("$name configure"); return; }
  [[ $status -eq 1 ]] && failed+=("$name build")
  "$@" ctest --test-dir "$dir" --output-on-failure -j"$jobs" || failed+=("$name tests")
}

mkdir -p build

echo "== native build"
build build/native -DCMAKE_BUILD_TYPE=Debug
check $? native build/native

if command -v clang >/dev/null && command -v clang++ >/dev/null; then
  echo "== fuzz build"
  CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLIMO_FUZZ=ON
  check $? fuzz build/fuzz
else
  echo "== fuzz build skipped: no clang"
fi

echo "== windows build"
build build/windows -DCMAKE_BUILD_TYPE=Debug -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DQUILLIMO_NATIVE_TOOLS_DIR="$root/build/native/tools"
status=$?
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "== failed so far: ${failed[*]}"
fi
check $status windows build/windows bash scripts/with-display.sh

# The installer, made from the windows build's program (tests/installer).
echo "== installer"
bash scripts/with-display.sh bash tests/installer/test_installer.sh build/windows || failed+=("installer test")

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
