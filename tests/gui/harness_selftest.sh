#!/usr/bin/env bash
# The GUI harness on its own, with Wine's notepad in place of the program:
# the desktop, the driver's commands, real input, screenshots, the tray icon
# search, the browser stand-in and the exit code paths. When this fails, the
# program's scenarios cannot be trusted either.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin harness_selftest "$HARNESS_RESULTS/gui-harness_selftest-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

equals() { [ "$1" = "$2" ] || { echo "'$1' is not '$2'"; return 1; }; }
grep_file() { grep -Eq -- "$1" "$2" || { echo "no line matches /$1/ in $2:"; cat "$2"; return 1; }; }

# --- the desktop
D dump Shell_TrayWnd >"$RUN/taskbar.txt"
check "virtual desktop is 1024x768 with the taskbar along its bottom" \
    grep_file '^window .* rect=0,[0-9]+,1024,768 ' "$RUN/taskbar.txt"
D pids explorer.exe >"$RUN/explorer.txt"
# "none" when unknown, so that two unknowns never compare equal below.
explorer_pid=$(field pid process <"$RUN/explorer.txt" || echo none)

# --- a program, its window and its process
start_program notepad notepad.exe
check "driver waits for the window by class" D wait Notepad 15000
D dump Notepad >"$RUN/notepad.txt"
check "dump: visible, normal, owner-less top-level window" \
    grep_file '^window .* class=Notepad .* visible=1 iconic=0 .* topmost=0 owner=0x0 owner_class=- ' "$RUN/notepad.txt"
# The title is translated: code page 936 is in force for the program.
check "dump: the title is code page 936 text" grep_file "^window .* text=[0-9A-F]*$(gbk_hex 记事本)\$" "$RUN/notepad.txt"
check "dump: children with class, rect relative to the parent" \
    grep_file '^child .* class=Edit .* rect=0,0,[0-9]+,[0-9]+ ' "$RUN/notepad.txt"
check "an empty title in CLASS/TITLE matches only windows without one" fails D wait Notepad/ 0
check "...such as the taskbar" D wait Shell_TrayWnd/ 0
notepad_pid=$(field pid window <"$RUN/notepad.txt" || echo none)
D pids notepad.exe >"$RUN/pids.txt"
check "pids finds the window's process by file name" equals "$(field pid process <"$RUN/pids.txt")" "$notepad_pid"
check "pids fails for a name nobody runs" fails D pids no-such-program.exe
D handles "$notepad_pid" >"$RUN/handles.txt"
# Wine 8's GetProcessHandleCount says 0; the system's handle list does not.
check "handles counts the process's handles" grep_file '^handles pid=[0-9]+ count=[0-9]+ listed=[1-9][0-9]*$' "$RUN/handles.txt"
check "handles fails for a process that is not there" fails D handles 0x7ffffff0

# Non-ASCII text goes to the driver as code page 936 bytes, both ways.
D send-text Notepad - "温馨提示 selftest" >/dev/null
check "send-text, then the window is found by that title" D wait "Notepad/温馨提示 selftest" 2000
D get-text Notepad - >"$RUN/title.txt"
check "get-text reads the same bytes back" equals "$(field text <"$RUN/title.txt")" "$(gbk_hex "温馨提示 selftest")"
check "commands needing the program's start window fail without it" fails D tray lbuttonup

# --- real input through xdotool
# A retry after a lost click types again: abc, abcabc, ...
edit_has_abc() { D dump Notepad | grep -Eq '^child .* class=Edit .* text=(616263)+$'; }
type_abc() { xdotool mousemove 300 200 click 1 sleep 0.2 type --delay 20 abc && wait_for 1000 edit_has_abc; }
check "xdotool types into the program" wait_for 8000 type_abc
open_file_menu() { xdotool mousemove 28 32 click 1 && D menu 500 >"$RUN/menu.txt"; }
check "menu finds the pop-up menu a click opened" wait_for 8000 open_file_menu
check "menu: the program's menu, with its rects" \
    grep_file "^menu .* pid=$notepad_pid .* rect=[0-9]+,[0-9]+,[0-9]+,[0-9]+ .* client=[0-9]+,[0-9]+,[0-9]+,[0-9]+ " "$RUN/menu.txt"
xdotool key Escape sleep 0.2 key Escape
check "the menu closes on Escape" D wait-gone '#32768' 3000

# --- screenshots and the tray icon search
png=$(shot notepad)
check "shot: the whole screen" equals "$(identify -format '%wx%h' "$png")" 1024x768
check "shot: the notepad window's white page is on it" \
    equals "$(pixel "$png" 360 300)" 255,255,255
convert -size 1024x768 'xc:rgb(58,110,165)' -fill 'rgb(192,192,192)' -draw 'rectangle 0,748 1023,767' \
    -fill "$HARNESS_ICON_COLOUR" -draw 'rectangle 1006,750 1021,765' "$RUN/tray-sample.png"
check "tray_icon_at finds a 16x16 icon at 1006,750 by its centre" \
    equals "$(tray_icon_at "$RUN/tray-sample.png")" "1014 758"
check "tray_icon_at finds nothing on a screen without the program" fails tray_icon_at "$png"

# --- the browser stand-in
url='http://example.invalid/selftest?a=1&b=2'
"$WINELOADER" winebrowser "$url" >/dev/null 2>&1 || true
check "ShellExecute's browser is the recorder" wait_for 5000 grep -qxF "$url" "$BROWSER_LOG"

# --- a message box, and the exit code, seen both ways
D wait-exit "$notepad_pid" 15000 >"$RUN/wait-exit.txt" &
waiter=$!
D post Notepad 0x0010 0 0 >/dev/null # WM_CLOSE: the typed text asks to be saved
D msgbox 记事本 - 5000 >"$RUN/msgbox.txt" || true
check "msgbox: found by caption, with its text, icon, process and owner" \
    grep_file "^dialog .* pid=$notepad_pid owner=0x[0-9a-f]+ owner_class=Notepad caption=$(gbk_hex 记事本) text=[0-9A-F]+ icon=1\$" \
    "$RUN/msgbox.txt"
check "msgbox: its buttons are listed" grep_file '^child .* class=Button id=7 visible=1 ' "$RUN/msgbox.txt"
check "msgbox presses a button (No) and waits until the dialog is gone" D msgbox 记事本 7 5000
wait "$waiter" || true
check "wait-exit reports exit code 0" grep_file '^exit pid=[0-9]+ code=0$' "$RUN/wait-exit.txt"
check "start_program's exit code file says 0" equals "$(wait_program_exit notepad 10000)" 0
check "the window is gone with the program" D wait-gone Notepad 2000

# Wine closes an unused virtual desktop within a few seconds; the harness's
# idle process keeps the same one up between programs.
sleep 4
D pids explorer.exe >"$RUN/explorer-after.txt" || true
check "the desktop outlives the program" equals "$(field pid process <"$RUN/explorer-after.txt")" "$explorer_pid"
