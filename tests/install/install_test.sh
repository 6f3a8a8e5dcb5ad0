#!/usr/bin/env bash
# The setup as a user meets it, in a Wine prefix of its own: a silent install into the
# user's programs folder, checked file by file with its shortcut and uninstall entry; a
# silent uninstall; then an install into a chosen folder, the installed program started
# against the stand-in Norvalt until its main window shows and closed (which writes its
# settings), and an uninstall that leaves nothing of the program but keeps the settings.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

setup=$(ls "$BUILD"/package/VelbrookSetup-*.exe 2>/dev/null | head -n 1)
[ -n "$setup" ] || { echo "no setup in build/package: run scripts/package first" >&2; exit 1; }
prefix="$BUILD/install-test/prefix"
rm -rf "$prefix"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
start_wine "$prefix" >/dev/null

failures=0
check() {  # check <what> <command...>
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velbrook'
user_dir="$prefix/drive_c/users/$(id -un)"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velbrook.lnk"
data="$prefix/drive_c/users/Public/Documents/Ombrel/Velbrook"
entry() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
# The uninstaller copies itself away and returns at once; it is done when the folder goes.
gone() { for _ in $(seq 60); do [ ! -e "$1" ] && return 0; sleep 0.5; done; return 1; }

wine "$setup" /S
default_dir="$user_dir/AppData/Local/Programs/Velbrook"
check "installed per user into the user's programs folder" test -f "$default_dir/Velbrook.exe"
check "uninstaller beside it" test -f "$default_dir/Uninstall.exe"
check "Start-menu shortcut" test -f "$shortcut"
check "data folder created" test -d "$data"
check "uninstall entry: name" test "$(entry DisplayName)" = "Velbrook"
check "uninstall entry: version from the version block" test "$(entry DisplayVersion)" = "$(basename "$setup" .exe | sed 's/^VelbrookSetup-//')"
check "uninstall entry: publisher" test "$(entry Publisher)" = "Ombrel Software"
check "uninstall entry: icon" test "$(entry DisplayIcon)" = 'C:\users\'"$(id -un)"'\AppData\Local\Programs\Velbrook\Velbrook.exe,0'
check "uninstall entry: size" test "$(( $(entry EstimatedSize) ))" -gt 0
wine "$default_dir/Uninstall.exe" /S
check "uninstalled: program folder gone" gone "$default_dir"

chosen='C:\ShopTools\Velbrook'  # /D= takes the rest of the line; wine would quote a blank
wine "$setup" /S "/D=$chosen"
chosen_dir=$(winepath -u "$chosen")
check "installed into the chosen folder" test -f "$chosen_dir/Velbrook.exe"
check "uninstall entry names the chosen folder" test "$(entry InstallLocation)" = "$chosen"

# The installed program, linked to the stand-in, shows its window; Close stores the settings.
wine "$BUILD/win/NorvaltStandIn.exe" /RegServer
wine "$chosen_dir/Velbrook.exe" &
check "installed program shows its main window" wine "$BUILD/win/demo/velbrook_demo.exe" wait-main
check "installed program closes" wine "$BUILD/win/demo/velbrook_demo.exe" close
check "settings file written to the data folder" test -f "$data/velbrook.ini"
wine "$BUILD/win/NorvaltStandIn.exe" /Shutdown || true
wine "$BUILD/win/NorvaltStandIn.exe" /UnregServer || true

wine "$chosen_dir/Uninstall.exe" /S
check "uninstalled: chosen folder gone" gone "$chosen_dir"
check "uninstalled: shortcut gone" test ! -e "$shortcut"
check "uninstalled: uninstall entry gone" test -z "$(entry DisplayName)"
check "settings outlast the uninstall" test -f "$data/velbrook.ini"
[ $failures -eq 0 ]
