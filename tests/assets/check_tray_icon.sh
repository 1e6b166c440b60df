#!/usr/bin/env bash
# check_tray_icon.sh [SOURCE_DIR]: reads SOURCE_DIR/assets/tray_icon.ico with
# tools that share no code with the program (icoutils' icotool, ImageMagick):
# one 64x64 24-bit image, blue with the white letter the right way up; then
# redraws it and requires identical bytes, so that the committed file is
# exactly what tools/draw_tray_icon.py makes.
set -uo pipefail

ROOT=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ICON=$ROOT/assets/tray_icon.ico
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in icotool identify convert python3 cmp; do
    command -v $tool >/dev/null || { echo "check_tray_icon: $tool is not installed" >&2; exit 1; }
done
[ -f "$ICON" ] || { echo "check_tray_icon: $ICON is missing" >&2; exit 1; }

listing=$(icotool -l "$ICON" 2>&1) || fail "icotool cannot read the icon: $listing"
expected="--icon --index=1 --width=64 --height=64 --bit-depth=24 --palette-size=0"
[ "$listing" = "$expected" ] || fail "icotool lists '$listing', not '$expected'"

format=$(identify -format '%m %wx%h\n' "$ICON" 2>&1) || fail "identify cannot read the icon: $format"
[ "$format" = "ICO 64x64" ] || fail "identify sees '$format', not 'ICO 64x64'"

# x,y from the top left, and the colour ImageMagick reads there. The tail sits
# at the lower right only: an icon stored upside down fails here.
for probe in "0,0 srgb(46,131,195)" "63,63 srgb(46,131,195)" "32,30 srgb(46,131,195)" \
    "32,11 srgb(255,255,255)" "48,52 srgb(255,255,255)" "48,11 srgb(46,131,195)"; do
    read -r at colour <<<"$probe"
    seen=$(convert "$ICON" -alpha off -format "%[pixel:p{$at}]" info: 2>&1)
    [ "$seen" = "$colour" ] || fail "pixel $at is $seen, not $colour"
done

fresh=$(mktemp --suffix=.ico)
trap 'rm -f "$fresh"' EXIT
if python3 "$ROOT/tools/draw_tray_icon.py" "$fresh"; then
    cmp "$ICON" "$fresh" || fail "tools/draw_tray_icon.py draws different bytes than assets/tray_icon.ico"
else
    fail "tools/draw_tray_icon.py failed"
fi

if [ $failures -ne 0 ]; then
    echo "check_tray_icon: $failures failure(s)" >&2
    exit 1
fi
echo "check_tray_icon: assets/tray_icon.ico is as drawn"
