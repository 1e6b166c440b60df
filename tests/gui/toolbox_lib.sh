# Shared by the toolbox scenarios (tests/gui/toolbox_*.sh); source it after
# harness.sh. The program runs from a folder of the scenario's own, so that
# recorder programs beside it (calc.exe, mspaint.exe, notepad.exe: the
# program's folder is searched first) see what it starts.

TB_RECORDER=${QUORRIN_RECORDER:-$HARNESS_TREE/tests/gui/recorder.exe}
TB_WINDOW=QuorrinToolbox
TB_X=
TB_Y=

# Control ids: 1001 for the first control of the design, and so on.
declare -A TB_ID=(
    [最小化]=1001 [关闭窗口]=1002 [打开计算器]=1003 [画图工具]=1004 [手机归属地]=1005
    [打开记事本]=1006 [导航]=1007 [百度一下]=1008 [电脑应用]=1009 [手机应用]=1010
    [返回]=1011 [手机号码标签]=1012 [编辑框1]=1013 [查询]=1014
    [卡号归属地标签]=1015 [卡号归属地显示框]=1016 [卡号类型标签]=1017 [卡号类型显示框]=1018
    [邮政编码标签]=1019 [邮政编码显示框]=1020 [区号标签]=1021 [区号显示框]=1022
)
# The design's order, which is the id order.
TB_NAMES=(最小化 关闭窗口 打开计算器 画图工具 手机归属地 打开记事本 导航 百度一下 电脑应用 手机应用
    返回 手机号码标签 编辑框1 查询 卡号归属地标签 卡号归属地显示框 卡号类型标签 卡号类型显示框
    邮政编码标签 邮政编码显示框 区号标签 区号显示框)
TB_LAUNCHER=(打开计算器 画图工具 手机归属地 打开记事本 导航 百度一下 电脑应用 手机应用)

tb_equals() { [ "$1" = "$2" ] || { echo "got '$1', expected '$2'"; return 1; }; }

# tb_folder DIR [NAME...]: DIR with a copy of the program and, for each NAME,
# a copy of the recorder under that name.
tb_folder() {
    local dir=$1 name
    shift
    mkdir -p "$dir"
    cp "$HARNESS_EXE" "$dir/quorrin.exe"
    for name in "$@"; do cp "$TB_RECORDER" "$dir/$name"; done
}

# tb_notepad_apart: Wine's Notepad, started and placed in the top-left
# corner, as another window to activate. (Under Wine a window of another
# process that is activated covers the always-on-top toolbox where they
# overlap, so the two are kept apart.)
tb_notepad_apart() {
    start_program notepad notepad.exe || return 1
    D wait Notepad 15000 >/dev/null || return 1
    D visible Notepad - 1 5000 >/dev/null || return 1
    D move Notepad 0 0 300 240 >/dev/null
}

# tb_start DIR: starts DIR/quorrin.exe as "quorrin" and waits until its tray
# icon is on screen, which is the end of its start-up.
tb_start() {
    start_program quorrin "$1/quorrin.exe" || return 1
    D wait QuorrinStart 20000 >/dev/null || { harness_log "no start window"; return 1; }
    wait_for 20000 tray_icon_at >/dev/null || { harness_log "no tray icon"; return 1; }
}

# tb_quit: the tray menu's exit item, then the program's end.
tb_quit() {
    D post QuorrinStart 0x0111 20002 0 >/dev/null || return 1
    wait_program_exit quorrin 10000 >/dev/null
}

# The tray menu's "打开工具箱", and a left click on the icon, as the shell
# hands them to the program. Both are handled by the time the driver's next
# command looks (the driver waits for the window's state where it matters).
tb_open_toolbox() { D post QuorrinStart 0x0111 20001 0 >/dev/null; }
tb_tray_click() { D tray lbuttonup >/dev/null; }

# tb_show: a tray click, then the window visible.
tb_show() { tb_tray_click && D visible "$TB_WINDOW" - 1 5000 >/dev/null; }

