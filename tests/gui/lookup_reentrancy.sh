#!/usr/bin/env bash
# The lookup while an answer comes slowly: the window keeps answering
# messages, the labels keep what they held until the answer is in, a second
# 查询 inside the first gives the newer answer the last word, and 关闭窗口 or
# 退出 in the middle neither crash the program nor let the old answer land.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
. "$(dirname "${BASH_SOURCE[0]}")/toolbox_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/shell_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/lookup_lib.sh"
harness_begin lookup_reentrancy "$HARNESS_RESULTS/gui-lookup_reentrancy-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN

TRICKLE=19999990010  # 50 bytes, one every 100 ms, no fields
SLOW=19999990015     # the 北京 answer in 10 pieces, 300 ms apart
BEIJING='北京|移动全球通卡|010|100000'
SHANGHAI='上海|移动神州行卡|021|200000'

lk_start_on_lookup_panel

labels_are() { tb_equals "$(lk_labels)" "$1"; }
unset_labels() { labels_are "$LK_UNSET|$LK_UNSET|$LK_UNSET|$LK_UNSET"; }
# slow_lookup NUMBER: the labels marked, NUMBER typed, 查询 clicked, and the
# server has the request: the answer is on its way.
slow_lookup() {
    local before
    before=$(lk_requests)
    lk_mark && lk_enter "$1" && lk_query || return 1
    wait_for 5000 eval '(($(lk_requests) > before))' || { echo "no request reached the server"; return 1; }
}

# --- the window answers while the trickle comes in (5 s)
slow_lookup $TRICKLE
check "the labels keep what they held while the answer is read" unset_labels
# 12 messages, about 50 ms apart at random.
D ping "$TB_WINDOW" 12 50 >"$RUN/ping.txt"
cat "$RUN/ping.txt"
median=$(field median_ms ping <"$RUN/ping.txt")
# Still under way after the messages: they were all answered while reading.
check "...still so after the window was sent messages" unset_labels
check "while an answer trickles in, the window answers within 100 ms (median ${median} ms)" \
    awk -v m="$median" 'BEGIN { exit !(m <= 100) }'
check "...no message went unanswered" tb_equals "$(field lost ping <"$RUN/ping.txt")" 0
check "...and the labels are written when it is in (no fields: empty)" wait_for 10000 labels_are '|||'

# --- a second 查询 while the first waits: the newer answer stays
slow_lookup $SLOW
check "a second lookup inside a slow one answers" lk_expect 13902100000 "$SHANGHAI"
sleep 4  # the slow answer (3 s) is in and dropped by now
check "...and the slow first answer, in later, does not overwrite it" labels_are "$SHANGHAI"

check "a slow answer alone is written when it is in" lk_expect $SLOW "$BEIJING"

# --- 关闭窗口 while the answer is on its way
slow_lookup $SLOW
tb_click 关闭窗口
check "关闭窗口 during a lookup closes the window" D wait-gone "$TB_WINDOW" 5000
tb_open_toolbox
D wait "$TB_WINDOW" 5000 >/dev/null
tb_show
lk_mark  # in the new window
sleep 4
check "...the program runs on" eval '! program_exited quorrin'
check "...and the answer does not land in the window opened anew" unset_labels
check "...which works: a lookup there answers" \
    eval 'tb_click 手机归属地 && D visible "$TB_WINDOW" "${TB_ID[查询]}" 1 3000 >/dev/null && lk_expect 13800138000 "$BEIJING"'

# --- 退出 while the answer is on its way
slow_lookup $SLOW
D post QuorrinStart 0x0111 20002 0 >/dev/null
check "退出 during a lookup ends the program with exit code 0" \
    eval 'tb_equals "$(wait_program_exit quorrin 10000)" 0'
check "...and its icon leaves the notification area" wait_for 5000 sh_icons_are 0
