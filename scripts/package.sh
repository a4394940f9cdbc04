#!/usr/bin/env bash
# Builds the optimised program and writes, from the same files (scripts/stage-package.sh):
#   build/quillimo-setup.exe   the installer (scripts/make-installer.sh): per user, no
#                              administrator, into %LOCALAPPDATA%\Programs\Quillimo
#   build/quillimo-win64.zip   one folder "Quillimo" that runs wherever it is unzipped (on
#                              Windows, or under Wine)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/build-release.sh

rm -rf "$root/build/package"
bash scripts/stage-package.sh build/windows-release "$root/build/package/Quillimo"

zip_file="$root/build/quillimo-win64.zip"
rm -f "$zip_file"
(cd "$root/build/package" && cmake -E tar cf "$zip_file" --format=zip Quillimo)
echo "package: $zip_file ($(du -h "$zip_file" | cut -f1))"

setup_file="$root/build/quillimo-setup.exe"
bash scripts/make-installer.sh "$root/build/package/Quillimo" build/windows-release/pictures/quillimo.ico "$setup_file"
echo "package: $setup_file ($(du -h "$setup_file" | cut -f1))"
