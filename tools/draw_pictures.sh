#!/usr/bin/env bash
# draw_pictures.sh [OUTPUT_DIR]: draws every picture of the toolbox window
# (background, and a normal and a hover picture per picture button; the hover
# picture doubles as the pressed one) as baseline 4:4:4 JPEG files into
# OUTPUT_DIR, assets/ by default. Needs ImageMagick and fonts-wqy-microhei.
#
# The output is byte-for-byte reproducible: no metadata, fixed quality and
# sampling, and shapes from fixed coordinates, so the files in the repository
# can be checked against a fresh run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$ROOT/assets}
FONT=${QUORRIN_PICTURE_FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}
CONVERT=${CONVERT:-convert}

[ -f "$FONT" ] || { echo "draw_pictures: font $FONT is missing (package fonts-wqy-microhei)" >&2; exit 1; }
mkdir -p "$OUT"

WINDOW_BLUE='rgb(46,131,196)'
TILE_BLUE='rgb(45,130,195)'
TILE_HOVER_BLUE='rgb(28,163,219)'

# Baseline, 24-bit, no chroma subsampling (the characters are thin and white
# on blue; subsampled chroma would smear them), nothing that varies per run.
JPEG_OPTIONS=(-colorspace sRGB -type TrueColor -quality 95 -sampling-factor 1x1 -interlace none -strip)

jpeg() {  # jpeg FILE CONVERT-ARGS...: draws and writes one picture
    local file=$1
    shift
    "$CONVERT" "$@" "${JPEG_OPTIONS[@]}" "jpeg:$OUT/$file"
}

# The product name, bold (the face has one weight: a stroke of the fill
# colour thickens it), its ink's top-left corner at (8, 8).
jpeg background.jpg \
    -size 380x308 "xc:$WINDOW_BLUE" \
    '(' -background none -fill white -stroke white -strokewidth 0.8 -font "$FONT" -pointsize 20 \
    label:Quorrin -trim +repage ')' \
    -gravity northwest -geometry +8+8 -composite

# 最小化: a 16 x 4 bar at x 6-21, y 15-18; drawn without antialiasing so that
# its edges are exactly there.
for variant in normal hover; do
    colour=white suffix=
    [ $variant = hover ] && colour=black suffix=_hover
    jpeg "button_minimise$suffix.jpg" \
        -size 28x28 "xc:$WINDOW_BLUE" +antialias -fill $colour -draw 'rectangle 6,15 21,18'
done

# 关闭窗口: a diagonal cross inside x 9-27, y 8-26 (the picture is larger than
# its button and is cut there). Each stroke is a band drawn as a polygon, so
# no antialiased edge spills out of that box.
cross='polygon 9,8 11.5,8 27,23.5 27,26 24.5,26 9,10.5 polygon 27,8 27,10.5 11.5,26 9,26 9,23.5 24.5,8'
for variant in normal hover; do
    colour=white suffix=
    [ $variant = hover ] && colour=black suffix=_hover
    jpeg "button_close$suffix.jpg" -size 36x36 "xc:$WINDOW_BLUE" -fill $colour -draw "$cross"
done

# 返回 and 查询: the characters centred, white; black when hovered.
text_button() {  # text_button FILE_STEM CAPTION
    local stem=$1 caption=$2 variant colour suffix
    for variant in normal hover; do
        colour=white suffix=
        [ $variant = hover ] && colour=black suffix=_hover
        jpeg "$stem$suffix.jpg" \
            -size 56x30 "xc:$WINDOW_BLUE" -font "$FONT" -pointsize 18 -fill $colour \
            -gravity center -annotate +0+0 "$caption"
    done
}
text_button button_back 返回
text_button button_lookup 查询

# Launcher tiles: two centred lines of white characters about 18 pixels high;
# the hover picture only lightens the blue.
tile() {  # tile FILE_STEM LINE1 LINE2
    local stem=$1 first=$2 second=$3 variant blue suffix
    for variant in normal hover; do
        blue=$TILE_BLUE suffix=
        [ $variant = hover ] && blue=$TILE_HOVER_BLUE suffix=_hover
        jpeg "$stem$suffix.jpg" \
            -size 70x70 "xc:$blue" -font "$FONT" -pointsize 18 -fill white \
            -gravity north -annotate +0+12 "$first" -annotate +0+36 "$second"
    done
}
tile tile_calculator 打开 计算器
tile tile_paint 画图 工具
tile tile_phone_lookup 手机 归属地
tile tile_notepad 打开 记事本
tile tile_navigation 网址 导航
tile tile_search 百度 一下
tile tile_pc_software 电脑 应用
tile tile_phone_apps 手机 应用
