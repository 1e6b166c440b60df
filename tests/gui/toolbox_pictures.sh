#!/usr/bin/env bash
# The toolbox window as a user sees it: screenshots of both panels, checked
# pixel by pixel where the design fixes colours and places: the background,
# the tiles and their lighter hover picture under the real mouse pointer, the
# window buttons' symbols (the close cross cut at its button's edge), the
# captions drawn onto the background, and a display label's text cut at its
# right edge and gone again when emptied. All coordinates are the window's.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_pictures "$HARNESS_RESULTS/gui-toolbox_pictures-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

BACKGROUND=46,131,196
TILE=45,130,195
TILE_HOVER=28,163,219
WHITE=255,255,255
BLACK=0,0,0

tb_folder "$RUN/app"
tb_start "$RUN/app"
# The pointer rests on the desktop, away from the window, until a check
# moves it.
xdotool mousemove 60 60
tb_show
tb_where
WX=$TB_X WY=$TB_Y
check "the window shows centred on the 1024x768 screen, 380x215" \
    tb_equals "$(D dump "$TB_WINDOW" | field rect window)" "322,276,702,491"
tb_dump "$RUN/launcher.txt"

# Moves the real pointer to the window's point X,Y and a pixel further, as a
# hand's movement would: the first move may only tell another button that
# the pointer has left it.
point_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) sleep 0.1 mousemove $((WX + $1 + 1)) $((WY + $2 + 1)); }
# The window's background right of the product name: no control there.
rest_pointer() { point_at 250 20; }
white() { echo "$1 count $2 $3 $4 $5 white 20"; }
black() { echo "$1 count $2 $3 $4 $5 black 20"; }
# A tile's own blue: its top rows, above the first line of characters.
tile_rect() { IFS=, read -r TL TT _ _ <<<"$(field rect <<<"$(tb_child "$1" "$RUN/launcher.txt")")"; }

# --- the launcher panel (once the last tile is painted)
png=$(settle_wshot launcher 292 127 66 8 $TILE)
regions=(
    "gap mean 20 114 340 8" "bottom mean 0 200 380 15" "margin mean 0 40 18 150"
    "$(white name 8 8 90 24)" "$(white right_of_name 110 4 190 28)"
    "bar mean 317 16 14 2" "above_bar mean 310 2 28 10" "below_bar mean 310 21 28 6"
    "cross_top_right mean 365 8 1 3" "cross_bottom_right mean 365 24 1 3" "$(white past_close 366 0 14 40)"
)
for name in "${TB_LAUNCHER[@]}"; do
    tile_rect "$name"
    regions+=("tile_$name mean $((TL + 2)) $((TT + 1)) 66 8" "$(white line1_$name "$TL" $((TT + 10)) 70 22)"
        "$(white line2_$name "$TL" $((TT + 34)) 70 22)")
done
measure "$png" "${regions[@]}"
check "background: blue between the tile rows" near "${M[gap]}" $BACKGROUND 6
check "background: blue below the tiles" near "${M[bottom]}" $BACKGROUND 6
check "background: blue on the left margin" near "${M[margin]}" $BACKGROUND 6
check "the product name in white characters near (8,8)" at_least "${M[name]}" 80
check "...and no white right of it up to the window buttons" tb_equals "${M[right_of_name]}" 0
for name in "${TB_LAUNCHER[@]}"; do
    check "tile $name: its blue" near "${M[tile_$name]}" $TILE 6
    check "tile $name: two lines of white characters" \
        eval "at_least ${M[line1_$name]} 40 && at_least ${M[line2_$name]} 40"
done
check "最小化: a white bar at x 6-21, y 15-18 of the button" near "${M[bar]}" $WHITE 25
check "最小化: blue above the bar" near "${M[above_bar]}" $BACKGROUND 8
check "最小化: blue below the bar" near "${M[below_bar]}" $BACKGROUND 8
# The close cross is drawn from a 36x36 picture at its natural size from the
# button's top-left corner: its white spans x 9-27, y 8-26 of the 28x28
# button, touching the right edge. Scaled to fit, it would end at 21;
# centred, it would start at 5.
close_box=$(convert "$png" -crop 28x28+338+0 +repage -fuzz 25% -fill black +opaque white -trim \
    -format '%w %h %X %Y' info:)
check "关闭窗口: the cross's white spans x 9-27, y 8-26 of its button" tb_equals "$close_box" "19 19 +9 +8"
check "关闭窗口: the upper arm reaches the button's right edge" near "${M[cross_top_right]}" $WHITE 30
check "关闭窗口: the lower arm reaches the button's right edge" near "${M[cross_bottom_right]}" $WHITE 30
check "关闭窗口: right of the button, where the picture is cut, the background shows" \
    tb_equals "${M[past_close]}" 0

