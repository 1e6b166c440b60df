#!/usr/bin/env bash
# A shell that rebuilt its notification area has forgotten the icon; it then
# sends the registered message "TaskbarCreated", and the program adds its
# icon again, with its tooltip and its clicks. Wine never sends it, so the
# driver removes the icon behind the program's back and posts the message.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin shell_taskbar_created "$HARNESS_RESULTS/gui-shell_taskbar_created-$HARNESS_ARCH.xml"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
RUN=$HARNESS_RUN

sh_start quorrin "$HARNESS_EXE"
check "the tray icon appears" wait_for 20000 sh_icons_are 1
read -r x y < <(tray_icon_at || echo 0 0)

# While the icon is there, the message must not give a second one. The menu
# that a right click posted after it opens shows that it has been handled.
D taskbarcreated >/dev/null
D tray rbuttonup 500 300 >/dev/null
check "(TaskbarCreated handled)" D menu 5000
check "TaskbarCreated while the icon is there adds no second one" fails wait_for 1500 fails sh_icons_are 1
# The program cannot know whether the shell still has its icon: it adds it
# again, and the shell refuses a second icon of the same window and id.
check "...the program asked to add it again" sh_equals "$(sh_tray_calls quorrin)" "add add"
D post "$SH_START" "$WM_CANCELMODE" 0 0 >/dev/null
D wait-gone '#32768' 5000 >/dev/null || true

check "the icon is deleted from outside" D tray-delete "$SH_START"
check "...and is gone from the screen" wait_for 5000 sh_icons_are 0
shot icon-deleted >/dev/null
check "the program is not told: it runs on" fails program_exited quorrin

D taskbarcreated >/dev/null
check "TaskbarCreated brings the icon back" wait_for 5000 sh_icons_are 1
check "...added by the program (not changed)" sh_equals "$(sh_tray_calls quorrin)" "add add add"
png=$(shot icon-back)
read -r x y < <(tray_icon_at "$png" || echo "$x $y")

xdotool mousemove "$x" "$y" sleep 0.1 mousemove_relative 1 0
D wait-visible tooltips_class32 5000 >"$RUN/tooltip.txt" || true
check "the icon came back with its tooltip Quorrin" \
    sh_grep "^window .* visible=1 .* text=$(gbk_hex Quorrin)\$" "$RUN/tooltip.txt"
xdotool click 1
check "...and answers a click: the toolbox window shows" D visible "$SH_TOOLBOX" - 1 5000

# The icon came back under the program's own window and id: its exit
# command removes it.
D post "$SH_START" "$WM_COMMAND" "$SH_EXIT" 0 >/dev/null
check "the program ends with exit code 0" sh_equals "$(wait_program_exit quorrin 10000)" 0
check "...and the icon it added again goes with it" wait_for 3000 sh_icons_are 0
check "...removed by the program itself" sh_equals "$(sh_tray_calls quorrin)" "add add add delete"
