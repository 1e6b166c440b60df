#!/usr/bin/env bash
# The toolbox window and its panels under real input: which of the 22
# controls each panel shows (the area-code row never), the typed number, the
# shown answer and the panel surviving 最小化, 关闭窗口 and a new load
# clearing them, Esc closing the window, a drag on the background moving it
# while a press on a tile, a label or the box does not, and Enter and F1
# changing nothing.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_window "$HARNESS_RESULTS/gui-toolbox_window-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

tb_folder "$RUN/app"
tb_start "$RUN/app"
xdotool mousemove 60 60

window_shown() { D visible "$TB_WINDOW" - 1 3000 >/dev/null; }
window_hidden() { D visible "$TB_WINDOW" - 0 3000 >/dev/null; }
window_gone() { D wait-gone "$TB_WINDOW" 3000 >/dev/null; }
window_rect() { D dump "$TB_WINDOW" | field rect window; }
lookup_shown() { D visible "$TB_WINDOW" "${TB_ID[返回]}" 1 3000 >/dev/null; }
launcher_shown() { D visible "$TB_WINDOW" "${TB_ID[手机归属地]}" 1 3000 >/dev/null; }
box_text_is() { [ "$(tb_text 编辑框1)" = "$1" ]; }
ANSWER="广东 深圳"

# --- panels
check "loaded at start-up: the launcher panel's controls, window hidden" panel_is $TB_LAUNCHER_PANEL
tb_show
# Shown from the tray, the window itself has the keyboard focus.
wait_for 3000 eval '[ "$(tb_focus)" = "$TB_WINDOW 0" ]'
tb_dump "$RUN/before-keys.txt"
xdotool key Return sleep 0.2 key F1 sleep 0.5
tb_dump "$RUN/after-keys.txt"
check "Enter and F1 on the window change nothing" diff "$RUN/before-keys.txt" "$RUN/after-keys.txt"
tb_click 手机归属地
lookup_shown
check "after 手机归属地: the lookup panel's controls, the area-code row hidden" panel_is $TB_LOOKUP_PANEL
tb_click 返回
launcher_shown
check "after 返回: exactly the controls of the window as loaded" panel_is $TB_LAUNCHER_PANEL

# --- the number, the answer and the panel survive 最小化
tb_click 手机归属地
lookup_shown
tb_click 编辑框1
xdotool type --delay 40 13800138000
wait_for 3000 box_text_is 13800138000
# The answer of a lookup arrives in the display labels as window texts.
tb_set_text 卡号归属地显示框 "$ANSWER"
tb_click 最小化
check "最小化 hides the window" window_hidden
check "...without destroying it" D wait "$TB_WINDOW" 0
tb_open_toolbox
sleep 0.5
check "打开工具箱 after 最小化 shows nothing" window_hidden
tb_tray_click
check "a tray click shows it again" window_shown
check "...on the lookup panel" panel_is $TB_LOOKUP_PANEL
check "...with the typed number" tb_equals "$(tb_text 编辑框1)" 13800138000
check "...and the answer shown before" tb_equals "$(tb_text 卡号归属地显示框)" "$ANSWER"
tb_click 返回
launcher_shown
tb_click 手机归属地
lookup_shown
check "返回 and 手机归属地 keep the typed number too" tb_equals "$(tb_text 编辑框1)" 13800138000

# --- Enter and F1 change nothing in the box either
tb_click 编辑框1
tb_dump "$RUN/before-keys.txt"
xdotool key Return sleep 0.2 key F1 sleep 0.5
tb_dump "$RUN/after-keys.txt"
check "Enter and F1 in the number box change nothing" diff "$RUN/before-keys.txt" "$RUN/after-keys.txt"

# --- moving: a drag on the background moves the window, nothing else does
# drag X Y DX DY: press at X,Y, move in steps by DX,DY, release.
drag() {
    local x=$1 y=$2 dx=$3 dy=$4 i
    local moves=(mousemove "$x" "$y" sleep 0.1 mousedown 1 sleep 0.1)
    for i in 1 2 3 4 5; do moves+=(mousemove $((x + dx * i / 5)) $((y + dy * i / 5)) sleep 0.05); done
    xdotool "${moves[@]}" sleep 0.1 mouseup 1 sleep 0.3
}
# moved_by DX DY BEFORE: the window's rect is BEFORE shifted by DX,DY.
moved_by() {
    local l t r b
    IFS=, read -r l t r b <<<"$3"
    tb_equals "$(window_rect)" "$((l + $1)),$((t + $2)),$((r + $1)),$((b + $2))"
}
tb_where
before=$(window_rect)
drag $((TB_X + 250)) $((TB_Y + 20)) -120 -90
check "lookup panel: a drag on the background moves the window by the drag" moved_by -120 -90 "$before"
# Where a hidden tile lies (导航), the lookup panel's background moves it too.
tb_where
before=$(window_rect)
drag $((TB_X + 30)) $((TB_Y + 150)) 60 40
check "lookup panel: a drag where a hidden tile lies moves the window" moved_by 60 40 "$before"
for name in 卡号归属地标签 卡号类型显示框 编辑框1 查询; do
    read -r x y < <(tb_point "$name" 10 10)
    before=$(window_rect)
    drag "$x" "$y" 80 50
    check "a press on $name and a drag do not move the window" tb_equals "$(window_rect)" "$before"
done
check "...and the number is still there" tb_equals "$(tb_text 编辑框1)" 13800138000
tb_click 返回
launcher_shown
tb_where
before=$(window_rect)
drag $((TB_X + 150)) $((TB_Y + 118)) 90 -70
check "launcher panel: a drag between the tile rows moves the window" moved_by 90 -70 "$before"
read -r x y < <(tb_point 电脑应用 10 10)
before=$(window_rect)
drag "$x" "$y" 80 50
check "a press on a tile and a drag do not move the window" tb_equals "$(window_rect)" "$before"
check "...and, released off the tile, it ran nothing" panel_is $TB_LAUNCHER_PANEL

# --- 关闭窗口, and a new load
tb_click 手机归属地
lookup_shown
tb_click 关闭窗口
check "关闭窗口 destroys the window" window_gone
check "...the program runs on with its tray icon" wait_for 3000 tray_icon_at
tb_open_toolbox
check "打开工具箱 loads it again (hidden, as it was loaded at start-up)" D wait "$TB_WINDOW" 3000
tb_show
check "...shown by a tray click, centred again" tb_equals "$(window_rect)" "322,276,702,491"
check "...on the launcher panel" panel_is $TB_LAUNCHER_PANEL
check "...with an empty number box" tb_equals "$(tb_text 编辑框1)" ""
check "...and empty display labels" tb_equals "$(tb_text 卡号归属地显示框)" ""
check "...and the captions of the design" tb_equals "$(tb_text 卡号类型标签)" "  卡号类型："

# --- Esc closes the window: focus in the box, then on the window itself
tb_click 手机归属地
lookup_shown
tb_click 编辑框1
xdotool type --delay 40 12
wait_for 3000 box_text_is 12
xdotool key Escape
check "Esc with the focus in the number box closes the window" window_gone
tb_open_toolbox
D wait "$TB_WINDOW" 3000 >/dev/null
tb_show
tb_where
xdotool mousemove $((TB_X + 250)) $((TB_Y + 20)) sleep 0.1 click 1 sleep 0.3
wait_for 3000 eval '[ "$(tb_focus)" = "$TB_WINDOW 0" ]'
xdotool key Escape
check "Esc with the focus on the window itself closes it" window_gone
check "the program is still running" fails program_exited quorrin
