#!/usr/bin/env bash
# The single-instance guard goes by whole process file names, without regard
# to ASCII case, and counts the program's own process: TOOL.EXE refuses
# tool.exe, while a copy under another name, a name that merely ends in the
# program's, or two names that run together into it are someone else.
# Copies of the program file live in folders of their own: the folder plays
# no part.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
harness_begin shell_guard_names "$HARNESS_RESULTS/gui-shell_guard_names-$HARNESS_ARCH.xml"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
RUN=$HARNESS_RUN

for copy in upper/TOOL.EXE lower/tool.exe longer/mytool.exe renamed/other.exe joined/ab.exe; do
    mkdir -p "$RUN/${copy%/*}"
    cp "$HARNESS_EXE" "$RUN/$copy"
done
# Two bystanders that only wait, named so that their names run together.
cp "$HARNESS_DRIVER" "$RUN/joined/xa"
cp "$HARNESS_DRIVER" "$RUN/joined/b.exe"

# listed EXE-NAME: the snapshot names a process exactly so (case and all).
listed() { D processes | grep -q " exe=$(gbk_hex "$1")\$" || { echo "no process named $1"; return 1; }; }

# adjacent NAME1 NAME2: the snapshot lists NAME1 directly before NAME2.
adjacent() {
    D processes | awk -v a="exe=$(gbk_hex "$1")" -v b="exe=$(gbk_hex "$2")" \
        'prev == a && $NF == b { found = 1 } { prev = $NF } END { exit !found }'
}

# pid_named EXE-NAME: the process named exactly so.
pid_named() { D processes | grep " exe=$(gbk_hex "$1")\$" | field pid process; }

# --- TOOL.EXE runs; tool.exe is refused.
sh_start upper "$RUN/upper/TOOL.EXE"
check "TOOL.EXE: its icon appears" wait_for 20000 sh_icons_are 1
check "the snapshot names it TOOL.EXE, in capitals" listed TOOL.EXE
sh_program lower "$RUN/lower/tool.exe"
D msgbox "$SH_GUARD_CAPTION" - 20000 >"$RUN/upper-lower.txt" || true
check "tool.exe beside TOOL.EXE is refused with the message box" \
    sh_grep "^dialog .* caption=$(gbk_hex "$SH_GUARD_CAPTION") text=$(gbk_hex "$SH_GUARD_TEXT") " "$RUN/upper-lower.txt"
check "...and the box is tool.exe's" sh_equals "$(field pid dialog <"$RUN/upper-lower.txt")" "$(pid_named tool.exe)"
D msgbox "$SH_GUARD_CAPTION" ok 5000 >/dev/null || true
check "tool.exe ends with exit code 0" sh_equals "$(wait_program_exit lower 10000)" 0
check "one icon: tool.exe added none" sh_icons_are 1
check "tool.exe never called Shell_NotifyIcon" sh_equals "$(sh_tray_calls lower)" none
check "TOOL.EXE runs on" fails program_exited upper
sh_quit_all
check "TOOL.EXE ends with exit code 0" sh_equals "$(wait_program_exit upper 10000)" 0
check "no icon is left" wait_for 3000 sh_icons_are 0

# --- mytool.exe runs; tool.exe is not refused: both run.
sh_start longer "$RUN/longer/mytool.exe"
check "mytool.exe: its icon appears" wait_for 20000 sh_icons_are 1
sh_program lower "$RUN/lower/tool.exe"
check "tool.exe beside mytool.exe runs too: two icons" wait_for 20000 sh_icons_are 2
shot mytool-and-tool >/dev/null
check "...and no message box" fails D wait-visible "#32770/$SH_GUARD_CAPTION" 0
check "both run" eval '! program_exited longer && ! program_exited lower'
sh_quit_all
check "mytool.exe ends with exit code 0" sh_equals "$(wait_program_exit longer 10000)" 0
check "tool.exe ends with exit code 0" sh_equals "$(wait_program_exit lower 10000)" 0
check "no icon is left" wait_for 3000 sh_icons_are 0

# --- quorrin.exe runs; the same file as other.exe is not noticed.
sh_start quorrin "$HARNESS_EXE"
check "quorrin.exe: its icon appears" wait_for 20000 sh_icons_are 1
sh_program other "$RUN/renamed/other.exe"
check "other.exe, the same program file, runs beside it: two icons" wait_for 20000 sh_icons_are 2
check "...and no message box" fails D wait-visible "#32770/$SH_GUARD_CAPTION" 0
check "both run" eval '! program_exited quorrin && ! program_exited other'
sh_quit_all
check "quorrin.exe ends with exit code 0" sh_equals "$(wait_program_exit quorrin 10000)" 0
check "other.exe ends with exit code 0" sh_equals "$(wait_program_exit other 10000)" 0
check "no icon is left" wait_for 3000 sh_icons_are 0

# --- ab.exe, while the snapshot lists xa directly before b.exe: run
# together the names read ...xab.exe..., yet no other process is ab.exe.
start_program xa "$RUN/joined/xa" idle
start_program b "$RUN/joined/b.exe" idle
check "the snapshot lists xa directly before b.exe" wait_for 10000 adjacent xa b.exe
sh_start ab "$RUN/joined/ab.exe"
check "ab.exe is not refused: its icon appears" wait_for 20000 sh_icons_are 1
check "...and no message box" fails D wait-visible "#32770/$SH_GUARD_CAPTION" 0
sh_quit_all
check "ab.exe ends with exit code 0" sh_equals "$(wait_program_exit ab 10000)" 0
harness_kill "${HARNESS_PROGRAM_PID[xa]}" "${HARNESS_PROGRAM_PID[b]}"