# tb_dump [FILE]: the window and its controls (driver dump), to FILE or stdout.
tb_dump() {
    if [ -n "${1:-}" ]; then D dump "$TB_WINDOW" >"$1"; else D dump "$TB_WINDOW"; fi
}

# tb_where: sets TB_X, TB_Y to the window's top-left corner on screen.
tb_where() {
    local rect
    rect=$(D dump "$TB_WINDOW" | field rect window) || return 1
    IFS=, read -r TB_X TB_Y _ _ <<<"$rect"
}

# tb_child NAME [DUMP]: the control's dump line.
tb_child() {
    local id=${TB_ID[$1]}
    if [ -n "${2:-}" ]; then grep -E "^child .* id=$id " "$2"; else D dump "$TB_WINDOW" | grep -E "^child .* id=$id "; fi
}

# tb_visible NAME [DUMP]: prints 1 or 0.
tb_visible() { tb_child "$@" | field visible; }

# tb_text NAME: the control's text as UTF-8 (from its code page 936 bytes).
tb_text() {
    local hex
    hex=$(D get-text "$TB_WINDOW" "${TB_ID[$1]}" | field text) || return 1
    printf '%b' "$(sed 's/../\\x&/g' <<<"$hex")" | iconv -f GBK -t UTF-8
}

# tb_set_text NAME TEXT: WM_SETTEXT (a test's setup, not a user's input).
tb_set_text() { D send-text "$TB_WINDOW" "${TB_ID[$1]}" "$2" >/dev/null; }

# tb_point NAME [DX DY]: the screen point DX,DY inside the control (its centre
# when left out), from the window's place now.
tb_point() {
    local dump rect l t r b
    dump=$(D dump "$TB_WINDOW") || return 1
    IFS=, read -r TB_X TB_Y _ _ <<<"$(field rect window <<<"$dump")"
    rect=$(grep -E "^child .* id=${TB_ID[$1]} " <<<"$dump" | field rect) || return 1
    IFS=, read -r l t r b <<<"$rect"
    local dx=${2:-$(((r - l) / 2))} dy=${3:-$(((b - t) / 2))}
    echo "$((TB_X + l + dx)) $((TB_Y + t + dy))"
}

# tb_click NAME [DX DY]: a real left click on the control. The pointer is
# moved there first and given a moment, as a hand would.
tb_click() {
    local x y
    read -r x y < <(tb_point "$@") || return 1
    xdotool mousemove "$x" "$y" sleep 0.1 click 1
}

# tb_focus: the class and id of the control with the keyboard focus in the
# program's thread, as "CLASS ID" ("- 0" for none).
tb_focus() {
    local line
    line=$(D focus "$TB_WINDOW") || return 1
    echo "$(field class <<<"$line") $(field id <<<"$line")"
}

# Pictures. wshot NAME: the window alone, as SHOTS/NAME.png (coordinates in
# it are the window's own); prints the path.
wshot() {
    local file=$HARNESS_SHOTS/$1.png
    tb_where || return 1
    import -display "$DISPLAY" -window root -crop "380x215+$TB_X+$TB_Y" +repage "$file" && echo "$file"
}

