#!/usr/bin/env bash
# Draws the contact sheet of the seven skins (tools/skinsheet: one row per skin, a small window
# and controls drawn from the skin model, then the raw element strips) and saves it as
# build/skins-contact-sheet.png, to judge the skins by eye.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake -S "$root" -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native --target skinsheet skins -j2 >/dev/null
skins="$root/build/native/skins"
bmp="$root/build/skins-contact-sheet.bmp"
png="$root/build/skins-contact-sheet.png"
build/native/tools/skinsheet "$bmp" "$skins/stored.skn" "$skins"/{1,2,3,4,5,6}.skn
convert "$bmp" "$png"
rm -f "$bmp"
echo "contact sheet: $png"
