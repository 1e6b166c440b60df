#!/usr/bin/env bash
# Resources over long use: many panel switches, hide/show cycles and
# close/reopen cycles, driven by clicks the driver posts to the buttons (a
# real mouse would take hours), must leave the program's kernel handles and
# private memory flat. The figures are printed; a leak grows with the number
# of cycles, so it shows in both halves of a run.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_resources "$HARNESS_RESULTS/gui-toolbox_resources-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

# Panel switches; the hide/show cycles are half as many (as many hides and
# shows together), the close/reopen cycles a tenth.
ROUNDS=${QUORRIN_SOAK_ROUNDS:-1000}
# What half a run may add. Handles are exact; private memory, read as soak()
# does, moves by some 30 kB, with now and then a one-time step of some
# 300 kB (see flat); a leak of 2 kB a round (any picture, device context or
# text buffer) adds 500 kB to a half of the switches.
# (Wine cannot count another process's GDI objects; a leaked brush or font
# is too small to see here.)
MAX_HANDLES=2
MAX_PRIVATE_KB=128

tb_folder "$RUN/app"
tb_start "$RUN/app"
# Away from the window: posted clicks alone drive it.
xdotool mousemove 60 60
tb_show
unix_pid=${HARNESS_PROGRAM_PID[quorrin]}
windows_pid=$(D pids quorrin.exe | field pid process)

W=$TB_WINDOW
# One panel switch there and back: 手机归属地, then 返回, each waited for.
PANELS=(click "$W" "${TB_ID[手机归属地]}" + visible "$W" "${TB_ID[返回]}" 1 3000
    + click "$W" "${TB_ID[返回]}" + visible "$W" "${TB_ID[手机归属地]}" 1 3000)
# 最小化, then a left click on the tray icon.
HIDE_SHOW=(click "$W" "${TB_ID[最小化]}" + visible "$W" - 0 3000 + tray lbuttonup + visible "$W" - 1 3000)
# 关闭窗口, then "打开工具箱" and a left click on the icon: a new window with
# all its controls (it loads hidden, as at start-up).
CLOSE_OPEN=(click "$W" "${TB_ID[关闭窗口]}" + wait-gone "$W" 3000 + post QuorrinStart 0x0111 20001 0
    + tray lbuttonup + visible "$W" - 1 3000)

private_kb() { awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb }' "/proc/$unix_pid/smaps_rollup"; }
handles() { D handles "$windows_pid" | field listed; }
# soak NAME N STEPS...: N rounds of the steps in five parts, the figures
# read after each part. Private memory now and then swings up by a megabyte
# or two for a while and settles again (freed memory not given back at
# once), so the least of the five readings is the figure: a leak lifts them
# all, and lifts them more in the next run.
declare -A FIG=()
soak() {
    local name=$1 n=$2 out part kb least= ms=0
    shift 2
    for part in 1 2 3 4 5; do
        out=$(D repeat $((n / 5)) "$@") || { echo "$out"; return 1; }
        ms=$((ms + $(field elapsed_ms <<<"$out")))
        kb=$(private_kb)
        [ -n "$least" ] && ((least <= kb)) || least=$kb
    done
    FIG[$name.ms]=$ms FIG[$name.kb]=$least FIG[$name.handles]=$(handles)
}
report() {
    printf '%-28s %8s %8s %8s\n' figure handles private_kB ms
    local name
    for name in "$@"; do
        printf '%-28s %8s %8s %8s\n' "$name" "${FIG[$name.handles]:-?}" "${FIG[$name.kb]:-?}" "${FIG[$name.ms]:--}"
    done
}
# flat BASE MIDDLE END: the run from BASE to END in two halves. Handles may
# not grow in either. Private memory: a leak adds in both halves, or, while
# the heap first hands out what it had free, mostly in the second; a
# one-time step (some 300 kB, seen once in a while: a heap that grows by a
# window's picture) adds in one half at most and stays below three limits.
flat() {
    local a=$1 b=$2 c=$3 ok=0
    local h1=$((FIG[$b.handles] - FIG[$a.handles])) h2=$((FIG[$c.handles] - FIG[$b.handles]))
    local k1=$((FIG[$b.kb] - FIG[$a.kb])) k2=$((FIG[$c.kb] - FIG[$b.kb]))
    echo "handles +$h1 then +$h2; private kB +$k1 then +$k2"
    if ((h1 > MAX_HANDLES || h2 > MAX_HANDLES)); then echo "handles grow"; ok=1; fi
    if ((k1 > MAX_PRIVATE_KB && k2 > MAX_PRIVATE_KB)); then echo "private memory grows in both halves"; ok=1; fi
    if ((k2 > 3 * MAX_PRIVATE_KB)); then echo "private memory grows by more than a one-time step"; ok=1; fi
    return $ok
}

FIG[start.handles]=$(handles) FIG[start.kb]=$(private_kb)
# Warm-up: caches, heaps and the first window of each kind settle.
check "warm-up: panel switches" soak warm-panels 50 "${PANELS[@]}"
check "warm-up: hide/show" soak warm-hide 50 "${HIDE_SHOW[@]}"
check "warm-up: close/reopen" soak warm-close 20 "${CLOSE_OPEN[@]}"

# A panel round is two switches.
check "$ROUNDS panel switches, first half" soak panels-1 $((ROUNDS / 4)) "${PANELS[@]}"
check "...second half" soak panels-2 $((ROUNDS / 4)) "${PANELS[@]}"
check "$((ROUNDS / 2)) hide/show cycles, first half" soak hide-1 $((ROUNDS / 4)) "${HIDE_SHOW[@]}"
check "...second half" soak hide-2 $((ROUNDS / 4)) "${HIDE_SHOW[@]}"
check "$((ROUNDS / 10)) close/reopen cycles, first half" soak close-1 $((ROUNDS / 20)) "${CLOSE_OPEN[@]}"
check "...second half" soak close-2 $((ROUNDS / 20)) "${CLOSE_OPEN[@]}"

report start warm-panels warm-hide warm-close panels-1 panels-2 hide-1 hide-2 close-1 close-2 | tee "$RUN/figures.txt"
check "panel switches leave handles and private memory flat" flat warm-close panels-1 panels-2
check "hide/show cycles leave handles and private memory flat" flat panels-2 hide-1 hide-2
check "close/reopen cycles leave handles and private memory flat" flat hide-2 close-1 close-2
check "after all that, the window still works: 手机归属地 switches the panel" \
    eval 'D click "$W" ${TB_ID[手机归属地]} >/dev/null && D visible "$W" ${TB_ID[返回]} 1 3000'
