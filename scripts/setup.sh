#!/usr/bin/env bash
# Makes a Debian 12 machine ready to build and test Quillimo. Every step checks first and does
# nothing when its result is already there, so a second run takes a fraction of a second.
#   1. Debian packages (apt-get update only when one is missing)
#   2. libjpeg-turbo from Debian's source package, built with MinGW as a static library
#      into build/deps/libjpeg-mingw
#   3. the Wine prefix build/wineprefix, set up for a display without a window manager
#   4. the Turkish locale tr_TR.UTF-8, so that scripts/run.sh can show the program as a Turkish
#      system does (Wine takes its ANSI code page, 1254, from the locale)
# GoogleTest is not built here: the windows build compiles /usr/src/googletest itself.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deps="$root/build/deps"
jpeg_prefix="$deps/libjpeg-mingw"
wineprefix="$root/build/wineprefix"

# libclang-rt-14-dev: libFuzzer and clang's sanitizers; libjpeg-dev: the native picture
# generator (tools/pictures); nsis: makensis, which makes the installer (installer/).
packages=(g++-mingw-w64-x86-64 wine64 xvfb xauth cmake ninja-build clang libclang-rt-14-dev
          imagemagick dpkg-dev googletest libgtest-dev libbenchmark-dev libjpeg-dev locales nsis)

say() { echo "setup: $*"; }

as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

apt_updated=0
apt_update() {
  if [[ $apt_updated -eq 0 ]]; then
    as_root apt-get update -qq
    apt_updated=1
  fi
}

install_packages() {
  local missing=() p status
  for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return
  say "installing ${missing[*]}"
  apt_update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# apt-get source needs deb-src entries; derive them from the machine's own package list.
ensure_source_entries() {
  if apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
    return
  fi
  local d=/etc/apt/sources.list.d
  if [[ -f $d/debian.sources ]]; then
    sed 's/^Types: deb$/Types: deb-src/' "$d/debian.sources" | as_root tee "$d/debian-src.sources" >/dev/null
  elif [[ -f /etc/apt/sources.list ]]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee "$d/debian-src.list" >/dev/null
  else
    echo "setup: no Debian package list found to derive source entries from" >&2
    exit 1
  fi
  apt_updated=0
  apt_update
}

build_libjpeg() {
  [[ -f $jpeg_prefix/lib/libjpeg.a ]] && return
  say "building libjpeg-turbo with MinGW"
  ensure_source_entries
  local src_parent="$deps/src"
  mkdir -p "$src_parent"
  local src
  src=$(find "$src_parent" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
  if [[ -z $src ]]; then
    (cd "$src_parent" && apt-get source -qq libjpeg-turbo >"$deps/libjpeg-source.log" 2>&1) \
      || { cat "$deps/libjpeg-source.log"; exit 1; }
    src=$(find "$src_parent" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
  fi
  local bld="$deps/libjpeg-mingw-build"
  rm -rf "$bld"
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
        -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF >"$deps/libjpeg-configure.log" 2>&1 \
    || { cat "$deps/libjpeg-configure.log"; exit 1; }
  cmake --build "$bld" --target jpeg-static -j2 >"$deps/libjpeg-build.log" 2>&1 \
    || { cat "$deps/libjpeg-build.log"; exit 1; }
  mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
  cp "$bld/jconfig.h" "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$jpeg_prefix/include/"
  cp "$bld/libjpeg.a" "$jpeg_prefix/lib/libjpeg.a"  # last: its presence means the step is done
  rm -rf "$bld"
}

# Wine commands never inherit the set-up lock (fd 9): the wineserver they start outlives them.
wine_in_prefix() {
  (source "$root/scripts/wine-env.sh" && WINEDEBUG=-all "$@" 9>&-)
}

create_wineprefix() {
  [[ -f $wineprefix/system.reg ]] && return
  say "creating the Wine prefix"
  mkdir -p "$wineprefix"
  wine_in_prefix wineboot -i >/dev/null 2>&1
  wine_in_prefix wineserver -w
}

# Settings of the X11 driver for a display without a window manager (Xvfb):
#  - Decorated=N: windows draw their own frames and captions, as on Windows, so screenshots show
#    the whole window;
#  - Managed=N: Wine does not hand top-level windows to a window manager; with none there, hiding
#    or destroying such a window otherwise waits 2 s for a state change that never comes.
# Marlett, the symbol font of caption buttons, check marks and scroll arrows, is not put into
# a new prefix by this Wine; without it those glyphs show as letters. The text fonts are left
# as they are (they resolve to Liberation Sans).
wine_settings_version=2
configure_wineprefix() {
  local fonts="$wineprefix/drive_c/windows/Fonts" stamp="$wineprefix/.quillimo-configured"
  if [[ ! -f $fonts/marlett.ttf && -f /usr/share/wine/fonts/marlett.ttf ]]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  [[ -f $stamp && $(<"$stamp") == "$wine_settings_version" ]] && return
  say "configuring the Wine prefix"
  local key='HKCU\Software\Wine\X11 Driver' value
  for value in Decorated Managed; do
    wine_in_prefix wine reg add "$key" /v "$value" /t REG_SZ /d N /f >/dev/null 2>&1
  done
  echo "$wine_settings_version" >"$stamp"
}

create_turkish_locale() {
  locale -a 2>/dev/null | grep -qix 'tr_TR.utf8' && return
  say "creating the locale tr_TR.UTF-8"
  as_root localedef -i tr_TR -f UTF-8 tr_TR.UTF-8
}

# One set-up at a time on this tree (test runs may start side by side).
mkdir -p "$root/build"
exec 9>"$root/build/.setup.lock"
flock 9

install_packages
build_libjpeg
create_wineprefix
configure_wineprefix
create_turkish_locale
