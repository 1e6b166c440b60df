#!/usr/bin/env bash
# The toolbox window as the tray reaches it, row by row: loaded and hidden,
# loaded and visible, not loaded with the visible setting off and on, each
# met with a left click on the icon and with the menu's "打开工具箱". The
# shell hands both to the program as messages to its start window, and the
# driver posts them so; the menu itself and the icon under a real click are
# the shell scenarios' part.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_tray_states "$HARNESS_RESULTS/gui-toolbox_tray_states-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

# Notepad, to take the activation away.
tb_notepad_apart
tb_folder "$RUN/app"
tb_start "$RUN/app"
xdotool mousemove 60 60

loaded() { D wait "$TB_WINDOW" 0 >/dev/null; }
not_loaded() { D wait-gone "$TB_WINDOW" 3000 >/dev/null; }
shown() { D visible "$TB_WINDOW" - 1 3000 >/dev/null; }
hidden() { D visible "$TB_WINDOW" - 0 0 >/dev/null; }
loaded_hidden() { loaded && hidden; }
active() { [ "$(D focus "$TB_WINDOW" | field active_class)" = "$TB_WINDOW" ]; }
window_line() { D dump "$TB_WINDOW" | head -n 1; }
# A posted message is handled a moment later: give a wrong effect the time
# to show before a check that nothing happened.
settle() { sleep 0.7; }
close_window() { tb_click 关闭窗口 && not_loaded; }

# --- loaded, hidden (after start-up)
check "start-up: the window is loaded and hidden" loaded_hidden
tb_open_toolbox
settle
check "loaded, hidden + 打开工具箱: stays hidden" loaded_hidden
tb_tray_click
check "loaded, hidden + left click: shown" shown
# Polled: read the moment the window shows, its place can still be settling.
check "...centred, on the launcher panel" wait_for 3000 eval '[ "$(D dump "$TB_WINDOW" | field rect window)" = 322,276,702,491 ] && panel_is $TB_LAUNCHER_PANEL'

# --- loaded, visible
before=$(window_line)
tb_tray_click
settle
check "loaded, visible + left click: no change" tb_equals "$(window_line)" "$before"
xdotool mousemove 150 150 sleep 0.1 click 1
check "(Notepad activated: the toolbox window is no longer active)" wait_for 3000 fails active
tb_open_toolbox
check "loaded, visible + 打开工具箱: made the active window" wait_for 3000 active
check "...and nothing else changes" tb_equals "$(window_line)" "$before"
# A window minimised by the system (the design has no minimise box) is
# restored by "打开工具箱".
D post "$TB_WINDOW" 0x0112 0xF020 0 >/dev/null # WM_SYSCOMMAND SC_MINIMIZE
wait_for 3000 eval 'D dump "$TB_WINDOW" | grep -q "^window .* iconic=1 "'
tb_open_toolbox
check "loaded, minimised + 打开工具箱: restored" wait_for 3000 eval 'D dump "$TB_WINDOW" | grep -q "^window .* visible=1 iconic=0 "'

# --- not loaded, setting off: the window was loaded hidden at start-up
close_window
tb_open_toolbox
check "not loaded, setting off + 打开工具箱: created" wait_for 3000 loaded
settle
check "...hidden" hidden
check "...on the launcher panel" panel_is $TB_LAUNCHER_PANEL
tb_tray_click
check "...and a left click shows it" shown

# Loaded hidden again, so closed with the setting off.
close_window
tb_tray_click
settle
check "not loaded, setting off + left click: nothing is shown" fails loaded
tb_open_toolbox
check "...the click turned the setting on: 打开工具箱 creates it shown at once" shown

# --- not loaded, setting on: it was loaded shown
close_window
tb_tray_click
settle
check "not loaded, setting on + left click: nothing changes" fails loaded
tb_open_toolbox
check "not loaded, setting on + 打开工具箱: created and shown" shown
close_window
tb_open_toolbox
check "closed again, it comes back shown with 打开工具箱 alone" shown

# --- after 最小化
tb_click 最小化
check "最小化: hidden" wait_for 3000 hidden
tb_open_toolbox
settle
check "after 最小化 + 打开工具箱: shows nothing" loaded_hidden
tb_tray_click
check "after 最小化 + left click: shown" shown
check "the program runs on" fails program_exited quorrin
