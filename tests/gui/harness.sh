# GUI scenario harness. A scenario script sources this file and calls
#   harness_begin NAME JUNIT-XML-PATH
# to get a private X server, a private copy of a prepared Wine prefix with a
# virtual desktop, and a warm wineserver; everything the harness started is
# stopped again on EXIT. The scenario then uses:
#   D ARGS...                   the test driver (tests/gui/driver.cpp), output in UTF-8
#   start_program NAME EXE ...  a Windows program in the background
#   check "DESCRIPTION" CMD...  one test case: PASS when CMD succeeds
#   wait_for MS CMD...          CMD until it succeeds or MS milliseconds pass
#   shot NAME                   a screenshot of the whole screen
#   tray_icon_at [PNG]          where the program's tray icon is on screen
# and field, gbk_hex, pixel, fails, ms, program_exited, program_rc,
# wait_program_exit; and the variables HARNESS_EXE (the program),
# HARNESS_RUN (the scenario's scratch folder), HARNESS_RESULTS (where JUnit
# files go), HARNESS_ARCH, BROWSER_LOG (a line per URL the browser was asked
# to open) and DISPLAY. It works under `set -euo pipefail` and without; a
# failed check is counted and the scenario goes on, while a scenario that
# stops early (an error under set -e) fails as a whole.
#
# Environment (ctest sets it, see CMakeLists.txt; the defaults suit a manual
# run from the source tree): QUORRIN_WINEARCH, QUORRIN_BUILD_TREE,
# QUORRIN_DRIVER, QUORRIN_EXE, QUORRIN_RESULTS; QUORRIN_GUI_KEEP=1 keeps the
# scenario's prefix for a look afterwards.

HARNESS_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$HARNESS_SOURCE/scripts/lib/wine.sh"

HARNESS_ARCH=$(quorrin_wine_arch)
HARNESS_TREE=${QUORRIN_BUILD_TREE:-$HARNESS_SOURCE/build/$HARNESS_ARCH}
HARNESS_DRIVER=${QUORRIN_DRIVER:-$HARNESS_TREE/tests/gui/test-driver.exe}
HARNESS_EXE=${QUORRIN_EXE:-$HARNESS_TREE/quorrin.exe}
HARNESS_RESULTS=${QUORRIN_RESULTS:-$HARNESS_SOURCE/build/results}
HARNESS_SCREEN=1024x768
# The program's icon colour, RGB(46,131,195).
HARNESS_ICON_COLOUR='rgb(46,131,195)'

HARNESS_NAME=
HARNESS_JUNIT=
HARNESS_RUN=
HARNESS_SHOTS=
HARNESS_XVFB_PID=
HARNESS_STDOUT=1
HARNESS_STDERR=2
HARNESS_IDLE_PID=
HARNESS_SERVER_STARTED=0
HARNESS_PASSED=0
HARNESS_FAILED=0
HARNESS_T0=0
HARNESS_TEMPLATE=
BROWSER_LOG=
HARNESS_CASES=()
HARNESS_PIDS=()
declare -A HARNESS_PROGRAM_PID=() HARNESS_PROGRAM_RC=()
TRAY_ICON_X=
TRAY_ICON_Y=

harness_log() { printf '[harness] %s\n' "$*" >&2; }

# Milliseconds since the epoch, without forking.
ms() {
    local t=${EPOCHREALTIME//[!0-9]/}
    echo $((t / 1000))
}

# wait_for MS CMD...: runs CMD every 50 ms until it succeeds; 1 after MS ms.
wait_for() {
    local limit=$1
    shift
    local deadline=$(($(ms) + limit))
    until "$@"; do
        (($(ms) < deadline)) || return 1
        sleep 0.05
    done
}

# fails CMD...: succeeds when CMD fails (for checks that something is not so).
fails() { if "$@"; then return 1; fi; }

# The hex of a text's code page 936 bytes, as the driver prints texts.
gbk_hex() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -v -tx1 | tr -d ' \n' | tr a-f A-F; }

# field KEY [KIND] < driver-output: the value of KEY on the first line (of
# that KIND, the line's first word) that has it.
field() {
    awk -v key="$1" -v kind="${2:-}" '
        !found && (kind == "" || $1 == kind) {
            for (i = 2; i <= NF; i++)
                if (index($i, key "=") == 1) { print substr($i, length(key) + 2); found = 1; break }
        }
        END { exit !found }'
}

