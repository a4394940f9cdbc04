#!/usr/bin/env bash
# Two contact sheets of the seven skins, to judge them by eye:
#   build/skins-contact-sheet.png  the program's own windows in each skin (tools/skinshots under
#                                  Wine): per row the main window on each of its four tabs, the
#                                  About window, an error box and the main window with the Skin
#                                  menu open; then the stored skin and skin 1 at 125, 150 and 200 %
#   build/skinview-sheet.png       the skin viewer (tools/skinview) in each skin: per row its
#                                  two tabs, every skinnable control
#   build/skins-elements.png       the skin models sketched (tools/skinsheet): a small window and
#                                  controls, then the raw element strips
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/build-windows-tools.sh skinshots skinview vesperin

bmp="$root/build/skins-contact-sheet.bmp"
png="$root/build/skins-contact-sheet.png"
bash scripts/with-display.sh bash scripts/wine-run.sh build/windows/tools/skinshots/skinshots.exe "Z:$bmp"
# Then a row per scale (125 %, 150 %, 200 %) for the stored skin and skin 1.
scaled=()
for dpi in 120 144 192; do
  shot="$root/build/skins-contact-sheet-$dpi.bmp"
  QUILLIMO_DPI=$dpi bash scripts/with-display.sh bash scripts/wine-run.sh build/windows/tools/skinshots/skinshots.exe \
       "Z:$shot" --skins 0,1
  scaled+=("$shot")
done
convert "$bmp" "${scaled[@]}" -background '#303840' -append +repage "$png"
rm -f "$bmp" "${scaled[@]}"
echo "contact sheet: $png"

skins="$root/build/native/skins"
views=()
for skin in stored 1 2 3 4 5 6; do
  shot="$root/build/skinview-$skin.bmp"
  bash scripts/with-display.sh bash scripts/wine-run.sh build/windows/tools/skinview/skinview.exe \
       "Z:$skins/$skin.skn" --shot "Z:$shot"
  views+=("$shot")
done
convert "${views[@]}" -background '#303840' -splice 0x12 -append "$root/build/skinview-sheet.png"
rm -f "${views[@]}"
echo "skin viewer sheet: $root/build/skinview-sheet.png"

elements_bmp="$root/build/skins-elements.bmp"
build/native/tools/skinsheet "$elements_bmp" "$skins/stored.skn" "$skins"/{1,2,3,4,5,6}.skn
convert "$elements_bmp" "$root/build/skins-elements.png"
rm -f "$elements_bmp"
echo "element sheet: $root/build/skins-elements.png"
