#!/usr/bin/env bash
# Start-up and Skin menu switches at 150 % (144 pixels per inch) against 100 %, in one run:
# bench_startup (vesperin.exe against the floor program) and bench_frame_paint (frame paint,
# region, a Skin menu command to the windows repainted) on displays of 96 and 144 pixels per inch.
# The skin's images are scaled once per skin and resolution, so the two should be close.
#   bash scripts/bench-scale.sh [TREE] [ROUNDS]   (TREE: a windows build, default build/windows)
# The tree needs vesperin, bench_startup (with startup_floor) and bench_frame_paint built.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
tree="${1:-build/windows}"
rounds="${2:-12}"
winpath() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }

for dpi in 96 144; do
  echo "== $dpi pixels per inch"
  QUILLIMO_DPI=$dpi bash scripts/with-display.sh bash scripts/wine-run.sh "$tree/benchmarks/bench_startup.exe" \
    "$(winpath "$tree/vesperin.exe")" "$(winpath "$tree/benchmarks/startup_floor.exe")" 9 | grep median
  QUILLIMO_DPI=$dpi bash scripts/with-display.sh bash scripts/wine-run.sh "$tree/benchmarks/bench_frame_paint.exe" \
    "$rounds"
done
