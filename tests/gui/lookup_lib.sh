# Shared by the lookup scenarios (tests/gui/lookup_*.sh); source it after
# harness.sh and toolbox_lib.sh. The program asks the lookup service at the
# host its build was given (127.0.0.1:8138 unless configured otherwise); the
# project's stand-in server (tests/fixtures/lookup_server.py) listens there.

. "$HARNESS_SOURCE/tests/fixtures/lookup_server.sh"
LK_LOG=
# What a label holds before a lookup, so that a scenario sees when the
# lookup has written all four (an answer never holds this text).
LK_UNSET=待查
LK_LABELS=(卡号归属地显示框 卡号类型显示框 区号显示框 邮政编码显示框)

# The lookup host and port the program was built with, from its cache.
lk_host() {
    sed -n 's/^QUORRIN_LOOKUP_HOST:STRING=//p' "$HARNESS_TREE/CMakeCache.txt"
}

# lk_server_start: the stand-in server on the build's lookup port, logging
# every request into LK_LOG.
lk_server_start() {
    local host port
    host=$(lk_host)
    port=${host##*:}
    [ "$port" != "$host" ] || port=80
    LK_LOG=$HARNESS_RUN/requests.log
    local started=0
    lookup_server_start "$port" "$LK_LOG" 600 "$HARNESS_RUN/server.port" 2>>"$HARNESS_RUN/server.err" && started=1
    # Stopped with the scenario's other processes, whatever happens.
    HARNESS_PIDS+=("$LOOKUP_SERVER_PID")
    ((started)) ||
        { harness_log "the lookup server did not start on port $port"; cat "$HARNESS_RUN/server.err" >&2; return 1; }
}

lk_server_stop() { lookup_server_stop; }

# lk_start_on_lookup_panel: the server, then the program from a folder of the
# scenario's own, its window shown on the lookup panel.
lk_start_on_lookup_panel() {
    lk_server_start || return 1
    tb_folder "$HARNESS_RUN/app"
    tb_start "$HARNESS_RUN/app" || return 1
    xdotool mousemove 5 5
    lk_show_lookup_panel
}

# lk_show_lookup_panel: a tray click shows the window, and 手机归属地 its
# lookup panel.
lk_show_lookup_panel() {
    tb_show || return 1
    tb_click 手机归属地 || return 1
    D visible "$TB_WINDOW" "${TB_ID[查询]}" 1 3000 >/dev/null
}

# Python over the fixture module.
lk_py() { "$LOOKUP_PY" - "$@" <<<"import sys; sys.path.insert(0, '$LOOKUP_FIXTURES'); import lookup_server as ls; $LK_CODE"; }

# lk_requests: how many requests the server has logged.
lk_requests() { LK_CODE='import os; print(len(ls.read_log(sys.argv[1])) if os.path.exists(sys.argv[1]) else 0)' lk_py "$LK_LOG"; }

# lk_request N FILE: the raw bytes of the N-th logged request (1-based) into FILE.
lk_request() {
    LK_CODE='open(sys.argv[3], "wb").write(ls.read_log(sys.argv[1])[int(sys.argv[2]) - 1])' lk_py "$LK_LOG" "$1" "$2"
}

# lk_labels: the four display labels as "region|card type|area code|postal
# code", read in one run of the driver (the labels are read while a lookup
# may be under way, and each run of the driver takes its time).
lk_labels() {
    local out name hex texts=()
    out=$(D get-text "$TB_WINDOW" "${TB_ID[卡号归属地显示框]}" "${TB_ID[卡号类型显示框]}" "${TB_ID[区号显示框]}" \
        "${TB_ID[邮政编码显示框]}") || return 1
    for name in "${LK_LABELS[@]}"; do
        hex=$(grep -E "^text .* id=${TB_ID[$name]} " <<<"$out" | field text) || return 1
        texts+=("$(printf '%b' "$(sed 's/../\\x&/g' <<<"$hex")" | iconv -f GBK -t UTF-8)")
    done
    local IFS='|'
    echo "${texts[*]}"
}

# lk_mark: every display label to LK_UNSET (a test's setup through
# WM_SETTEXT, as the program itself writes them).
lk_mark() {
    local name
    for name in "${LK_LABELS[@]}"; do tb_set_text "$name" "$LK_UNSET" || return 1; done
}

lk_written() {
    local labels
    labels=$(lk_labels) || return 1
    [[ $labels != "$LK_UNSET|"* && $labels != *"|$LK_UNSET" ]]
}

lk_box_is() { [ "$(tb_text 编辑框1)" = "$1" ]; }

# lk_enter TEXT: the number box emptied, clicked, and TEXT typed into it
# with real key presses.
lk_enter() {
    tb_set_text 编辑框1 "" || return 1
    tb_click 编辑框1 || return 1
    [ -z "$1" ] || xdotool type --delay 30 -- "$1"
    wait_for 3000 lk_box_is "$1" ||
        { echo "the box holds '$(tb_text 编辑框1)', not '$1'"; return 1; }
}

# lk_query: a real click on 查询.
lk_query() { tb_click 查询; }

# lk_lookup TEXT [MS]: labels marked, TEXT typed, 查询 clicked, then waits
# (MS, default 20 s) until the lookup has written the labels.
lk_lookup() {
    lk_mark || return 1
    lk_enter "$1" || return 1
    lk_query || return 1
    wait_for "${2:-20000}" lk_written || { echo "the labels were not written within ${2:-20000} ms"; return 1; }
}

# lk_expect TEXT EXPECTED [MS]: a lookup of TEXT gives the labels EXPECTED
# ("region|card type|area code|postal code").
lk_expect() {
    lk_lookup "$1" "${3:-20000}" || return 1
    tb_equals "$(lk_labels)" "$2"
}
