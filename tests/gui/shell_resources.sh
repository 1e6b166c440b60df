#!/usr/bin/env bash
# 200 rounds of the tray's everyday use (a left click, a right click that
# opens the menu, the menu closed with Escape) leave the program's kernel
# handles, its user objects and its private memory where they were. The
# figures are printed on the line that starts with "resources:".
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin shell_resources "$HARNESS_RESULTS/gui-shell_resources-$HARNESS_ARCH.xml"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
RUN=$HARNESS_RUN

CYCLES=200
# Private memory moves in steps of Wine's and the C library's heaps: over
# rounds without a leak it was seen to stay put, rise by up to 128 KiB, and
# once (under load) by 376 KiB, about one window surface of the toolbox
# that Wine allocates late. The allowance of 512 KiB still fails a leak of
# about 2.6 KiB a round, such as a bitmap or an icon. A leaked menu is smaller than the
# heaps' slack (a build that leaked one a round did not grow beyond that
# noise here): the user-object check below is the one that sees it.
MEMORY_ALLOWANCE_KB=512
# Kernel handles are counted one by one: a handle leaked a round would be
# 200 more; the allowance is for one that a Wine library may open late.
HANDLE_ALLOWANCE=1
# User objects (menus, windows, icons) share one table in Wine, whose freed
# slots are handed out again first. Without a leak each round's menu takes
# one of the same few slots (3 to 8 of them here, as the tooltip's and the menu
# window's objects come and go beside it); a leak of one object a round
# spreads the menus over 200 slots.
SLOT_ALLOWANCE=16

sh_start quorrin "$HARNESS_EXE"
check "the tray icon appears" wait_for 20000 tray_icon_at
wpid=$(sh_wpid "$SH_START")
# The Unix process that runs the program: Wine runs it in the process it
# was started as.
upid=${HARNESS_PROGRAM_PID[quorrin]}
check "the Unix process $upid is the program" grep -aq 'quorrin\.exe' "/proc/$upid/cmdline"

# Private memory: Wine's GetProcessMemoryInfo says 0 for another process.
private_kb() { awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb + 0 }' "/proc/$upid/smaps"; }
# Kernel handles: GetProcessHandleCount says 0 on Wine 8; the system's handle
# list does not. GDI and user objects cannot be counted directly: Wine 8
# answers GetGuiResources with 0 for every process, so it is not asked. User
# objects are watched through their handle slots (below); a GDI object that
# leaked a round would show only through the memory it takes.
handles() { D handles "$wpid" | field listed handles; }

# The first rounds make what lives for the rest of the run (the menu's font
# and metrics, the tooltip, message buffers); they are not a leak.
check "50 rounds to warm up" D tray-cycles 50 escape
memory_before=$(private_kb)
handles_before=$(handles)
D tray-cycles "$CYCLES" escape >"$RUN/cycles.txt" || true
memory_after=$(private_kb)
handles_after=$(handles)
slot_low=$(field menu_slot_low cycles <"$RUN/cycles.txt" || echo 0)
slot_high=$(field menu_slot_high cycles <"$RUN/cycles.txt" || echo 0)
# A slot's handle is 0x20 plus twice its index.
slots=$(((slot_high - slot_low) / 2 + 1))
# On the scenario's output, and kept beside the JUnit file.
echo "resources: private memory ${memory_before} KiB before, ${memory_after} KiB after $CYCLES rounds;" \
    "kernel handles ${handles_before} before, ${handles_after} after;" \
    "menu handles in $slots user-object slots ($slot_low..$slot_high);" \
    "$(field elapsed_ms cycles <"$RUN/cycles.txt" || echo ?) ms" |
    tee "$HARNESS_RESULTS/gui-shell_resources-$HARNESS_ARCH.txt"

check "$CYCLES rounds of click, menu and Escape, each menu opened and closed" \
    sh_grep "^cycles done=$CYCLES of=$CYCLES failure=none " "$RUN/cycles.txt"
check "the handle list knows the program's handles" sh_at_least 1 "$handles_before"
check "kernel handles stay flat (at most +$HANDLE_ALLOWANCE)" \
    test "$handles_after" -le $((handles_before + HANDLE_ALLOWANCE))
check "private memory stays flat (at most +$MEMORY_ALLOWANCE_KB KiB)" \
    test "$memory_after" -le $((memory_before + MEMORY_ALLOWANCE_KB))
check "each round's menu is destroyed: its user-object slot is reused (at most $SLOT_ALLOWANCE slots)" \
    test "$slots" -ge 1 -a "$slots" -le "$SLOT_ALLOWANCE"

# And the program still does its job afterwards.
check "the left clicks showed the toolbox window" D visible "$SH_TOOLBOX" - 1 0
check "no menu is left open" fails D wait-visible '#32768' 0
check "still one icon" sh_icons_are 1
check "the rounds did not touch the icon" sh_equals "$(sh_tray_calls quorrin)" add
D post "$SH_START" "$WM_COMMAND" "$SH_EXIT" 0 >/dev/null
check "the program ends with exit code 0" sh_equals "$(wait_program_exit quorrin 10000)" 0
