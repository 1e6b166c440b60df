#!/usr/bin/env bash
# The number box (编辑框1) under real typing: letters are dropped, digits,
# "-" and "." go in, the twelfth character is refused, pasted text goes in
# unfiltered; and when the user activates another window (Notepad, clicked
# with the mouse) the box rewrites its text as the number it begins with,
# keeping up to 15 significant digits, with the caret where it was as far as
# the new text allows.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_number_box "$HARNESS_RESULTS/gui-toolbox_number_box-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

BOX="Edit ${TB_ID[编辑框1]}"

tb_notepad_apart
tb_folder "$RUN/app"
tb_start "$RUN/app"
xdotool mousemove 60 60
tb_show
tb_click 手机归属地
D visible "$TB_WINDOW" "${TB_ID[编辑框1]}" 1 3000 >/dev/null

# Where to click: the box's right end (the caret goes to the end of the
# text), and Notepad's page.
read -r BOX_X BOX_Y < <(tb_point 编辑框1 110 12)
read -r NOTE_X NOTE_Y <<<"150 150"

box_text_is() { [ "$(tb_text 编辑框1)" = "$1" ]; }
focus_is_box() { [ "$(tb_focus)" = "$BOX" ]; }
focus_left_box() { [ "$(tb_focus)" != "$BOX" ]; }
# Into the box with a click at its right end; the box gets the focus.
focus_box() { xdotool mousemove "$BOX_X" "$BOX_Y" sleep 0.1 click 1 && wait_for 3000 focus_is_box; }
# A click on Notepad: the focus leaves the box. The driver reads the text
# afterwards through a message that the program handles only once it is done
# with the loss of the focus.
activate_notepad() { xdotool mousemove "$NOTE_X" "$NOTE_Y" sleep 0.1 click 1 && wait_for 3000 focus_left_box; }
clear_box() { tb_set_text 编辑框1 ""; }

# --- typing
focus_box
xdotool type --delay 40 'a1b2-c.3xZ '
check "typed letters and blanks are dropped, digits, - and . go in" wait_for 3000 box_text_is 12-.3
clear_box
xdotool type --delay 40 123456789012
check "the twelfth character is refused" wait_for 3000 box_text_is 12345678901
xdotool key BackSpace BackSpace
check "Backspace goes through the filter" wait_for 3000 box_text_is 123456789

# --- pasting (Ctrl+V, after the driver has put text on the clipboard)
paste() {
    clear_box
    D clipboard "$1" >/dev/null
    focus_box
    xdotool key ctrl+v
}
paste ab12
check "pasted letters go in" wait_for 3000 box_text_is ab12
paste abcdefghijklmnop
check "pasted text is cut at 11 characters" wait_for 3000 box_text_is abcdefghijk

# --- the rewrite when the focus leaves for another window
# rewrite_typed TEXT EXPECTED [KEYS...]: typed, then KEYS, then Notepad is
# activated; the box must then hold EXPECTED.
rewrite_typed() {
    local typed=$1 expected=$2
    shift 2
    clear_box
    focus_box || return 1
    xdotool type --delay 40 -- "$typed"
    wait_for 3000 box_text_is "$typed" || { echo "typing gave '$(tb_text 编辑框1)'"; return 1; }
    [ $# -eq 0 ] || xdotool key "$@"
    activate_notepad || { echo "the focus did not leave the box"; return 1; }
    tb_equals "$(tb_text 编辑框1)" "$expected"
}
rewrite_pasted() {
    local pasted=$1 expected=$2
    paste "$pasted"
    wait_for 3000 box_text_is "$pasted" || { echo "pasting gave '$(tb_text 编辑框1)'"; return 1; }
    activate_notepad || { echo "the focus did not leave the box"; return 1; }
    tb_equals "$(tb_text 编辑框1)" "$expected"
}
selection() { D get-sel "$TB_WINDOW" "${TB_ID[编辑框1]}" | awk '{ print $3, $4 }'; }

check "focus lost: 13800138000 stays as it is" rewrite_typed 13800138000 13800138000
check "...its caret stays at the end" tb_equals "$(selection)" "start=11 end=11"
check "focus lost: 12345678901 stays as it is" rewrite_typed 12345678901 12345678901
check "focus lost: 123.450 becomes 123.45" rewrite_typed 123.450 123.45
check "...the caret, at the end before, is at the new end" tb_equals "$(selection)" "start=6 end=6"
check "focus lost: 0 becomes empty" rewrite_typed 0 ""
check "focus lost: -0 becomes empty" rewrite_typed -0 ""
check "focus lost: 0012345 becomes 12345" rewrite_typed 0012345 12345 Left Left Left
check "...the caret stays where it was (after 4 characters)" tb_equals "$(selection)" "start=4 end=4"
check "focus lost: pasted abc becomes empty" rewrite_pasted abc ""
# The rules of the rewrite are the portable core's and tested there; these
# show that the box applies them when the focus goes, to typed and to pasted
# text, and that a text it cannot better is left alone.
check "focus lost: pasted 1e5 becomes 100000" rewrite_pasted 1e5 100000
