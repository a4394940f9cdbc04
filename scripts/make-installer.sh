#!/usr/bin/env bash
# Compiles the installer (installer/quillimo.nsi, NSIS's makensis) from a staged folder:
#   bash scripts/make-installer.sh STAGE_DIR ICON OUTPUT.exe
# STAGE_DIR is a folder of scripts/stage-package.sh, ICON the program's icon (the windows
# build's pictures/quillimo.ico). QUILLIMO_INSTALLER_COMPRESSOR=zlib builds faster and larger
# than the default lzma (the tests use it).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[[ $# -eq 3 ]] || { echo "usage: make-installer.sh STAGE_DIR ICON OUTPUT.exe" >&2; exit 2; }
stage=$(cd "$1" && pwd)
icon=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
output=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")

# One CatalogueFile line per delivered catalogue file: its name under the installation folder
# and its staged file.
catalogue="$output.catalogue.nsh"
(
  cd "$stage"
  find programlist0.txt programlist1.txt language0 language1 -type f | LC_ALL=C sort |
    while IFS= read -r file; do
      printf '!insertmacro CatalogueFile "%s" "%s"\n' "${file//\//\\}" "$stage/$file"
    done
) >"$catalogue"

makensis -V2 -INPUTCHARSET UTF8 -NOCD \
  "-DSTAGE=$stage" "-DCATALOGUE=$catalogue" "-DICON=$icon" "-DOUTFILE=$output" \
  "-DCOMPRESSOR=${QUILLIMO_INSTALLER_COMPRESSOR:-lzma}" "$root/installer/quillimo.nsi"
rm -f "$catalogue"
