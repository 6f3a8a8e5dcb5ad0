#!/bin/sh
# Fills the benchmark folders from the host side (creating 100,000 files one by one under
# Wine takes many minutes) and runs the listing benchmark on them.
# Usage: listing_bench.sh path/to/filelists_bench.exe
set -eu
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fill() { # folder count kind
  mkdir -p "$work/$1"
  (cd "$work/$1" && awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++) print "Part_" (i * 7919) % n ".nc" }' |
    if [ "$3" = dir ]; then xargs mkdir; else xargs touch; fi)
}
fill files1000 1000 file
fill files10000 10000 file
fill files100000 100000 file
fill folders10000 10000 dir
wine "$exe" "Z:$(echo "$work" | tr / '\\')"
