#!/usr/bin/env bash
# check_pictures.sh [SOURCE_DIR]: checks the toolbox window's pictures in
# SOURCE_DIR/assets with tools that share no code with the program
# (ImageMagick's identify, libjpeg-turbo's djpeg): each file's size, 24-bit
# colour, 4:4:4 sampling and baseline sequential encoding; then redraws them
# into a temporary folder and requires identical bytes, so that the committed
# files are exactly what tools/draw_pictures.sh makes.
set -uo pipefail

ROOT=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ASSETS=$ROOT/assets
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in identify djpeg; do
    command -v $tool >/dev/null || { echo "check_pictures: $tool is not installed" >&2; exit 1; }
done

# file, width, height
PICTURES=(
    "background.jpg 380 308"
    "button_minimise.jpg 28 28"
    "button_minimise_hover.jpg 28 28"
    "button_close.jpg 36 36"
    "button_close_hover.jpg 36 36"
    "button_back.jpg 56 30"
    "button_back_hover.jpg 56 30"
    "button_lookup.jpg 56 30"
    "button_lookup_hover.jpg 56 30"
)
for stem in calculator paint phone_lookup notepad navigation search pc_software phone_apps; do
    PICTURES+=("tile_$stem.jpg 70 70" "tile_${stem}_hover.jpg 70 70")
done

for entry in "${PICTURES[@]}"; do
    read -r file width height <<<"$entry"
    path=$ASSETS/$file
    if [ ! -f "$path" ]; then
        fail "$file is missing"
        continue
    fi
    verbose=$(identify -verbose "$path" 2>&1) || {
        fail "$file: identify cannot read it"
        continue
    }
    grep -q '^  Format: JPEG' <<<"$verbose" || fail "$file: not a JPEG file"
    grep -q "^  Geometry: ${width}x${height}+0+0\$" <<<"$verbose" || fail "$file: not ${width}x${height}"
    # identify's Type counts the colours in use (a two-colour picture reads as
    # Palette), so the colour model is taken from the colorspace and depth and
    # the component count of the frame below.
    grep -q '^  Colorspace: sRGB$' <<<"$verbose" || fail "$file: not RGB colour"
    grep -q '^  Depth: 8-bit$' <<<"$verbose" || fail "$file: not 8 bits per channel"
    grep -q '^    jpeg:sampling-factor: 1x1,1x1,1x1$' <<<"$verbose" || fail "$file: chroma is subsampled"
    grep -q '^  Interlace: None$' <<<"$verbose" || fail "$file: progressive"
    # identify does not tell baseline from extended sequential; the frame
    # marker does (0xc0 is baseline).
    # marker does (0xc0 is baseline); three 8-bit components make 24 bits.
    frame=$(djpeg -verbose -verbose "$path" 2>&1 >/dev/null | grep -o 'Start Of Frame 0x[0-9a-f]*: .*')
    [[ $frame == "Start Of Frame 0xc0: "* ]] || fail "$file: frame '${frame:-none}' is not baseline"
    [[ $frame == *"components=3" ]] || fail "$file: frame '${frame:-none}' does not have three components"
done

redrawn=$(mktemp -d)
trap 'rm -rf "$redrawn"' EXIT
if "$ROOT/tools/draw_pictures.sh" "$redrawn"; then
    for entry in "${PICTURES[@]}"; do
        read -r file _ <<<"$entry"
        if [ ! -f "$redrawn/$file" ]; then
            fail "$file: tools/draw_pictures.sh does not draw it"
        elif [ -f "$ASSETS/$file" ] && ! cmp -s "$ASSETS/$file" "$redrawn/$file"; then
            fail "$file: differs from what tools/draw_pictures.sh draws"
        fi
    done
else
    fail "tools/draw_pictures.sh failed"
fi

if [ $failures -ne 0 ]; then
    echo "$failures problem(s) with the pictures" >&2
    exit 1
fi
echo "all ${#PICTURES[@]} pictures checked"
