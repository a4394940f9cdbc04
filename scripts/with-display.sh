#!/usr/bin/env bash
# Runs a command with one virtual X display (Xvfb) and one persistent wineserver for the
# project's Wine prefix, and stops both when the command ends, whatever happens.
#   bash scripts/with-display.sh ctest --test-dir build/windows --output-on-failure
# With a persistent wineserver a wine process starts in well under a second instead of seconds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh"

xvfb_pid=""
wineserver_pid=""

stop_all() {
  if [[ -n $wineserver_pid ]]; then
    wineserver -k >/dev/null 2>&1 || true
    kill "$wineserver_pid" 2>/dev/null || true
    wait "$wineserver_pid" 2>/dev/null || true
  fi
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap stop_all EXIT

free_display() {
  local n
  for n in $(seq 97 160); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
      echo "$n"
      return
    fi
  done
  echo "with-display.sh: no free X display number" >&2
  exit 1
}

start_xvfb() {
  local n i
  n=$(free_display)
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for i in $(seq 100); do
    [[ -S /tmp/.X11-unix/X$n ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-display.sh: Xvfb :$n did not start" >&2; exit 1; }
    sleep 0.05
  done
  export DISPLAY=":$n"
}

# The wineserver runs in the foreground (-f) so that its process id is ours to stop; its output
# goes to /dev/null so that it never holds the caller's pipe open. When a wineserver for the
# prefix is already running, the new one exits at once and the running one is used and left alone.
start_wineserver() {
  wineserver -f -p </dev/null >/dev/null 2>&1 &
  wineserver_pid=$!
  sleep 0.2
  if ! kill -0 "$wineserver_pid" 2>/dev/null; then
    wineserver_pid=""
  fi
  # Start Wine's own background processes now, detached from the caller's output.
  "$root/scripts/wine-run.sh" wineboot </dev/null >/dev/null 2>&1 || true
}

start_xvfb
start_wineserver
"$@"