# measure PNG REGION...: many regions of one picture in one convert run; each
# REGION is "KEY mean X Y W H" (the mean colour, R,G,B in 0..255) or
# "KEY count X Y W H COLOUR FUZZ" (how many pixels lie within FUZZ% of
# COLOUR: those turn transparent, and the alpha channel counts them). The
# results go into the array M by KEY.
declare -A M=()
measure() {
    local png=$1 region key kind x y w h colour fuzz
    shift
    local args=() keys=() kinds=() sizes=()
    for region in "$@"; do
        read -r key kind x y w h colour fuzz <<<"$region"
        keys+=("$key") kinds+=("$kind") sizes+=($((w * h)))
        args+=('(' -clone 0 -crop "${w}x${h}+$x+$y" +repage)
        [ "$kind" = count ] && args+=(-fuzz "$fuzz%" -transparent "$colour" -alpha extract -negate)
        args+=(-scale '1x1!' ')')
    done
    local out i=0 r g b
    out=$(convert "$png" -alpha off "${args[@]}" -delete 0 -format '%[fx:255*r] %[fx:255*g] %[fx:255*b]\n' info:) ||
        return 1
    while read -r r g b; do
        if [ "${kinds[i]}" = count ]; then
            M[${keys[i]}]=$(awk -v v="$r" -v n="${sizes[i]}" 'BEGIN { printf "%d", v / 255 * n + 0.5 }')
        else
            M[${keys[i]}]=$(awk -v r="$r" -v g="$g" -v b="$b" 'BEGIN { printf "%d,%d,%d", r + 0.5, g + 0.5, b + 0.5 }')
        fi
        i=$((i + 1))
    done <<<"$out"
    ((i == ${#keys[@]}))
}

# settle_wshot NAME X Y W H [!]COLOUR: window screenshots until the region's
# mean colour is COLOUR (with "!": is no longer COLOUR), since a repaint may
# lag a little behind the pointer, or until 3 s pass; prints the last one's
# path. The checks then judge that picture.
settle_wshot() {
    local png deadline=$(($(ms) + 3000)) colour=${6#!}
    while :; do
        png=$(wshot "$1") || return 1
        if measure "$png" "settle mean $2 $3 $4 $5"; then
            if [ "$colour" = "$6" ]; then near "${M[settle]}" "$colour" 12 >/dev/null && break
            else fails near "${M[settle]}" "$colour" 12 >/dev/null && break; fi
        fi
        (($(ms) < deadline)) || break
        sleep 0.1
    done
    echo "$png"
}

# near R,G,B R,G,B [TOLERANCE]: every channel within TOLERANCE (default 10).
near() {
    local a b tol=${3:-10} i
    IFS=, read -r -a a <<<"$1"
    IFS=, read -r -a b <<<"$2"
    for i in 0 1 2; do
        local d=$((a[i] - b[i]))
        ((d < 0)) && d=$((-d))
        ((d <= tol)) || { echo "$1 is not within $tol of $2"; return 1; }
    done
}

# at_least N M: N >= M, saying so when not.
at_least() { (($1 >= $2)) || { echo "$1 < $2"; return 1; }; }
at_most() { (($1 <= $2)) || { echo "$1 > $2"; return 1; }; }

# tb_panel_state [DUMP]: for the 22 controls in design order, 1 where the
# control's own visible setting (WS_VISIBLE) is on, else 0; a string of 22
# digits. (IsWindowVisible would say 0 for all of them while the window is
# hidden.)
tb_panel_state() {
    local dump=${1:-}
    [ -n "$dump" ] || { dump=$HARNESS_RUN/panel-state.txt; tb_dump "$dump" || return 1; }
    awk '
        $1 == "child" {
            id = style = ""
            for (i = 2; i <= NF; i++) {
                if (index($i, "id=") == 1) id = substr($i, 4)
                if (index($i, "style=0x") == 1) style = substr($i, 9)
            }
            # WS_VISIBLE (0x10000000) is the low bit of the first of the eight
            # hex digits of the style: odd means shown.
            shown[id] = index("13579BDF", substr(style, 1, 1)) > 0
        }
        END {
            for (id = 1001; id <= 1022; id++) {
                if (!(id in shown)) exit 1
                printf "%d", shown[id]
            }
            print ""
        }' "$dump"
}

# The panels as the design has them, in design order: the window buttons,
# the eight tiles, 返回, then the lookup rows (caption, box, 查询, three label
# pairs, the area-code pair).
TB_LAUNCHER_PANEL=1111111111000000000000
TB_LOOKUP_PANEL=1100000000111111111100

# panel_is EXPECTED [DUMP]: the panel state, with the controls that differ
# named when it is not EXPECTED.
panel_is() {
    local got i
    got=$(tb_panel_state "${2:-}") || return 1
    [ "$got" = "$1" ] && return 0
    for i in "${!TB_NAMES[@]}"; do
        [ "${got:i:1}" = "${1:i:1}" ] || echo "${TB_NAMES[i]}: visible=${got:i:1}, expected ${1:i:1}"
    done
    return 1
}
