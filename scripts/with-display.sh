#!/usr/bin/env bash
# Runs a command with one virtual X display (Xvfb) and one persistent wineserver, and stops both
# when the command ends, whatever happens.
#   bash scripts/with-display.sh ctest --test-dir build/windows --output-on-failure
# With a persistent wineserver a wine process starts in well under a second instead of seconds.
# Each run has a Wine prefix of its own, a copy of build/wineprefix made in a fraction of a
# second (the program files are hard links; everything Wine writes is a real copy), so runs side
# by side never share a wineserver or registry, and each starts from the same clean state.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
template="$root/build/wineprefix"
[[ -f $template/system.reg ]] || { echo "with-display.sh: no Wine prefix; run scripts/setup.sh" >&2; exit 1; }
mkdir -p "$root/build/wine-runs"
run_prefix=$(mktemp -d "$root/build/wine-runs/run.XXXXXX")
export QUILLIMO_WINEPREFIX="$run_prefix"
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
  rm -rf "$run_prefix"
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

copy_prefix() {
  cp -al "$template/." "$run_prefix/"
  find "$run_prefix" -type f ! \( -name '*.dll' -o -name '*.exe' -o -name '*.sys' -o -name '*.drv' \
       -o -name '*.ocx' -o -name '*.cpl' -o -name '*.acm' -o -name '*.tlb' -o -name '*.ds' \
       -o -name '*.ax' -o -name '*.nls' -o -name '*.ttf' -o -name '*.msstyles' \) -print0 |
    while IFS= read -r -d '' file; do
      cp --remove-destination "$template/${file#"$run_prefix"/}" "$file"
    done
}

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

# QUILLIMO_DPI=144 (or 120, 192, ...): the run's screen has that many pixels per inch. Wine reads
# LogPixels from the user's desktop settings and from the current hardware profile's fonts; both
# are written into the run's own copy of the prefix before its wineserver starts.
set_dpi() {
  [[ -n ${QUILLIMO_DPI:-} ]] || return 0
  [[ $QUILLIMO_DPI =~ ^[0-9]+$ ]] || { echo "with-display.sh: QUILLIMO_DPI is not a number" >&2; exit 1; }
  local value
  value=$(printf '"LogPixels"=dword:%08x' "$QUILLIMO_DPI")
  sed -i "s/^\"LogPixels\"=dword:.*/$value/" "$run_prefix/system.reg" "$run_prefix/user.reg"
  # The desktop key holds none yet: the value goes after its header and time stamp.
  awk -v value="$value" '
    { print }
    /^\[Control Panel\\\\Desktop\] / { desktop = 1; next }
    desktop && /^#time=/ { print value; desktop = 0 }
  ' "$run_prefix/user.reg" >"$run_prefix/user.reg.new"
  mv "$run_prefix/user.reg.new" "$run_prefix/user.reg"
}

# The wineserver runs in the foreground (-f) so that its process id is ours to stop; its output
# goes to /dev/null so that it never holds the caller's pipe open. With
# QUILLIMO_WINESERVER_LOG=FILE it writes every request and reply to FILE (-d1), for counting the
# server requests a program makes (scripts/count-requests.sh).
start_wineserver() {
  if [[ -n ${QUILLIMO_WINESERVER_LOG:-} ]]; then
    wineserver -f -p -d1 </dev/null >/dev/null 2>"$QUILLIMO_WINESERVER_LOG" &
  else
    wineserver -f -p </dev/null >/dev/null 2>&1 &
  fi
  wineserver_pid=$!
  # Wait for its socket, so that no wine process starts a server of its own meanwhile. The
  # server's folder is named after the prefix's device and inode; where it lies differs between
  # Wine builds (/tmp/.wine-UID or /tmp/wine-XXXXXX).
  local dev ino server i sockets
  read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
  server=$(printf 'server-%x-%x' "$dev" "$ino")
  for i in $(seq 100); do
    sockets=$(compgen -G "/tmp/.wine-$(id -u)/$server/socket" || compgen -G "/tmp/wine-*/$server/socket" || true)
    [[ -n $sockets ]] && break
    kill -0 "$wineserver_pid" 2>/dev/null || break
    sleep 0.05
  done
  # Start Wine's own background processes now, detached from the caller's output.
  "$root/scripts/wine-run.sh" wineboot </dev/null >/dev/null 2>&1 || true
}

copy_prefix
set_dpi
start_xvfb
start_wineserver
"$@"
