#!/usr/bin/env bash
# A second copy of the same program file: it shows the refusal message box,
# adds no icon and loads no toolbox window, ends with exit code 0 after OK,
# and the first copy runs on untouched.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin shell_guard "$HARNESS_RESULTS/gui-shell_guard-$HARNESS_ARCH.xml"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
RUN=$HARNESS_RUN

sh_start first "$HARNESS_EXE"
check "the first copy's icon appears" wait_for 20000 sh_icons_are 1
first=$(sh_wpid "$SH_START")
D windows "$first" >"$RUN/first-before.txt" || true

sh_program second "$HARNESS_EXE"
D msgbox "$SH_GUARD_CAPTION" - 20000 >"$RUN/msgbox.txt" || true
png=$(shot refused)
second=$(field pid dialog <"$RUN/msgbox.txt" || echo none)
check "the second copy shows the message box (its own, not the first's)" \
    test "$second" != none -a "$second" != "$first"
check "caption 温馨提示, text in two lines, an icon" \
    sh_grep "^dialog .* caption=$(gbk_hex "$SH_GUARD_CAPTION") text=$(gbk_hex "$SH_GUARD_TEXT") icon=1\$" "$RUN/msgbox.txt"
check "the box has no owner window (task-modal, not owned)" sh_grep '^dialog .* owner=0x0 ' "$RUN/msgbox.txt"
check "the box has one button only, OK" \
    sh_equals "$(grep -c '^child .* class=Button ' "$RUN/msgbox.txt")/$(grep -c '^child .* class=Button id=1 ' "$RUN/msgbox.txt")" 1/1
# The exclamation sign is the orange warning triangle; the other icons of a
# message box are red (stop) or blue (information, question).
D dump "#32770/$SH_GUARD_CAPTION" >"$RUN/dialog.txt" || true
box=$(field rect window <"$RUN/dialog.txt" || echo 0,0,1,1)
IFS=, read -r bl bt br bb <<<"$box"
box_geometry=$((br - bl))x$((bb - bt))+$bl+$bt
check "the box shows the exclamation icon (orange triangle on screen)" \
    sh_at_least 100 "$(sh_pixels_like "$png" "$box_geometry" 'r>0.75 && g>0.3 && g<0.75 && b<0.35')"
check "...and no red stop sign" \
    sh_equals "$(sh_pixels_like "$png" "$box_geometry" 'r>0.7 && g<0.2 && b<0.2')" 0

check "while the box is open, one icon only (the second added none)" sh_icons_are 1
D windows "$second" >"$RUN/second.txt" || true
check "the refused copy has not loaded the toolbox window" sh_no_grep " class=$SH_TOOLBOX " "$RUN/second.txt"
check "the box is the only visible window of the refused copy" \
    sh_equals "$(grep '^window .* visible=1 ' "$RUN/second.txt" | grep -Eo ' class=[^ ]+ ' | tr -d ' ')" 'class=#32770'

check "OK closes the box" D msgbox "$SH_GUARD_CAPTION" ok 5000
check "the refused copy ends with exit code 0" sh_equals "$(wait_program_exit second 10000)" 0
check "...and leaves no icon behind: still one" wait_for 2000 sh_icons_are 1
check "the refused copy never called Shell_NotifyIcon" sh_equals "$(sh_tray_calls second)" none
shot after-refusal >/dev/null

D windows "$first" >"$RUN/first-after.txt" || true
check "the first copy still has its windows" \
    sh_equals "$(grep -Eo ' hwnd=[^ ]+ class=Quorrin[^ ]+ ' "$RUN/first-after.txt" | sort)" \
    "$(grep -Eo ' hwnd=[^ ]+ class=Quorrin[^ ]+ ' "$RUN/first-before.txt" | sort)"
check "the first copy still runs" fails program_exited first
D get-text "$SH_TOOLBOX" - >"$RUN/first-text.txt" || true
check "the first copy answers messages (WM_GETTEXT)" sh_grep "^text .* text=$(gbk_hex Quorrin)\$" "$RUN/first-text.txt"
# Its icon still works: a click shows its toolbox window.
D tray lbuttonup >/dev/null
check "the first copy's icon still shows its toolbox window" D visible "$SH_TOOLBOX" - 1 5000
D post "$SH_START" "$WM_COMMAND" "$SH_EXIT" 0 >/dev/null
check "the first copy ends with exit code 0 on its exit command" sh_equals "$(wait_program_exit first 10000)" 0
check "the first copy added its icon once and removed it at its end" sh_equals "$(sh_tray_calls first)" "add delete"
