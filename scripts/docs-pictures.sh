#!/usr/bin/env bash
# The README's pictures (docs/*.png): the program's windows under Wine on a virtual display,
# with the delivered catalogue (tools/skinshots --docs).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh >/dev/null
cmake -S "$root" -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native --target native_tools skins -j2 >/dev/null
cmake -S "$root" -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DQUILLIMO_NATIVE_TOOLS_DIR="$root/build/native/tools" >/dev/null
cmake --build build/windows --target skinshots vesperin -j2 >/dev/null

# The catalogue is Turkish in code page 1254, as on a Turkish system.
export LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8
shots="$root/build/docs-pictures"
rm -rf "$shots"
mkdir -p "$shots" docs
bash scripts/with-display.sh bash scripts/wine-run.sh build/windows/tools/skinshots/skinshots.exe --docs "Z:$shots"
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "docs/$(basename "${bmp%.bmp}").png"
done
ls -l docs/*.png
