#!/usr/bin/env bash
# Picture buttons under the real mouse: a press taken off the button and
# released elsewhere runs nothing; taken off and brought back, the release
# runs the action; the pressed look follows the pointer; after a click the
# button looks normal until the pointer moves; a double click runs the action
# twice; and no click on a button or a label takes the keyboard focus from
# the number box. A recorder named calc.exe beside the program counts the
# starts of 打开计算器.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_buttons "$HARNESS_RESULTS/gui-toolbox_buttons-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN
APP=$RUN/app
LAUNCHES=$APP/launches.txt

TILE=45,130,195
TILE_HOVER=28,163,219

tb_folder "$APP" calc.exe
tb_start "$APP"
xdotool mousemove 60 60
tb_show
tb_where
WX=$TB_X WY=$TB_Y

launches() { if [ -f "$LAUNCHES" ]; then grep -c '^launch ' "$LAUNCHES"; else echo 0; fi; }
# The window's background right of the product name: no control there.
BGX=$((WX + 250)) BGY=$((WY + 20))
lookup_shown() { [ "$(tb_visible 返回)" = 1 ] && [ "$(tb_visible 手机归属地)" = 0 ]; }
launcher_shown() { [ "$(tb_visible 返回)" = 0 ] && [ "$(tb_visible 手机归属地)" = 1 ]; }
# tile_colour SHOT X Y EXPECTED: the blue of the tile at X,Y (its top rows)
# in a window screenshot, taken once the tile shows EXPECTED or after 3 s.
tile_colour() {
    local png
    png=$(settle_wshot "$1" $(($2 + 2)) $(($3 + 1)) 66 8 "$4") || return 1
    measure "$png" "tile mean $(($2 + 2)) $(($3 + 1)) 66 8" && echo "${M[tile]}"
}

# --- press, leave, release outside: nothing runs (a panel switch)
read -r x y < <(tb_point 手机归属地)
xdotool mousemove "$x" "$y" sleep 0.1 mousedown 1 sleep 0.2
check "pressed: the tile shows its pressed (lighter) picture" near "$(tile_colour press-held 200 40 $TILE_HOVER)" $TILE_HOVER 8
xdotool mousemove $((x - 20)) $((y + 60)) sleep 0.05 mousemove "$BGX" "$BGY" sleep 0.2
check "pressed and left: the tile looks normal again" near "$(tile_colour press-left 200 40 $TILE)" $TILE 6
xdotool mouseup 1 sleep 0.5
check "released outside: the panel did not switch" launcher_shown

# --- press, leave, come back, release: it runs
xdotool mousemove "$x" "$y" sleep 0.1 mousedown 1 sleep 0.1 mousemove "$BGX" "$BGY" sleep 0.2 \
    mousemove $((x + 5)) $((y + 5)) sleep 0.1 mousemove $((x + 6)) $((y + 6)) sleep 0.2
check "back over the tile with the button held: the pressed picture again" \
    near "$(tile_colour press-back 200 40 $TILE_HOVER)" $TILE_HOVER 8
xdotool mouseup 1
check "released over the tile: the lookup panel shows" wait_for 3000 lookup_shown
tb_click 返回
check "返回 brings the launcher panel back" wait_for 3000 launcher_shown

# --- the same with a program start: press, leave, release outside
read -r x y < <(tb_point 打开计算器)
xdotool mousemove "$x" "$y" sleep 0.1 mousedown 1 sleep 0.1 mousemove $((x + 40)) $((y + 80)) sleep 0.1 \
    mousemove "$BGX" "$BGY" sleep 0.2 mouseup 1
# A click would have started the recorder while it was handled (the program
# waits for it); give a lost one the time to show.
sleep 1.5
check "打开计算器 pressed and released outside: nothing started" tb_equals "$(launches)" 0

# --- a click: one start; the button stays normal until the pointer moves
xdotool mousemove "$x" "$y" sleep 0.2 click 1
check "a click on 打开计算器 starts calc.exe once" wait_for 5000 eval '[ "$(launches)" = 1 ]'
sleep 0.3
# Taken as it is (not waited for): the wrong picture would come at once.
png=$(wshot after-click)
measure "$png" "tile mean 22 41 66 8"
check "after the click, with the pointer still on it, the tile looks normal" near "${M[tile]}" $TILE 6
xdotool mousemove $((x + 2)) $((y + 2)) sleep 0.3
check "the pointer moves: the hover picture again" near "$(tile_colour after-move 20 40 $TILE_HOVER)" $TILE_HOVER 8

# --- a double click: two starts
xdotool mousemove "$x" "$y" sleep 0.6 click --repeat 2 --delay 120 1
check "a double click on 打开计算器 starts calc.exe twice" wait_for 5000 eval '[ "$(launches)" = 3 ]'
sleep 1.5
check "...and not a third time" tb_equals "$(launches)" 3
cp "$LAUNCHES" "$RUN/launches-double-click.txt"

# --- the focus stays in the number box
tb_click 手机归属地
wait_for 3000 lookup_shown
tb_click 编辑框1
xdotool type --delay 40 007
check "typed into the number box: 007" wait_for 3000 eval '[ "$(tb_text 编辑框1)" = 007 ]'
check "the number box has the focus" tb_equals "$(tb_focus)" "Edit ${TB_ID[编辑框1]}"
tb_click 查询
sleep 0.5
check "after a click on 查询 the focus is still in the number box" tb_equals "$(tb_focus)" "Edit ${TB_ID[编辑框1]}"
# The focus never left: the box was not rewritten ("007" would become "7").
check "...and the text was not rewritten" tb_equals "$(tb_text 编辑框1)" 007
tb_click 卡号归属地标签
sleep 0.3
check "after a click on a label the focus is still in the number box" tb_equals "$(tb_focus)" "Edit ${TB_ID[编辑框1]}"
xdotool type --delay 40 1
check "typing after the clicks on 查询 and a label goes on in the box" \
    wait_for 3000 eval '[ "$(tb_text 编辑框1)" = 0071 ]'
