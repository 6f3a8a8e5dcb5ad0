#!/bin/sh
# Maps the test drives for the file-system tests: T: to a fresh folder, U: to a folder
# that does not exist (a drive that is not ready). "unmap" takes them away again.
set -eu
action=$1
root=$2
devices="${WINEPREFIX:-$HOME/.wine}/dosdevices"
case "$action" in
  map)
    rm -rf "$root"
    mkdir -p "$root/t"
    ln -sfn "$root/t" "$devices/t:"
    ln -sfn "$root/missing" "$devices/u:"
    ;;
  unmap)
    rm -f "$devices/t:" "$devices/u:"
    rm -rf "$root"
    ;;
esac
