#!/usr/bin/env bash
# One copy of the program starting: nothing shows but the tray icon; the
# three windows exist hidden, tied together as the task bar needs; the icon
# is the blue Q, and resting the pointer on it shows the tooltip "Quorrin".
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin shell_start "$HARNESS_RESULTS/gui-shell_start-$HARNESS_ARCH.xml"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
RUN=$HARNESS_RUN

check "nothing of the program runs before it starts" fails D wait "$SH_START" 0
sh_start quorrin "$HARNESS_EXE"
# The icon is added last, after the toolbox window is loaded: from here on
# the start-up is complete.
check "the tray icon appears" wait_for 20000 tray_icon_at
png=$(shot start)

wpid=$(sh_wpid "$SH_START")
D windows "$wpid" >"$RUN/windows.txt" || true
check "the program has its start, owner and toolbox windows" \
    sh_equals "$(grep -Eo ' class=Quorrin[A-Za-z]+ ' "$RUN/windows.txt" | sort | tr -d ' \n')" \
    "class=QuorrinOwnerclass=QuorrinStartclass=QuorrinToolbox"
check "none of the program's windows is visible" sh_no_grep '^window .* visible=1 ' "$RUN/windows.txt"
check "no message box: a single copy is not refused" fails D wait-visible "#32770/$SH_GUARD_CAPTION" 0

D dump "$SH_OWNER" >"$RUN/owner.txt"
D dump "$SH_START" >"$RUN/start.txt"
D dump "$SH_TOOLBOX" >"$RUN/toolbox.txt"
owner_hwnd=$(field hwnd window <"$RUN/owner.txt")
check "the owner window is hidden and has no owner" sh_grep '^window .* visible=0 .* owner=0x0 ' "$RUN/owner.txt"
check "the owner window is a tool window (WS_EX_TOOLWINDOW)" sh_bits "$RUN/owner.txt" exstyle 0x80 0x80
check "the start window is hidden, without caption text, owned by the owner window" \
    sh_grep "^window .* visible=0 .* owner=$owner_hwnd owner_class=$SH_OWNER text=\$" "$RUN/start.txt"
# WS_POPUP set; WS_CAPTION (which holds WS_BORDER) and WS_THICKFRAME clear.
check "the start window has no border or caption" sh_bits "$RUN/start.txt" style 0x80C40000 0x80000000
check "the toolbox window exists hidden, without an owner" \
    sh_grep '^window .* visible=0 .* owner=0x0 owner_class=- ' "$RUN/toolbox.txt"
check "the toolbox window is made centred on the screen, 380x215" \
    sh_grep "^window .* rect=$SH_TOOLBOX_RECT size=$SH_TOOLBOX_SIZE " "$RUN/toolbox.txt"
check "the toolbox window is always on top and titled Quorrin" \
    sh_grep "^window .* topmost=1 .* text=$(gbk_hex Quorrin)\$" "$RUN/toolbox.txt"
check "the toolbox window has its controls already" sh_grep '^child ' "$RUN/toolbox.txt"

check "exactly one icon of the program in the notification area" sh_equals "$(sh_icons "$png")" 1
check "the program added its icon once" sh_equals "$(sh_tray_calls quorrin)" add
read -r icon_x icon_y < <(tray_icon_at "$png" || echo 0 0)
icon_box=16x16+$((icon_x - 8))+$((icon_y - 8))
# A white letter on the blue square: both colours, and the blue dominant.
check "the icon is mostly the blue RGB(46,131,195)" \
    sh_at_least 120 "$(sh_pixels_like "$png" "$icon_box" 'abs(r-46/255)<0.03 && abs(g-131/255)<0.03 && abs(b-195/255)<0.03')"
check "the icon has a white letter on it" \
    sh_at_least 25 "$(sh_pixels_like "$png" "$icon_box" 'r>0.9 && g>0.9 && b>0.9')"

# The tooltip: the notification area's own tooltip window, read through
# WM_GETTEXT (the text it shows), and seen on the screen.
check "no tooltip shows before the pointer reaches the icon" fails D wait-visible tooltips_class32 0
xdotool mousemove "$icon_x" "$icon_y" sleep 0.1 mousemove_relative 1 0
D wait-visible tooltips_class32 5000 >"$RUN/tooltip.txt" || true
tip_png=$(shot tooltip)
check "resting the pointer on the icon shows the tooltip Quorrin" \
    sh_grep "^window .* visible=1 .* owner_class=Shell_TrayWnd text=$(gbk_hex Quorrin)\$" "$RUN/tooltip.txt"
tip_rect=$(field rect window <"$RUN/tooltip.txt" || echo 0,0,0,0)
IFS=, read -r tl tt tr tb <<<"$tip_rect"
check "the tooltip sits by the icon" \
    test "$tl" -le "$icon_x" -a "$tr" -ge $((icon_x - 80)) -a "$tb" -ge $((icon_y - 60)) -a "$tt" -le "$icon_y"
# The tooltip's pale face and its dark text, where the driver says it is:
# on the desktop's blue there is neither.
tip_w=$((tr - tl)) tip_h=$((tb - tt))
((tip_w > 0 && tip_h > 0)) || tip_w=1 tip_h=1
tip_box=${tip_w}x$tip_h+$tl+$tt
check "the tooltip is drawn on the screen: a light face..." \
    sh_at_least $((tip_w * tip_h / 2)) "$(sh_pixels_like "$tip_png" "$tip_box" 'r>0.85 && g>0.85 && b>0.8')"
check "...with dark text on it" sh_at_least 15 "$(sh_pixels_like "$tip_png" "$tip_box" 'r<0.3 && g<0.3 && b<0.3')"

check "the program still runs after all this" fails program_exited quorrin