# The test driver inside the scenario's prefix; its code page 936 output is
# turned into UTF-8. The status is the driver's. Arguments beyond printable
# ASCII go as hex:<code page 936 bytes>: Wine would pass them through the
# Unix locale, and a machine without a generated zh_CN.UTF-8 mangles them.
D() {
    local args=() a
    for a in "$@"; do
        if [[ $a == *[!\ -~]* ]]; then args+=("hex:$(gbk_hex "$a")"); else args+=("$a"); fi
    done
    "$WINELOADER" "$HARNESS_DRIVER" "${args[@]}" 2>>"$HARNESS_RUN/driver.err" | iconv -c -f GBK -t UTF-8
    return "${PIPESTATUS[0]}"
}

# start_program NAME EXE [ARGS...]: runs EXE (a Unix path or a name Wine
# finds) in the background. The program's Unix PID is HARNESS_PROGRAM_PID[NAME];
# its exit code lands in the file HARNESS_PROGRAM_RC[NAME] when it ends.
start_program() {
    local name=$1
    shift
    local rc=$HARNESS_RUN/$name.rc pidfile=$HARNESS_RUN/$name.pid
    rm -f "$rc" "$pidfile"
    (
        "$WINELOADER" "$@" >"$HARNESS_RUN/$name.out" 2>&1 &
        echo $! >"$pidfile"
        wait $! && echo 0 >"$rc.tmp" || echo $? >"$rc.tmp"
        mv "$rc.tmp" "$rc"
    ) &
    HARNESS_PIDS+=($!)
    wait_for 5000 test -s "$pidfile" || { harness_log "$name did not start"; return 1; }
    HARNESS_PROGRAM_PID[$name]=$(<"$pidfile")
    HARNESS_PROGRAM_RC[$name]=$rc
}

program_exited() { [ -s "${HARNESS_PROGRAM_RC[$1]}" ]; }
program_rc() { cat "${HARNESS_PROGRAM_RC[$1]}"; }
# wait_program_exit NAME MS: prints the exit code once NAME has ended.
wait_program_exit() { wait_for "$2" program_exited "$1" && program_rc "$1"; }

# shot NAME: the whole screen as SHOTS/NAME.png; prints the file's path.
shot() {
    local file=$HARNESS_SHOTS/$1.png
    import -display "$DISPLAY" -window root "$file" && echo "$file"
}

# pixel PNG X Y: the colour there as R,G,B in 0..255.
pixel() {
    convert "$1" -crop "1x1+$2+$3" +repage -alpha off \
        -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:
}

