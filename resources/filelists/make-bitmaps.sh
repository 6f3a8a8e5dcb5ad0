#!/bin/sh
# Draws the drive and folder pictures of the lists as 16-colour BMPs. The bottom-left pixel
# of each is pure blue: the lists draw that colour as transparent.
# Usage: make-bitmaps.sh   (writes the .bmp files beside this script)
set -eu
cd "$(dirname "$0")"
palette=$(mktemp --suffix=.png)
trap 'rm -f "$palette"' EXIT
# The sixteen standard colours; remapping without dithering keeps pure blue pure.
convert xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' xc:'#000080' xc:'#800080' xc:'#008080' \
  xc:'#C0C0C0' xc:'#808080' xc:'#FF0000' xc:'#00FF00' xc:'#FFFF00' xc:'#0000FF' xc:'#FF00FF' xc:'#00FFFF' \
  xc:'#FFFFFF' +append "$palette"

# A 16 x 11 grey drive box on blue, with the marks given as further -draw arguments.
drive() { # name draw-commands...
  name=$1
  shift
  convert -size 16x11 xc:'#0000FF' +antialias -fill '#C0C0C0' -stroke '#000000' -draw 'rectangle 0,2 15,9' \
    -stroke none "$@" -dither None -remap "$palette" -type palette BMP3:"$name.bmp"
}

drive floppy -fill '#000080' -draw 'rectangle 3,3 12,5' -fill '#FFFFFF' -draw 'rectangle 5,6 10,8'
drive hard -fill '#808080' -draw 'rectangle 2,7 9,7' -fill '#00FF00' -draw 'rectangle 12,7 13,8'
drive network -fill '#008080' -draw 'rectangle 2,4 13,6' -fill '#000000' -draw 'line 7,9 7,10' \
  -draw 'line 3,10 12,10'
drive cdrom -fill '#FFFF00' -draw 'circle 7,5 10,5' -fill '#808080' -draw 'point 7,5'
drive ram -fill '#008000' -draw 'rectangle 2,4 13,7' -fill '#FFFF00' -draw 'rectangle 3,8 4,9' \
  -draw 'rectangle 6,8 7,9' -draw 'rectangle 9,8 10,9' -draw 'rectangle 12,8 13,9'

# 16 x 15 yellow folders: closed, open, and open with shading for the current folder.
folder() { # name draw-commands...
  name=$1
  shift
  convert -size 16x15 xc:'#0000FF' +antialias -stroke '#000000' -fill '#FFFF00' -draw 'polygon 1,2 6,2 7,4 14,4 14,13 1,13' \
    "$@" -dither None -remap "$palette" -type palette BMP3:"$name.bmp"
}

folder closedfolder -fill '#808000' -draw 'line 2,5 13,5'
folder openfolder -fill '#FFFF00' -draw 'polygon 1,13 4,7 15,7 14,13'
folder currentfolder -fill '#FFFF00' -draw 'polygon 1,13 4,7 15,7 14,13' -stroke none -fill '#808000' \
  -draw 'rectangle 5,9 12,11'
