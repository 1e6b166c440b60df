#!/usr/bin/env bash
# The tray icon and its menu, with real mouse input where a user would use
# the mouse: the right-click menu and where it opens, a click beside it,
# "打开工具箱" right after the start (shows nothing), the left click that
# shows the toolbox window and the one after it that changes nothing, the
# double click, and "退出".
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin shell_tray "$HARNESS_RESULTS/gui-shell_tray-$HARNESS_ARCH.xml"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
RUN=$HARNESS_RUN

# toolbox_is 0|1: the toolbox window hidden or visible right now.
toolbox_is() { D visible "$SH_TOOLBOX" - "$1" 0 >/dev/null || { echo "toolbox visible is not $1"; return 1; }; }
# Two clicks at one spot within the double-click time would be a double click.
pause_between_clicks() { sleep 0.6; }
# open_menu_at X Y: the menu opened by a posted right click with the pointer
# there; its line goes to $RUN/menu.txt.
open_menu_at() { D tray rbuttonup "$1" "$2" >/dev/null && D menu 5000 >"$RUN/menu.txt"; }
close_menu() { D post "$SH_START" "$WM_CANCELMODE" 0 0 >/dev/null && D wait-gone '#32768' 5000 >/dev/null; }

sh_start quorrin "$HARNESS_EXE"
check "the tray icon appears" wait_for 20000 tray_icon_at
X=$TRAY_ICON_X Y=$TRAY_ICON_Y
wpid=$(sh_wpid "$SH_START")

# --- a right click opens the menu beside the pointer
xdotool mousemove "$X" "$Y" click 3
D menu 5000 >"$RUN/menu-real.txt" || true
shot menu >/dev/null
check "a right click on the icon opens the program's pop-up menu" sh_grep "^menu .* pid=$wpid " "$RUN/menu-real.txt"
IFS=, read -r _ mt mr mb <<<"$(field rect menu <"$RUN/menu-real.txt" || echo 0,0,0,0)"
check "its right edge is 5 pixels left of the pointer" sh_equals "$mr" $((X - 5))
# At the bottom of the screen the system moves it up, so that all of it shows.
check "it stays on the screen, above the pointer" test "$mt" -ge 0 -a "$mb" -le 768 -a "$mb" -le "$Y"

xdotool mousemove 200 200 click 1
check "a click beside the menu closes it" D wait-gone '#32768' 5000
check "...with no effect: the toolbox window stays hidden" toolbox_is 0
check "...and the program runs on with its icon" eval '! program_exited quorrin && tray_icon_at'
toolbox_active() { D focus "$SH_START" | grep -q "active_class=$SH_TOOLBOX "; }
check "...and no item was chosen (the toolbox window was not activated)" fails toolbox_active

# --- where the menu opens, from a pointer away from the screen's edges
# Button presses without a release, and a double click, do nothing by
# themselves: the menu that the posted release after them opens shows that
# they were handled, and the toolbox window is still hidden.
D tray lbuttondown >/dev/null
D tray lbuttondblclk >/dev/null
open_menu_at 500 300 || true
check "a right click with the pointer at 500,300 opens the menu..." sh_grep "^menu .* pid=$wpid " "$RUN/menu.txt"
check "...with its top-right corner at 495,295" \
    sh_equals "$(field rect menu <"$RUN/menu.txt" | cut -d, -f2,3)" 295,495
check "a left press and a double click alone did not show the toolbox window" toolbox_is 0

# --- "打开工具箱" right after the start: the window stays hidden, and is made
# the active window (which shows that the item was chosen).
read -r ix iy < <(sh_menu_item_point "$RUN/menu.txt" 1 || echo 0 0)
xdotool mousemove "$ix" "$iy"
sleep 0.2
png=$(shot menu-open-item)
# The item under the pointer is highlighted: the pointer is on an item.
check "the pointer is on the first item (it is highlighted)" \
    sh_at_least 20 "$(sh_pixels_like "$png" "30x3+$((ix - 15))+$((iy - 1))" 'b>0.8 && r<0.4')"
