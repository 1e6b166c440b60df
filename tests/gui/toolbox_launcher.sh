#!/usr/bin/env bash
# The seven launcher tiles under real clicks. Recorders named calc.exe,
# mspaint.exe and notepad.exe in the program's folder (searched first) note
# the exact command line, the show state asked for and the folder they were
# started in. A fourth recorder is made the shell's command for http
# addresses, so it sees each address exactly as the program handed it to the
# shell (Wine's own browser launcher would first rewrite "http://host" as
# "http://host/"). Then, from a
# folder with the program alone, the calculator and Paint cannot be found:
# nothing shows and the window stays usable, while Notepad comes from the
# system's folder.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
harness_begin toolbox_launcher "$HARNESS_RESULTS/gui-toolbox_launcher-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN
APP=$RUN/app
LAUNCHES=$APP/launches.txt
# The program's folder as a Windows path (the prefix maps / to Z:).
APP_WINDOWS="Z:$(sed 's|/|\\|g' <<<"$APP")"

tb_folder "$APP" calc.exe mspaint.exe notepad.exe browser.exe
"$WINELOADER" reg add 'HKCR\http\shell\open\command' /ve /d "\"$APP_WINDOWS\\browser.exe\" \"%1\"" /f \
    >"$RUN/reg.out" 2>&1
tb_start "$APP"
xdotool mousemove 60 60
tb_show
quorrin_pid=$(D pids quorrin.exe | field pid process)
tb_dump "$RUN/before.txt"

# The recorder log's lines of the programs, and of the browser.
programs() { if [ -f "$LAUNCHES" ]; then grep -v '^launch exe=browser.exe ' "$LAUNCHES"; fi; }
pages() { if [ -f "$LAUNCHES" ]; then grep '^launch exe=browser.exe ' "$LAUNCHES"; fi; }
launched() { [ "$(programs | grep -c .)" = "$1" ]; }
opened() { [ "$(pages | grep -c .)" = "$1" ]; }
# launch_line N: the Nth program line, less its two pids.
launch_line() { programs | sed -n "$1p" | sed -E 's/ pid=[0-9]+ ppid=[0-9]+//'; }
started_by_program() { programs | sed -n "$1p" | grep -q " ppid=$quorrin_pid "; }
# page N: the address the Nth browser start was given (its one argument).
page() { pages | sed -n "$1p" | sed -E 's/^.* cmdline="[^"]*" "(.*)"$/\1/'; }
expect_launch() {  # expect_launch N EXE CMDLINE
    tb_equals "$(launch_line "$1")" "launch exe=$2 flags=0x00000001 show=1 cwd=$APP_WINDOWS cmdline=$3"
}

# --- the three programs
n=0
for tile in 打开计算器:calc.exe:calc.exe 画图工具:mspaint.exe:mspaint 打开记事本:notepad.exe:notepad.exe; do
    IFS=: read -r name exe cmdline <<<"$tile"
    n=$((n + 1))
    tb_click "$name"
    check "$name starts a program" wait_for 5000 launched $n
    check "$name: $exe from the program's folder, command line \"$cmdline\", shown normally, in the program's folder" \
        expect_launch $n "$exe" "$cmdline"
    check "$name: the program is the one that started it" started_by_program $n
done
check "no other Notepad started (the program's folder comes first)" fails D wait Notepad 0

# --- the four pages
n=0
for tile in 导航:http://www.hao123.com/?kbaidupo 百度一下:http://www.baidu.com 电脑应用:http://rj.baidu.com/ \
    手机应用:http://as.baidu.com/?from=as; do
    name=${tile%%:*} url=${tile#*:}
    n=$((n + 1))
    tb_click "$name"
    check "$name opens a page" wait_for 5000 opened $n
    check "$name: the address is exactly $url" tb_equals "$(page $n)" "$url"
done

# --- a double click: twice
read -r x y < <(tb_point 百度一下)
xdotool mousemove "$x" "$y" sleep 0.6 click --repeat 2 --delay 120 1
check "a double click on 百度一下 opens the page twice" wait_for 5000 opened 6
check "...the same address both times" eval '[ "$(page 5)" = http://www.baidu.com ] && [ "$(page 6)" = http://www.baidu.com ]'
read -r x y < <(tb_point 画图工具)
xdotool mousemove "$x" "$y" sleep 0.6 click --repeat 2 --delay 120 1
check "a double click on 画图工具 starts it twice" wait_for 5000 launched 5
check "...both with the command line mspaint" eval 'expect_launch 4 mspaint.exe mspaint && expect_launch 5 mspaint.exe mspaint'
sleep 1
check "...and no more" eval 'launched 5 && opened 6'

tb_dump "$RUN/after.txt"
check "starting programs and pages leaves the window and its panel as they were" \
    diff "$RUN/before.txt" "$RUN/after.txt"
tb_quit

# --- the programs missing: the program alone in its folder
BARE=$RUN/bare
tb_folder "$BARE"
tb_start "$BARE"
xdotool mousemove 60 60
tb_show
tb_dump "$RUN/bare-before.txt"
tb_click 打开计算器
tb_click 画图工具
sleep 1
check "no calculator is running" fails D pids calc.exe
check "no Paint is running" fails D pids mspaint.exe
check "no message box came up" fails D wait '#32770' 0
tb_dump "$RUN/bare-after.txt"
check "the window is as it was" diff "$RUN/bare-before.txt" "$RUN/bare-after.txt"
tb_click 手机归属地
check "...and still usable: 手机归属地 switches the panel" D visible "$TB_WINDOW" "${TB_ID[返回]}" 1 3000
check "nothing was recorded in either folder" eval '[ ! -e "$BARE/launches.txt" ] && launched 5 && opened 6'
tb_click 返回
D visible "$TB_WINDOW" "${TB_ID[手机归属地]}" 1 3000 >/dev/null
tb_click 打开记事本
check "打开记事本 without a notepad.exe beside the program: the system's Notepad" D wait Notepad 10000
D pids notepad.exe >"$RUN/notepad-pids.txt" || true
check "...started by the program" grep -q " ppid=$(D pids quorrin.exe | field pid process) " "$RUN/notepad-pids.txt"