# --- hover pictures under the real pointer
tile_rect 打开计算器
point_at $((TL + 35)) $((TT + 35))
png=$(settle_wshot hover-tile $((TL + 2)) $((TT + 1)) 66 8 $TILE_HOVER)
tile_rect 画图工具
measure "$png" "hover mean 22 41 66 8" "$(white hover_text 20 50 70 22)" "beside mean $((TL + 2)) $((TT + 1)) 66 8"
check "hover: the tile under the pointer turns the lighter blue" near "${M[hover]}" $TILE_HOVER 8
check "hover: its characters stay white" at_least "${M[hover_text]}" 40
check "hover: the tile beside it keeps its blue" near "${M[beside]}" $TILE 6

point_at 324 14
png=$(settle_wshot hover-minimise 317 16 14 2 $BLACK)
measure "$png" "bar mean 317 16 14 2" "above_bar mean 310 2 28 10" "left mean 22 41 66 8"
check "hover: 最小化's bar turns black" near "${M[bar]}" $BLACK 30
check "hover: 最小化's blue stays the background's" near "${M[above_bar]}" $BACKGROUND 8
check "hover: the tile the pointer left is back to its blue" near "${M[left]}" $TILE 6

point_at 352 14
png=$(settle_wshot hover-close 347 9 2 2 $BLACK)
measure "$png" "$(black cross 338 0 28 28)" "$(black edge 365 8 1 19)" "$(white cross_white 338 0 28 28)"
check "hover: 关闭窗口's cross turns black" at_least "${M[cross]}" 40
check "hover: the black cross is cut at the button's edge as well" at_least "${M[edge]}" 4
check "hover: 关闭窗口's hover shows no white" tb_equals "${M[cross_white]}" 0

# The button keeps the capture to learn that the pointer has gone. (Under
# Wine a captured button hears nothing while the pointer is outside the
# window, so the pointer goes to the window's background here.)
rest_pointer
png=$(settle_wshot hover-none 347 9 2 2 $WHITE)
measure "$png" "$(white cross_white 338 0 28 28)"
check "pointer gone to the background: the close cross is white again" at_least "${M[cross_white]}" 40

# --- the lookup panel
tb_click 手机归属地
D visible "$TB_WINDOW" "${TB_ID[返回]}" 1 3000 >/dev/null
rest_pointer
png=$(settle_wshot lookup 90 40 200 30 $BACKGROUND)
measure "$png" "$(white phone_caption 56 72 112 32)" "$(white home_caption 56 104 112 24)" \
    "$(white type_caption 56 136 112 24)" "$(white post_caption 56 168 112 24)" "caption_top mean 56 73 112 3" \
    "displays mean 177 104 143 88" "$(black displays_black 177 104 143 88)" "$(white area_row 0 196 380 19)" \
    "$(white back 0 35 56 30)" "$(white lookup 288 72 56 30)" "box mean 172 76 110 16" "box_left mean 170 76 6 16" \
    "no_tiles mean 90 100 200 10"
check "lookup panel: 手机号码标签 draws white characters" at_least "${M[phone_caption]}" 60
check "lookup panel: 卡号归属地标签 draws white characters" at_least "${M[home_caption]}" 60
check "lookup panel: 卡号类型标签 draws white characters" at_least "${M[type_caption]}" 60
check "lookup panel: 邮政编码标签 draws white characters" at_least "${M[post_caption]}" 60
# Transparent: around the characters the background picture shows, no fill.
check "lookup panel: around a caption's characters the background shows" near "${M[caption_top]}" $BACKGROUND 6
check "lookup panel: the empty display labels show only the background" near "${M[displays]}" $BACKGROUND 6
check "lookup panel: ...and no black characters" tb_equals "${M[displays_black]}" 0
check "lookup panel: the area-code row stays out of sight" tb_equals "${M[area_row]}" 0
check "lookup panel: 返回 in white characters" at_least "${M[back]}" 30
check "lookup panel: 查询 in white characters" at_least "${M[lookup]}" 30
check "lookup panel: the number box is white inside" near "${M[box]}" $WHITE 4
# A caption label reaches 8 pixels under the box beside it: the box is on top.
check "lookup panel: the number box covers the caption label's last 8 pixels" near "${M[box_left]}" $WHITE 4
check "lookup panel: no tile shows" near "${M[no_tiles]}" $BACKGROUND 8

# A display label's text: black, cut at the label's right edge (x 320); an
# empty text leaves the background alone again. The text is put there as the
# lookup would, by WM_SETTEXT.
tb_set_text 卡号归属地显示框 "广东省深圳市移动全球通长长长长长长长长长"
png=$(settle_wshot label-long 177 104 143 24 !$BACKGROUND)
measure "$png" "$(black text 177 104 143 24)" "$(black at_edge 312 104 8 24)" "$(black beyond 320 100 60 32)"
check "display label: a long text in black characters" at_least "${M[text]}" 80
check "display label: characters reach the label's right edge" at_least "${M[at_edge]}" 4
check "display label: nothing drawn right of the label" tb_equals "${M[beyond]}" 0
tb_set_text 卡号归属地显示框 ""
png=$(settle_wshot label-empty 177 104 143 24 $BACKGROUND)
measure "$png" "$(black text 168 104 152 24)"
check "display label: emptied, only the background shows again" tb_equals "${M[text]}" 0
