#!/bin/sh
# Maps the test drives for the file-system tests: T: to a fresh folder, U: to a folder
# that does not exist (a drive that is not ready). "unmap" takes them away again.
set -eu
action=$1
root=$2
devices="${WINEPREFIX:-$HOME/.wine}/dosdevices"

# Wine's mount manager learns the drives when it starts: restart the prefix's server and
# services so that it sees the new letters. Their output goes nowhere, so that they do not
# hold on to the test runner's.
restart_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -p 2>/dev/null || true
  wineboot >/dev/null 2>&1 </dev/null || true
}
case "$action" in
  map)
    rm -rf "$root"
    mkdir -p "$root/t/Huge"
    # A folder of 70,000 files for the tests of big lists; Wine makes them one by one
    # far more slowly.
    (cd "$root/t/Huge" && seq -f 'f%05g.nc' 0 69999 | xargs touch)
    ln -sfn "$root/t" "$devices/t:"
    ln -sfn "$root/missing" "$devices/u:"
    restart_wine
    ;;
  unmap)
    rm -f "$devices/t:" "$devices/u:"
    rm -rf "$root"
    restart_wine
    ;;
esac