# tray_icon_at [PNG]: finds the program's icon in the notification area (the
# right end of the desktop's taskbar) by its colour, in PNG or a fresh
# screenshot. Prints "X Y", the icon's centre, and sets TRAY_ICON_X/Y.
tray_icon_at() {
    local png=${1:-}
    if [ -z "$png" ]; then
        png=$HARNESS_RUN/tray-search.png
        import -display "$DISPLAY" -window root "$png" 2>/dev/null || return 1
    fi
    # Right half of the bottom 40 rows; the icon is its only patch of the colour.
    local width=${HARNESS_SCREEN%x*} height=${HARNESS_SCREEN#*x}
    local left=$((width / 2)) top=$((height - 40)) box
    box=$(convert "$png" -crop "$((width - left))x40+$left+$top" +repage -alpha off -fuzz 2% \
        -fill black +opaque "$HARNESS_ICON_COLOUR" -fill white -opaque "$HARNESS_ICON_COLOUR" \
        -trim -format '%w %h %X %Y' info: 2>/dev/null) || return 1
    local w h x y
    read -r w h x y <<<"$box"
    # An icon is 16x16 on screen; a trim of nothing is a 1x1 leftover.
    ((w >= 8 && w <= 24 && h >= 8 && h <= 24)) || return 1
    TRAY_ICON_X=$((left + ${x#+} + w / 2))
    TRAY_ICON_Y=$((top + ${y#+} + h / 2))
    echo "$TRAY_ICON_X $TRAY_ICON_Y"
}

# Text for an XML attribute or element: escaped, valid UTF-8, no control
# characters but tab and newline.
harness_xml() {
    iconv -c -f UTF-8 -t UTF-8 <<<"$1" | LC_ALL=C tr -d '\000-\010\013\014\016-\037' |
        sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g'
}

# Records one test case: description, status (0 = pass), seconds, message.
harness_case() {
    local description=$1 status=$2 seconds=$3 message=${4:-}
    if [ "$status" -eq 0 ]; then
        HARNESS_PASSED=$((HARNESS_PASSED + 1))
        echo "PASS $description"
    else
        HARNESS_FAILED=$((HARNESS_FAILED + 1))
        echo "FAIL $description"
        [ -z "$message" ] || sed 's/^/    /' <<<"$message"
    fi
    local testcase="  <testcase classname=\"gui.$HARNESS_NAME\" name=\"$(harness_xml "$description")\" time=\"$seconds\""
    if [ "$status" -eq 0 ]; then
        HARNESS_CASES+=("$testcase/>")
    else
        HARNESS_CASES+=("$testcase><failure message=\"$(harness_xml "$description")\">$(harness_xml "$message")</failure></testcase>")
    fi
}

# check "DESCRIPTION" CMD...: one test case. CMD's output goes to the run's
# log, and under the FAIL line when it fails.
check() {
    local description=$1
    shift
    local out=$HARNESS_RUN/check.out t0 status=0
    t0=$(ms)
    "$@" >"$out" 2>&1 || status=$?
    local elapsed=$(($(ms) - t0))
    {
        echo "== $description (status $status, ${elapsed} ms): $*"
        cat "$out"
    } >>"$HARNESS_RUN/checks.log"
    harness_case "$description" "$status" "$(printf '%d.%03d' $((elapsed / 1000)) $((elapsed % 1000)))" \
        "$(printf '%s\n' "command: $*" "status: $status"; tail -n 20 "$out")"
}

# The shared test prefix (scripts/lib/wine.sh) plus the desktop's settings:
# made once per build tree and copied for each scenario. The settings file is
# kept inside; a change of them makes a new template.
harness_template() {
    local template=$HARNESS_TREE/gui/prefix-template
    local recorder=$HARNESS_TREE/gui/open-url
    mkdir -p "$HARNESS_TREE/gui"
    local settings
    settings=$(
        printf 'REGEDIT4\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="shell"\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"shell"="%s"\n\n' "$HARNESS_SCREEN"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n"Browsers"="%s"\n' "$recorder"
    )
    (
        set -e
        flock 9
        if [ -f "$template/.harness-settings.reg" ] && [ "$(<"$template/.harness-settings.reg")" = "$settings" ]; then
            exit 0
        fi
        harness_log "making the template prefix $template"
        # Stands in for the web browser: the URL goes into the prefix in use.
        printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"$WINEPREFIX/opened-urls.txt"\n' >"$recorder"
        chmod +x "$recorder"
        QUORRIN_WINEPREFIX= quorrin_wine_env "$HARNESS_ARCH" "${QUORRIN_BUILD:-$HARNESS_SOURCE/build}"
        quorrin_wine_prefix
        rm -rf "$template" "$template.new"
        cp -a "$WINEPREFIX" "$template.new"
        printf '%s\n' "$settings" >"$template.new/.harness-settings.reg"
        export WINEPREFIX=$template.new
        "$WINELOADER" reg import "Z:${WINEPREFIX//\//\\}\\.harness-settings.reg" >/dev/null 2>&1
        "$WINESERVER" -w
        mv "$template.new" "$template"
    ) 9>"$HARNESS_TREE/gui/prefix-template.lock"
    HARNESS_TEMPLATE=$template
}

# Our own X server on a display it picks itself.
harness_xvfb() {
    local fdfile=$HARNESS_RUN/xvfb.display
    Xvfb -displayfd 3 -screen 0 "${HARNESS_SCREEN}x24" -nolisten tcp 3>"$fdfile" >"$HARNESS_RUN/xvfb.log" 2>&1 &
    HARNESS_XVFB_PID=$!
    wait_for 10000 grep -q . "$fdfile" || { harness_log "Xvfb did not start"; return 1; }
    export DISPLAY=:$(<"$fdfile")
    wait_for 10000 xdpyinfo >/dev/null 2>&1 || { harness_log "Xvfb on $DISPLAY does not answer"; return 1; }
}

harness_begin() {
    HARNESS_NAME=$1
    HARNESS_JUNIT=$2
    HARNESS_T0=$(ms)
    HARNESS_RUN=$HARNESS_TREE/gui/run/$HARNESS_NAME
    HARNESS_SHOTS=$HARNESS_TREE/gui/shots/$HARNESS_NAME
    # The exit trap may run while a failed command's redirections are in
    # force; it writes to where the scenario's output went at the start.
    exec {HARNESS_STDOUT}>&1 {HARNESS_STDERR}>&2
    trap harness_end EXIT
    trap 'exit 130' INT TERM
    # A scenario without its environment can only fail: stop it here.
    harness_setup || exit 1
    harness_log "$HARNESS_NAME: $HARNESS_ARCH, DISPLAY=$DISPLAY, ready after $(($(ms) - HARNESS_T0)) ms"
}

harness_setup() {
    rm -rf "$HARNESS_RUN" "$HARNESS_SHOTS"
    mkdir -p "$HARNESS_RUN" "$HARNESS_SHOTS" "$(dirname "$HARNESS_JUNIT")" || return 1
    [ -f "$HARNESS_DRIVER" ] || { harness_log "no test driver at $HARNESS_DRIVER (build it first)"; return 1; }
    harness_template || { harness_log "the template prefix could not be made"; return 1; }
    cp -a "$HARNESS_TEMPLATE" "$HARNESS_RUN/prefix" || return 1
    QUORRIN_WINEPREFIX=$HARNESS_RUN/prefix quorrin_wine_env "$HARNESS_ARCH" "$HARNESS_SOURCE/build"
    BROWSER_LOG=$WINEPREFIX/opened-urls.txt
    harness_xvfb || return 1
    # Stays up while anything runs; should the harness be killed outright,
    # it goes 20 s after its last process.
    "$WINESERVER" -p20 || return 1
    HARNESS_SERVER_STARTED=1
    "$WINELOADER" "$HARNESS_DRIVER" idle >"$HARNESS_RUN/idle.out" 2>&1 &
    HARNESS_IDLE_PID=$!
    # Retried: the very first driver call in a fresh prefix can fail fast
    # while the desktop process is still starting.
    wait_for 30000 harness_desktop_up || { harness_log "the virtual desktop did not come up"; return 1; }
}

harness_desktop_up() { D wait Shell_TrayWnd 2000 >/dev/null 2>&1; }

harness_kill() {
    local pid
    for pid in "$@"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
}

harness_end() {
    local status=$?
    trap - EXIT INT TERM
    set +e
    exec 1>&"$HARNESS_STDOUT" 2>&"$HARNESS_STDERR"
    if [ -n "$HARNESS_NAME" ]; then
        if [ "$status" -ne 0 ]; then
            harness_case "scenario ran to its end" 1 0 "it stopped with status $status; see $HARNESS_RUN"
        elif [ $((HARNESS_PASSED + HARNESS_FAILED)) -eq 0 ]; then
            harness_case "scenario made checks" 1 0 "it made none"
        fi
    fi
    if [ "$HARNESS_SERVER_STARTED" -eq 1 ]; then
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
    fi
    harness_kill "$HARNESS_IDLE_PID" "${HARNESS_PIDS[@]}" "$HARNESS_XVFB_PID"
    wait 2>/dev/null
    if [ -n "$HARNESS_JUNIT" ]; then
        local seconds=$((($(ms) - HARNESS_T0) / 1000))
        {
            echo '<?xml version="1.0" encoding="UTF-8"?>'
            echo "<testsuite name=\"gui.$HARNESS_NAME\" tests=\"$((HARNESS_PASSED + HARNESS_FAILED))\" failures=\"$HARNESS_FAILED\" time=\"$seconds\">"
            printf '%s\n' "${HARNESS_CASES[@]}"
            echo '</testsuite>'
        } >"$HARNESS_JUNIT"
    fi
    if [ -n "$HARNESS_RUN" ] && [ "${QUORRIN_GUI_KEEP:-0}" != 1 ]; then
        rm -rf "$HARNESS_RUN/prefix"
    fi
    echo "${HARNESS_NAME:-gui}: $HARNESS_PASSED passed, $HARNESS_FAILED failed"
    [ "$HARNESS_FAILED" -eq 0 ] && [ "$status" -eq 0 ] && exit 0
    exit 1
}
