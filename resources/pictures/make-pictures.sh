#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick. The PNGs are checked in; run this only to
# change the artwork.
set -euo pipefail
cd "$(dirname "$0")"
c=convert

# 16 x 16 folder for the script button.
$c -size 16x16 xc:none -fill '#E8B830' -stroke '#9A7410' -draw "roundrectangle 1,4 14,14 1,1" \
   -fill '#F6D670' -draw "polygon 1,4 6,4 7,2 1,2" -fill '#FBE39A' -stroke none -draw "rectangle 2,6 13,7" folder16.png
# 24 x 24 gear-like "process" picture: a green play arrow on a disc.
$c -size 24x24 xc:none -fill '#2E9E4F' -stroke '#1D6B33' -draw "circle 12,12 12,1" \
   -fill white -stroke none -draw "polygon 9,6 18,12 9,18" process24.png
# 24 x 24 "close" picture: a red disc with a white cross.
$c -size 24x24 xc:none -fill '#D9453A' -stroke '#9C2A22' -draw "circle 12,12 12,1" \
   -stroke white -strokewidth 3 -draw "line 8,8 16,16" -draw "line 16,8 8,16" close24.png
# 24 x 24 "stop" picture, which the Process button wears during a run: a white square on an amber disc.
$c -size 24x24 xc:none -fill '#E08A1E' -stroke '#9A5A0C' -draw "circle 12,12 12,1" \
   -fill white -stroke none -draw "rectangle 8,8 16,16" stop24.png
# 16 x 16 green check mark for OK buttons.
$c -size 16x16 xc:none -fill none -stroke '#2E9E4F' -strokewidth 3 -draw "polyline 2,8 6,12 14,3" ok16.png
# Message pictures: warning triangle 48 x 44, stop sign 48 x 48, question mark 48 x 47.
$c -size 48x44 xc:none -fill '#F4C430' -stroke '#9A7410' -strokewidth 2 -draw "polygon 24,2 46,42 2,42" \
   -fill black -stroke none -draw "rectangle 22,14 26,30" -draw "circle 24,36 24,34" warning.png
$c -size 48x48 xc:none -fill '#D9453A' -stroke '#8A1F18' -strokewidth 2 \
   -draw "polygon 15,1 33,1 47,15 47,33 33,47 15,47 1,33 1,15" \
   -fill white -stroke none -draw "rectangle 10,20 38,28" stop.png
$c -size 48x47 xc:none -fill '#3B7DD8' -stroke '#1F4E8C' -strokewidth 2 -draw "circle 24,23 24,2" \
   -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 30 -gravity center -annotate +0+1 "?" question.png
# Program icon.
$c -size 32x32 xc:none -fill '#2A4D8F' -draw "roundrectangle 1,1 30,30 5,5" \
   -fill white -font DejaVu-Sans-Bold -pointsize 22 -gravity center -annotate +0+0 "V" velbrook.ico
