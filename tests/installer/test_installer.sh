#!/usr/bin/env bash
# The installer under Wine, from the windows build's program (no Release build needed):
#   bash scripts/with-display.sh bash tests/installer/test_installer.sh [WINDOWS_BUILD_DIR]
# scripts/test.sh runs it so, after the windows tests; build/windows-release as the tree tries
# the optimised program (the two helper programs always come from build/windows). It builds two
# installers, an older one whose English "Calm" message file differs and the current one, and
# checks:
#   1. a silent install puts the files, the shortcut and the uninstall entry where they belong,
#      and the program and the installer carry version 1.1;
#   2. the installed program starts from its shortcut, and its Exit writes ayarlar.txt beside it;
#   3. an upgrade closes the running program, keeps the settings and the catalogue file the user
#      changed, and replaces the program, the skins and the delivered file the user left alone;
#   4. a silent uninstall closes the running program, leaves no program file, shortcut, entry or
#      autostart value, and keeps the user's messages and settings; with /REMOVEDATA the folder
#      goes as well.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build=$(cd "${1:-$root/build/windows}" && pwd)
tools="$root/build/windows/tests/installer"
[[ -n ${DISPLAY:-} && -n ${QUILLIMO_WINEPREFIX:-} ]] || {
  echo "test_installer.sh: run it under scripts/with-display.sh" >&2
  exit 2
}
source "$root/scripts/wine-env.sh"
# No menu entries of the host's desktop for the shortcut, and the desktop autostart folder of
# this run only.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="
work=$(mktemp -d "$root/build/installer-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'echo "installer test: stopped by a failed command at line $LINENO"' ERR
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/autostart"

failures=0
pass() { echo "  ok: $*"; }
fail() { echo "  FAILED: $*"; failures=$((failures + 1)); }
# check DESCRIPTION COMMAND...: passes when the command succeeds.
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

windows_path() { winepath -w "$1" 2>/dev/null; }
wine_value() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
# reg_value KEY NAME: the data of a registry value (empty when missing).
reg_value() {
  { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
reg_has_key() { wine reg query "$1" >/dev/null 2>&1; }
reg_has_value() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }

echo "== installers"
QUILLIMO_INSTALLER_COMPRESSOR=${QUILLIMO_INSTALLER_COMPRESSOR:-zlib}
export QUILLIMO_INSTALLER_COMPRESSOR
bash "$root/scripts/stage-package.sh" "$build" "$work/new"
bash "$root/scripts/stage-package.sh" "$build" "$work/old"
printf 'A message of the older version,1\r\n' >>"$work/old/language1/Calm.txt"
touch -d '2025-01-01 12:00' "$work/old/language1/Calm.txt"
bash "$root/scripts/make-installer.sh" "$work/old" "$build/pictures/quillimo.ico" "$work/setup-old.exe"
bash "$root/scripts/make-installer.sh" "$work/new" "$build/pictures/quillimo.ico" "$work/setup-new.exe"
echo "  installer from $build: $(stat -c %s "$work/setup-new.exe") bytes ($QUILLIMO_INSTALLER_COMPRESSOR)"

install_dir=$(winepath -u "$(wine_value LOCALAPPDATA)\\Programs\\Quillimo")
shortcut=$(winepath -u "$(wine_value APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Quillimo.lnk")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillimo'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'

# The files of the install folder that are not in the stage, and the other way round.
differences_from() {
  diff -rq "$1" "$install_dir" | grep -v -e "^Only in $install_dir: uninstall.exe\$" \
    -e "^Only in $install_dir: delivered.ini\$" || true
}

echo "== 1. silent install"
wine "$(windows_path "$work/setup-old.exe")" /S
check "the installer ended and wrote its folder $install_dir" test -f "$install_dir/vesperin.exe"
check "the folder holds the stage's files and the uninstaller, nothing else differs" \
  test -z "$(differences_from "$work/old")" -a -f "$install_dir/uninstall.exe"
differences_from "$work/old"
check "the Start menu shortcut is there" test -f "$shortcut"
installed_windows=$(windows_path "$install_dir")
for value in "DisplayName=Quillimo" "DisplayVersion=1.1" "Publisher=Brelko" \
             "DisplayIcon=$installed_windows\\vesperin.exe,0" "InstallLocation=$installed_windows" \
             "UninstallString=\"$installed_windows\\uninstall.exe\""; do
  check "uninstall entry: $value" test "$(reg_value "$uninstall_key" "${value%%=*}")" == "${value#*=}"
done
size_kb=$(( $(reg_value "$uninstall_key" EstimatedSize) ))
folder_kb=$(du -sk --apparent-size "$install_dir" | cut -f1)
echo "  EstimatedSize: $size_kb KB, the folder: $folder_kb KB"
check "the entry's size is the folder's" test "$size_kb" -gt $((folder_kb * 9 / 10)) -a "$size_kb" -le "$folder_kb"
for file in "$install_dir/vesperin.exe" "$work/setup-new.exe"; do
  info=$(wine "$tools/file_version.exe" "$(windows_path "$file")" 2>/dev/null | tr -d '\r')
  echo "  version of $(basename "$file"):" $info
  check "$(basename "$file"): file version 1.1.0.0" grep -qx 'FixedFileVersion=1.1.0.0' <<<"$info"
  check "$(basename "$file"): product version 1.1" grep -qx 'ProductVersion=1.1' <<<"$info"
  check "$(basename "$file"): product name Quillimo" grep -qx 'ProductName=Quillimo' <<<"$info"
  check "$(basename "$file"): a description" grep -q '^FileDescription=Quillimo.' <<<"$info"
done

echo "== 2. the installed program from its shortcut, then Exit"
wine start "$(windows_path "$shortcut")" 2>/dev/null
check "Exit ended the program" wine "$tools/press_exit.exe"
check "Exit wrote ayarlar.txt beside the program" test -s "$install_dir/ayarlar.txt"

echo "== 3. upgrade over a changed catalogue, while the program runs"
printf 'My own program,1\r\n' >>"$install_dir/programlist1.txt"
cp "$install_dir/programlist1.txt" "$work/changed-programlist1.txt"
cp "$install_dir/ayarlar.txt" "$work/settings.txt"
echo "damaged" >"$install_dir/skins/1.skn"
rm "$install_dir/ayarlar.txt"
wine "$install_dir/vesperin.exe" &
program=$!
wine "$tools/press_exit.exe" wait >/dev/null
wine "$(windows_path "$work/setup-new.exe")" /S
for i in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
check "the installer closed the running program" eval '! kill -0 "$program" 2>/dev/null'
kill "$program" 2>/dev/null || true
check "the user's programlist1.txt is kept" cmp -s "$work/changed-programlist1.txt" "$install_dir/programlist1.txt"
check "the closed program wrote ayarlar.txt, and the upgrade kept it" cmp -s "$work/settings.txt" "$install_dir/ayarlar.txt"
check "the untouched language1\\Calm.txt is the new version's" cmp -s "$work/new/language1/Calm.txt" "$install_dir/language1/Calm.txt"
check "the skins are the new version's" cmp -s "$work/new/skins/1.skn" "$install_dir/skins/1.skn"
check "the program is the new version's" cmp -s "$work/new/vesperin.exe" "$install_dir/vesperin.exe"
check "the uninstall entry is still one" test "$(reg_value "$uninstall_key" DisplayName)" == Quillimo

# uninstall [OPTIONS]: the uninstaller runs on from a copy of itself; wait for it to finish.
uninstall() {
  wine "$installed_windows\\uninstall.exe" /S "$@"
  local i
  for i in $(seq 600); do
    [[ ! -e $install_dir/uninstall.exe ]] && ! reg_has_key "$uninstall_key" && return 0
    sleep 0.1
  done
  return 1
}

echo "== 4. silent uninstall, while the program runs"
wine "$install_dir/vesperin.exe" &
program=$!
wine "$tools/press_exit.exe" wait >/dev/null
wine reg add "HKLM\\$run_key" /v Quillimo /d "$installed_windows\\vesperin.exe" /f >/dev/null 2>&1
wine reg add "HKCU\\$run_key" /v Quillimo /d "$installed_windows\\vesperin.exe" /f >/dev/null 2>&1
printf '[Desktop Entry]\nName=Quillimo\n' >"$XDG_CONFIG_HOME/autostart/Quillimo.desktop"
printf '[Desktop Entry]\nName=Other\n' >"$XDG_CONFIG_HOME/autostart/Other.desktop"
check "the uninstaller ended" uninstall
check "the uninstaller closed the running program" eval '! kill -0 "$program" 2>/dev/null'
kill "$program" 2>/dev/null || true
for file in vesperin.exe uninstall.exe KILAVUZ.txt GUIDE.txt skins LICENSES; do
  check "no $file left" test ! -e "$install_dir/$file"
done
check "no shortcut left" test ! -e "$shortcut"
check "no uninstall entry left" test -z "$(reg_value "$uninstall_key" DisplayName)"
check "no Run value under HKLM" eval '! reg_has_value "HKLM\\$run_key" Quillimo'
check "no Run value under HKCU" eval '! reg_has_value "HKCU\\$run_key" Quillimo'
check "no desktop autostart entry" test ! -e "$XDG_CONFIG_HOME/autostart/Quillimo.desktop"
check "other desktop entries stay" test -e "$XDG_CONFIG_HOME/autostart/Other.desktop"
check "the user's settings stay" cmp -s "$work/settings.txt" "$install_dir/ayarlar.txt"
check "the user's catalogue stays" cmp -s "$work/changed-programlist1.txt" "$install_dir/programlist1.txt"
echo "  left in the folder:" $(cd "$install_dir" && ls)

wine "$(windows_path "$work/setup-new.exe")" /S
check "reinstalled over the kept data, the user's programlist1.txt is still there" \
  cmp -s "$work/changed-programlist1.txt" "$install_dir/programlist1.txt"
check "the uninstaller with /REMOVEDATA ended" uninstall /REMOVEDATA
check "with /REMOVEDATA no folder is left" test ! -e "$install_dir"

if [[ $failures -gt 0 ]]; then
  echo "installer test: $failures FAILED"
  exit 1
fi
echo "installer test: all passed"
