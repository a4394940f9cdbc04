#!/usr/bin/env bash
# The README's pictures (docs/*.png): the program's windows under Wine on a virtual display,
# with the delivered catalogue (tools/skinshots --docs).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/build-windows-tools.sh skinshots vesperin

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
