# Sourced by the scripts that run Wine: the project's prefix and quiet, dialog-free Wine.
# Needs $root, the repository's top folder. scripts/with-display.sh sets QUILLIMO_WINEPREFIX to
# the copy of the prefix that its run uses.
export WINEPREFIX="${QUILLIMO_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No mono or gecko install dialogs.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
