#!/bin/bash
# badassets.sh FFXDEMO_TREE WORKDIR FFXASSETS -- a project whose pictures or fonts are
# missing, unreadable, too large, of the wrong kind for its depth or of one
# name stops configuring with one line naming the file and the reason; a
# picture of each format FFmpeg decodes goes through.
tree=$1 work=$2 tool=$3
. "$(dirname "$0")/../lib/bad_project.sh"
p=$work/project
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
echo 'not a picture' >"$p/text.png"
convert -size 4097x2 xc:red "$p/wide.png"
convert -size 8x8 xc:red PNG24:"$p/red.png"
cp "$p/red.png" "$p/other.png" && mkdir "$p/sub" && cp "$p/red.png" "$p/sub/red.png"

expect_stop "IMAGES gone.png" "ffx_add_demo(bad): IMAGES $p/gone.png: cannot be read as a picture"
expect_stop "IMAGES text.png" "ffx_add_demo(bad): IMAGES $p/text.png: "
expect_stop "IMAGES wide.png" "ffx_add_demo(bad): IMAGES $p/wide.png: is 4097 x 2, larger than 4096 x 4096"
expect_stop "DEPTH 8 IMAGES red.png" "ffx_add_demo(bad): IMAGES $p/red.png: is in true colour; a demo of depth 8"
expect_stop "IMAGES red.png sub/red.png" "ffx_add_demo(bad): IMAGES $p/sub/red.png: a second picture or font named \"red\""
expect_stop "IMAGES red.png FONTS red=$font:12" "ffx_add_demo(bad): FONTS $font: a second picture or font named \"red\""
expect_stop "FONTS t=text.png:12" "ffx_add_demo(bad): FONTS $p/text.png: cannot be read as a font"
expect_stop "FONTS t=$font:0" "ffx_add_demo(bad): FONTS $font: size 0 is not 1 to 512 pixels"
expect_stop "FONTS $font:12" "ffx_add_demo(bad): FONTS $font:12 is not NAME=FILE:SIZE"

for format in png jpg gif bmp webp; do
  convert -size 5x3 xc:blue "$p/pic.$format" || fail "ImageMagick cannot write $format"
  out=$("$tool" 32 - --image "$p/pic.$format" 2>&1) || fail "pic.$format: $out"
  rm "$p/pic.$format"
done
echo "badassets: the build stops with the file and the reason; PNG, JPEG, GIF, BMP and WebP decode"
