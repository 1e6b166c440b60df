# Shared by the shell scenarios (tests/gui/shell_*.sh): start-up, the
# single-instance guard, the tray icon and its menu. Source it after
# harness.sh and harness_begin.

SH_START=QuorrinStart
SH_TOOLBOX=QuorrinToolbox
SH_OWNER=QuorrinOwner
SH_GUARD_TEXT=$'程序正在运行中...\r\n请勿重复运行...'
SH_GUARD_CAPTION=温馨提示
# The toolbox window as it is made on a 1024x768 screen: centred,
# left = (1024 - 380) / 2, top = (768 - 215) / 2.
SH_TOOLBOX_RECT=322,276,702,491
SH_TOOLBOX_SIZE=380x215
WM_COMMAND=0x0111
WM_CANCELMODE=0x001F
SH_EXIT=20002

sh_equals() { [ "$1" = "$2" ] || { echo "got '$1', expected '$2'"; return 1; }; }
sh_grep() { grep -Eq -- "$1" "$2" || { echo "no line matches /$1/ in $2:"; cat "$2"; return 1; }; }
sh_no_grep() { if grep -Eq -- "$1" "$2"; then echo "a line matches /$1/ in $2:"; cat "$2"; return 1; fi; }

# sh_icons [PNG]: how many of the program's icons the notification area
# shows: blobs of the icon's colour about an icon's size (the blue around the
# letter is one piece; the bit inside the Q's loop is smaller than an icon).
sh_icons() {
    local png=${1:-}
    if [ -z "$png" ]; then
        png=$HARNESS_RUN/icons-search.png
        import -display "$DISPLAY" -window root "$png" 2>/dev/null || return 1
    fi
    local width=${HARNESS_SCREEN%x*} height=${HARNESS_SCREEN#*x}
    convert "$png" -crop "$((width / 2))x40+$((width / 2))+$((height - 40))" +repage -alpha off -fuzz 2% \
        -fill black +opaque "$HARNESS_ICON_COLOUR" -fill white -opaque "$HARNESS_ICON_COLOUR" \
        -define connected-components:verbose=true -connected-components 8 null: |
        awk '$NF == "srgb(255,255,255)" {
                 split($2, g, /[x+]/)
                 if (g[1] >= 12 && g[1] <= 24 && g[2] >= 12 && g[2] <= 24) n++
             }
             END { print n + 0 }'
}

# sh_icons_are N: for wait_for; says what it saw when it is not N.
sh_icons_are() {
    local n
    n=$(sh_icons) || return 1
    [ "$n" = "$1" ] || { echo "$n icons on screen, not $1"; return 1; }
}

# sh_pixels_like PNG GEOMETRY FX: how many pixels in the area satisfy FX (an
# ImageMagick -fx condition on r, g, b in 0..1).
sh_pixels_like() {
    convert "$1" -crop "$2" +repage -alpha off -fx "($3) ? 1 : 0" -format '%[fx:int(mean*w*h+0.5)]' info:
}

# sh_bits FILE KEY MASK VALUE: the number KEY= of the first window line in
# FILE, masked, is VALUE (for style bits).
sh_bits() {
    local n
    n=$(field "$2" window <"$1") || { echo "no $2 in $1"; return 1; }
    (((n & $3) == $4)) || { printf '%s=%s: bits %#x are %#x, not %#x\n' "$2" "$n" "$3" $((n & $3)) "$4"; return 1; }
}

# sh_at_least MIN VALUE
sh_at_least() { (($2 >= $1)) || { echo "$2 is below $1"; return 1; }; }

# sh_wpid CLASS: the Windows process id of the window's process.
sh_wpid() { D dump "$1" | field pid window; }

# sh_program NAME EXE: start_program with Wine's trace of the tray calls on:
# each Shell_NotifyIcon call of the program lands in its output file, which
# tells what the program itself did with its icon (Wine's notification area
# also drops the icon of a window that is gone, so the screen cannot).
sh_program() { WINEDEBUG=-all,+systray start_program "$@"; }

# sh_tray_calls NAME: the program's Shell_NotifyIcon calls so far, in order,
# as add, modify or delete; "none" when it made none.
sh_tray_calls() {
    awk '/:Shell_NotifyIconW dwMessage = / {
             sub(/,.*/, ""); m = $NF
             calls = calls (calls == "" ? "" : " ") (m == 0 ? "add" : m == 1 ? "modify" : m == 2 ? "delete" : "other" m)
         }
         END { print calls == "" ? "none" : calls }' "$HARNESS_RUN/$1.out"
}

# sh_start NAME EXE: starts a copy and waits for its start window (the guard
# runs inside the start window's creation).
sh_start() {
    sh_program "$1" "$2" || return 1
    D wait "$SH_START" 20000 >/dev/null || { harness_log "$1: no start window"; return 1; }
}

# sh_menu_item_point MENU-LINE-FILE N: the screen point in the middle of the
# menu's Nth item (of two, the same height each) from its client rect.
sh_menu_item_point() {
    local client l t r b
    client=$(field client menu <"$1") || return 1
    IFS=, read -r l t r b <<<"$client"
    echo "$(((l + r) / 2)) $((t + (b - t) * (2 * $2 - 1) / 4))"
}

# sh_quit_all: every running copy's exit command, then no start window left.
sh_quit_all() {
    D post-all "$SH_START" "$WM_COMMAND" "$SH_EXIT" 0 >/dev/null || return 0
    D wait-gone "$SH_START" 10000 >/dev/null
}