D focus "$SH_START" >"$RUN/focus-before.txt" || true
xdotool click 1
check "choosing an item closes the menu" D wait-gone '#32768' 5000
check "打开工具箱 makes the toolbox window the active window" wait_for 3000 toolbox_active
check "...which it was not before" sh_no_grep "active_class=$SH_TOOLBOX " "$RUN/focus-before.txt"
check "...but it stays hidden" toolbox_is 0

# --- a left click shows the toolbox window; the next changes nothing
pause_between_clicks
xdotool mousemove "$X" "$Y" click 1
check "a left click on the icon shows the toolbox window" D visible "$SH_TOOLBOX" - 1 5000
shot toolbox-shown >/dev/null
D dump "$SH_TOOLBOX" >"$RUN/shown.txt"
check "...centred, 380x215, always on top" \
    sh_grep "^window .* visible=1 iconic=0 rect=$SH_TOOLBOX_RECT size=$SH_TOOLBOX_SIZE .* topmost=1 " "$RUN/shown.txt"
pause_between_clicks
xdotool mousemove "$X" "$Y" click 1
# The menu's opening tells that the click before it has been handled.
open_menu_at 500 300 || true
D dump "$SH_TOOLBOX" >"$RUN/again.txt"
check "a second left click changes nothing" sh_equals "$(head -1 "$RUN/again.txt")" "$(head -1 "$RUN/shown.txt")"
D windows "$wpid" >"$RUN/windows.txt" || true
check "...and there is still one toolbox window" sh_equals "$(grep -c " class=$SH_TOOLBOX " "$RUN/windows.txt")" 1
close_menu

# --- the double click, on a hidden window
D click "$SH_TOOLBOX" 1001 >/dev/null # 最小化: hides the window
check "(the window's minimise button hides it)" D visible "$SH_TOOLBOX" - 0 5000
# What the shell reports for a double click: up, double click, up.
D tray lbuttonup >/dev/null
D tray lbuttondblclk >/dev/null
D tray lbuttonup >/dev/null
check "the reports of a double click show the hidden window" D visible "$SH_TOOLBOX" - 1 5000
D click "$SH_TOOLBOX" 1001 >/dev/null
D visible "$SH_TOOLBOX" - 0 5000 >/dev/null || true
# A right press without its release opens nothing; a posted left release
# after it marks the point where it has been handled.
D post "$SH_START" 0x8064 100 0x0204 >/dev/null # WM_RBUTTONDOWN
D tray lbuttonup >/dev/null
check "(the left release after a right press is handled: the window shows)" D visible "$SH_TOOLBOX" - 1 5000
check "a right press alone opens no menu" fails D wait-visible '#32768' 0
D click "$SH_TOOLBOX" 1001 >/dev/null
D visible "$SH_TOOLBOX" - 0 5000 >/dev/null || true
pause_between_clicks
xdotool mousemove "$X" "$Y" click --repeat 2 --delay 100 1
check "a real double click on the icon shows the hidden window" D visible "$SH_TOOLBOX" - 1 5000

# --- "退出": the icon leaves the notification area, exit code 0
pause_between_clicks
xdotool mousemove "$X" "$Y" click 3
D menu 5000 >"$RUN/menu-exit.txt" || true
read -r ex ey < <(sh_menu_item_point "$RUN/menu-exit.txt" 2 || echo 0 0)
xdotool mousemove "$ex" "$ey" sleep 0.2 click 1
check "退出 ends the program with exit code 0" sh_equals "$(wait_program_exit quorrin 10000)" 0
check "the icon leaves the notification area" wait_for 3000 sh_icons_are 0
check "...removed by the program itself, at its end" sh_equals "$(sh_tray_calls quorrin)" "add delete"
png=$(shot after-exit)
check "...as the screen shows" fails tray_icon_at "$png"
check "the program's windows are gone" fails D wait "$SH_START" 0
