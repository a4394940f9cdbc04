#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix (build/wineprefix).
# The display is the caller's $DISPLAY (scripts/with-display.sh sets one up for test runs).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh"
if [[ -z "${DISPLAY:-}" ]]; then
  echo "wine-run.sh: no DISPLAY; run under scripts/with-display.sh" >&2
fi
exec wine "$@"
