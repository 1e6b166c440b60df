#!/usr/bin/env bash
# The lookup panel end to end: a number typed with real key presses, a real
# click on 查询, the request the stand-in server receives byte for byte, and
# the four labels the answer fills in (read back as code page 936 text) for
# the sample segments and for every misbehaving answer the server knows;
# pasted text with URL characters, an empty box, the server down, and the
# regular-expression class missing.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/lookup_lib.sh"
harness_begin lookup_answers "$HARNESS_RESULTS/gui-lookup_answers-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN
HOST=$(lk_host)

lk_start_on_lookup_panel

BEIJING='北京|移动全球通卡|010|100000'
NONE='|||'

# --- one lookup, and what went over the wire
check "13800138000 typed, 查询 clicked: the four labels hold the sample answer" lk_expect 13800138000 "$BEIJING"
check "the area-code label holds its value and stays hidden" tb_equals "$(tb_visible 区号显示框)" 0

lk_request "$(lk_requests)" "$RUN/request"
url="http://$HOST/api/mobile.php?m=13800138000&t=html"
header_lines() { LC_ALL=C grep -c -x -F -- "$1"$'\r' "$RUN/request" || true; }
check "the request line" tb_equals "$(head -1 "$RUN/request" | tr -d '\r')" \
    "GET /api/mobile.php?m=13800138000&t=html HTTP/1.1"
check "Referer is the URL" tb_equals "$(header_lines "Referer: $url")" 1
check "Accept-Language: zh-cn" tb_equals "$(header_lines 'Accept-Language: zh-cn')" 1
check "the user agent" tb_equals \
    "$(header_lines 'User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)')" 1
check "the Accept line" tb_equals "$(header_lines 'Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*')" 1
check "no body" tb_equals "$(LK_CODE='print(len(open(sys.argv[1], "rb").read().partition(b"\r\n\r\n")[2]))' lk_py "$RUN/request")" 0

# --- the answers: number, then the labels expected (region, card type, area
# code, postal code). A lookup writes all four labels; one whose answer
# holds no match empties them (they were marked before each lookup).
ANSWERS=(
    "13902100000 上海|移动神州行卡|021|200000"          # percent-escaped UTF-8
    "13012340000 广东 深圳|联通如意通卡|0755|518000"   # escaped, a blank inside a field
    "18902710000 湖北 武汉|电信天翼卡|027|430000"       # plain UTF-8
    "13700000000 $NONE"                                # a page without the fields
    "19999990001 $BEIJING"                             # the fields twice: the first wins
    "19999990002 $NONE"                                # other blank counts between fields
    "19999990003 $BEIJING"                             # tags in capitals: case is ignored
    "19999990004 $NONE"                                # a field across a line break
    "19999990005 北京||010|100000"                     # an empty field
    "19999990006 $NONE"                                # a zero byte before the fields
    "19999990009 $BEIJING"                             # 1 MiB, the fields at the end
    "19999990008 $BEIJING"                             # 16 MiB, the fields at the end
    "19999990011 $NONE"                                # no body
    "19999990012 $NONE"                                # the connection reset mid-body
    "19999990013 $BEIJING"                             # status 500 with the fields
    "19999990014 $BEIJING"                             # response headers over 1024 bytes
)
for row in "${ANSWERS[@]}"; do
    number=${row%% *} expected=${row#* }
    check "$number: $expected" lk_expect "$number" "$expected" 60000
done

# Invalid UTF-8 in the region: whatever the conversion makes of the bad
# bytes, the valid character and the other fields come through.
bad_utf8() {
    lk_lookup 19999990007 || return 1
    local labels
    labels=$(lk_labels)
    [[ $labels == *京*'|移动全球通卡|010|100000' ]] || { echo "labels: $labels"; return 1; }
}
check "19999990007 (invalid UTF-8 in the region): 京 and the other fields come through" bad_utf8

# --- what the box sends
pasted_escaped() {
    local before
    before=$(lk_requests)
    lk_mark
    tb_set_text 编辑框1 ""
    D clipboard '1&2#3%4 5?' >/dev/null
    tb_click 编辑框1
    xdotool key ctrl+v
    wait_for 3000 lk_box_is '1&2#3%4 5?' || { echo "the box holds '$(tb_text 编辑框1)'"; return 1; }
    lk_query
    wait_for 20000 lk_written || { echo "no answer"; return 1; }
    lk_request $((before + 1)) "$RUN/request"
    tb_equals "$(head -1 "$RUN/request" | tr -d '\r')" \
        "GET /api/mobile.php?m=1%262%233%254%205%3F&t=html HTTP/1.1"
}
check "pasted '1&2#3%4 5?' goes out percent-escaped" pasted_escaped

empty_box() {
    local before
    before=$(lk_requests)
    lk_expect "" "$NONE" || return 1
    lk_request $((before + 1)) "$RUN/request"
    tb_equals "$(head -1 "$RUN/request" | tr -d '\r')" "GET /api/mobile.php?m=&t=html HTTP/1.1"
}
check "an empty box sends m= empty and empties the labels" empty_box

# --- the server down: the connection is refused at once
lk_server_stop
t0=$(ms)
check "the server down: the labels are emptied" lk_expect 13800138000 "$NONE" 60000
check "...within the time-outs (took $(($(ms) - t0)) ms)" at_most $(($(ms) - t0)) 30000
check "...and the window still works: the panel switches" \
    eval 'tb_click 返回 && D visible "$TB_WINDOW" "${TB_ID[打开计算器]}" 1 3000 >/dev/null && tb_click 手机归属地'
quits_with_0() { tb_quit || { echo "the program did not end"; return 1; }; tb_equals "$(program_rc quorrin)" 0; }
check "the program exits with 0 from the tray menu" quits_with_0

# --- the regular-expression class missing (Wine's vbscript.dll disabled):
# the request still goes out, and the lookup writes four empty labels.
lk_server_start
export WINEDLLOVERRIDES=vbscript=d
tb_start "$RUN/app"
unset WINEDLLOVERRIDES
lk_show_lookup_panel
before=$(lk_requests)
check "no regular-expression class: the lookup empties the four labels" lk_expect 13800138000 "$NONE"
check "...after the request went out" tb_equals "$(lk_requests)" $((before + 1))
check "...and the program exits with 0" quits_with_0
