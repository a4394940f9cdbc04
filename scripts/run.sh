#!/usr/bin/env bash
# Builds the optimised vesperin.exe (Release, build/windows-release) and starts it under Wine.
#   With $DISPLAY: the program runs on that display until it is closed.
#   Without:       it runs on a fresh virtual display; after a few seconds a screenshot of the
#                  screen is saved as build/screenshot.png and the program is ended.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
exe="$root/build/windows-release/vesperin.exe"
screenshot="$root/build/screenshot.png"
settle_seconds=4
# The program is made for Turkish Windows: under Wine the Turkish locale gives it that system's
# ANSI code page (1254), in which its Turkish catalogue files are written.
export LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8

# Inside scripts/with-display.sh: start the program, photograph the screen, end the program.
if [[ ${1:-} == --screenshot ]]; then
  "$root/scripts/wine-run.sh" "$exe" </dev/null >/dev/null 2>&1 &
  program=$!
  sleep "$settle_seconds"
  import -window root "$screenshot"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  echo "screenshot: $screenshot"
  exit 0
fi

bash scripts/build-release.sh

if [[ -n ${DISPLAY:-} ]]; then
  exec "$root/scripts/wine-run.sh" "$exe"
fi
exec bash "$root/scripts/with-display.sh" bash "$root/scripts/run.sh" --screenshot
