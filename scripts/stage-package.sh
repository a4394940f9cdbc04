#!/usr/bin/env bash
# Lays out what Quillimo delivers, from a windows build tree, in one folder:
#   bash scripts/stage-package.sh BUILD_DIR STAGE_DIR
#   vesperin.exe                     the program (statically linked)
#   programlist0.txt, language0\     the Turkish catalogue (Windows-1254)
#   programlist1.txt, language1\     the English catalogue (Windows-1252)
#   skins\1.skn ... skins\6.skn      the skins of the Skin menu
#   KILAVUZ.txt, GUIDE.txt           the short user guide in Turkish and English (CR LF)
#   LICENSES\                        the licence notices of what is linked into the program
# The zip and the installer of scripts/package.sh are made from this folder.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[[ $# -eq 2 ]] || { echo "usage: stage-package.sh BUILD_DIR STAGE_DIR" >&2; exit 2; }
build=$1
stage=$2

rm -rf "$stage"
mkdir -p "$stage/skins" "$stage/LICENSES"
cp "$build/vesperin.exe" "$stage/"
cp "$build/programlist0.txt" "$build/programlist1.txt" "$stage/"
cp -r "$build/language0" "$build/language1" "$stage/"
for n in 1 2 3 4 5 6; do cp "$build/skins/$n.skn" "$stage/skins/"; done

# Plain text for Windows: CR LF line ends.
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }
crlf "$root/resources/guide/KILAVUZ.txt" "$stage/KILAVUZ.txt"
crlf "$root/resources/guide/GUIDE.txt" "$stage/GUIDE.txt"

# Linked into vesperin.exe: libjpeg-turbo (from Debian's source package, built by set-up), and
# the MinGW-w64 runtime with its threads library and GCC's runtime libraries.
jpeg_src=$(find "$root/build/deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
[[ -n $jpeg_src ]] || { echo "stage-package.sh: the libjpeg-turbo sources are missing (scripts/setup.sh)" >&2; exit 1; }
crlf "$jpeg_src/LICENSE.md" "$stage/LICENSES/libjpeg-turbo.txt"
crlf "$jpeg_src/README.ijg" "$stage/LICENSES/libjpeg-turbo-README.ijg.txt"
crlf /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/LICENSES/mingw-w64-runtime.txt"
crlf /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$stage/LICENSES/gcc-runtime.txt"
{
  printf 'Quillimo uses libjpeg-turbo to show its JPEG picture.\r\n'
  printf 'This software is based in part on the work of the Independent JPEG Group.\r\n'
  printf 'The program is linked with the MinGW-w64 runtime (winpthreads among it) and the\r\n'
  printf 'runtime libraries of GCC; their licence notices are in this folder.\r\n'
} >"$stage/LICENSES/README.txt"
