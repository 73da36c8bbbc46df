#!/usr/bin/env bash
# Writes resources/about-logo.bmp, the about box's vertical logo strip: the maker's name read
# from bottom to top on the blue of the main window's logo, under a disc. Run by hand; the
# .bmp is committed. Needs ImageMagick's `convert` and the Liberation fonts (fonts-liberation).
#   tools/make_about_logo.sh [OUTPUT]
set -eu
cd "$(dirname "$0")/.."
output=${1:-resources/about-logo.bmp}
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
# 65 x 309 pixels: the strip's 975 x 4635 twips at 96 DPI, so it shows unscaled there.
convert -size 65x309 xc:'#1F3F8F' \
  -fill '#2C4C9A' -draw 'rectangle 0,0 64,72' \
  -fill none -stroke '#C3CCE1' -strokewidth 2 -draw 'circle 32,36 32,20' \
  -stroke '#8B9CC5' -draw 'circle 32,36 32,27' \
  -stroke none -fill white -draw 'circle 32,36 32,32' \
  -fill '#6F84B7' -draw 'rectangle 8,84 56,85' -draw 'rectangle 8,300 56,301' \
  \( +size -background none -fill white -font "$font" -pointsize 26 label:Morvane \
     -rotate -90 +repage \) \
  -gravity center -geometry +0+40 -composite \
  -type TrueColor -depth 8 "BMP3:$output"
echo "$output"
