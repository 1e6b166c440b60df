#!/usr/bin/env bash
# http_request_wire.sh PROBE: runs http_request (inside PROBE, a Windows
# console program, under Wine) against the loopback lookup server, and checks
# the request bytes that reach the server and what the routine returns.
# QUORRIN_WINEARCH names the Wine to use (win32 or win64).
set -euo pipefail
PROBE=$1
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
FIXTURES=$ROOT/tests/fixtures
. "$ROOT/scripts/lib/wine.sh"
. "$FIXTURES/lookup_server.sh"
ARCH=$(quorrin_wine_arch)
# One Wine server for the whole series of short runs (it stays a little while
# after the last one, then ends by itself); an already running one is kept.
(
  quorrin_wine_env "$ARCH" "${QUORRIN_BUILD:-$ROOT/build}"
  quorrin_wine_prefix
  "$WINESERVER" -p30 2>/dev/null || true
)

work=$(mktemp -d)
cleanup() {
  lookup_server_stop
  rm -rf "$work"
}
trap cleanup EXIT

log=$work/requests.log
PY=$LOOKUP_PY
lookup_server_start 0 "$log" 240 "$work/port" || { echo "the lookup server did not start" >&2; exit 1; }
port=$LOOKUP_SERVER_PORT
base="http://127.0.0.1:$port/api/mobile.php?m="

failures=0
pass() { printf 'ok   %s\n' "$1"; }
fail() { printf 'FAIL %s\n' "$1"; failures=$((failures + 1)); }
check() {  # check NAME ACTUAL EXPECTED
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1"; printf '     got:      %q\n     expected: %q\n' "$2" "$3"; fi
}

# probe ARGS...: the probe's output, one "key value" per line, in $out.
probe() {
  out=$("$ROOT/scripts/wine-exec" "$ARCH" "$PROBE" "$@" | tr -d '\r') || { fail "probe $*: exit status"; out=; }
}
field() { sed -n "s/^$1 //p" <<<"$out"; }

# Python over the fixture module: the answers' bodies and the logged requests.
py() { "$PY" - "$@" <<<"import sys; sys.path.insert(0, '$FIXTURES'); import lookup_server as ls; $PYCODE"; }
answer_hex() { PYCODE='print(ls.answer(sys.argv[1])[2].hex())' py "$1"; }
# The last logged request whose bytes hold TAG, written to $work/request.
take_request() {
  PYCODE='
rs = [r for r in ls.read_log(sys.argv[1]) if sys.argv[2].encode() in r]
open(sys.argv[3], "wb").write(rs[-1] if rs else b"")
print(len(rs))' py "$log" "$1" "$work/request" >/dev/null
}
request_line() { head -1 "$work/request" | tr -d '\r'; }
# How many header lines are exactly TEXT (each ends in CR LF on the wire).
lines() { LC_ALL=C grep -c -x -F -- "$1"$'\r' "$work/request" || true; }
lines_starting() { LC_ALL=C grep -c -i -- "^$1" "$work/request" || true; }
request_body() { PYCODE='print(open(sys.argv[1], "rb").read().partition(b"\r\n\r\n")[2].hex())' py "$work/request"; }
unhex() { "$PY" -c 'import sys; sys.stdout.buffer.write(bytes.fromhex(sys.argv[1]))' "$1"; }
hex_of() { printf '%s' "$1" | od -An -tx1 -v | tr -d ' \n'; }

accept='Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*'
agent='User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)'

# --- the URL alone: a GET with the three default headers ---------------------
url="${base}13800130001&t=html"
probe request "$url"
check "url alone: body" "$(field body)" "$(answer_hex 13800130001)"
take_request m=13800130001
check "url alone: request line" "$(request_line)" "GET /api/mobile.php?m=13800130001&t=html HTTP/1.1"
check "url alone: Accept line" "$(lines "$accept")" 1
check "url alone: Referer is the URL" "$(lines "Referer: $url")" 1
check "url alone: Accept-Language" "$(lines 'Accept-Language: zh-cn')" 1
check "url alone: user agent" "$(lines "$agent")" 1
check "url alone: Host" "$(lines "Host: 127.0.0.1:$port")" 1
check "url alone: no content lines" "$(lines_starting 'Content-')" 0
check "url alone: no body" "$(request_body)" ""

# --- the caller's headers decide which defaults are added --------------------
probe request "${base}13800130002&t=html" --headers 'accept: text/html\r\n'
take_request m=13800130002
check "own accept: kept" "$(lines 'accept: text/html')" 1
check "own accept: no default Accept" "$(lines "$accept")" 0
check "own accept: Accept-Language added" "$(lines 'Accept-Language: zh-cn')" 1

probe request "${base}13800130003&t=html" --headers 'Accept-Language: en\r\n'
take_request m=13800130003
check "own language: kept" "$(lines 'Accept-Language: en')" 1
check "own language: no second one" "$(lines_starting 'Accept-Language:')" 1
check "own language: Accept added" "$(lines "$accept")" 1
check "own language: Referer added" "$(lines_starting 'Referer: ')" 1

probe request "${base}13800130004&t=html" --headers 'X-Referer: a\r\n'
take_request m=13800130004
check "X-Referer: kept" "$(lines 'X-Referer: a')" 1
check "X-Referer: no Referer" "$(lines_starting 'Referer:')" 0

# --- methods -----------------------------------------------------------------
probe request "${base}13800130005&t=html" --method POST --body 'a=1&b=2'
take_request m=13800130005
check "POST: request line" "$(request_line)" "POST /api/mobile.php?m=13800130005&t=html HTTP/1.1"
check "POST: Content-Type" "$(lines 'Content-Type: application/x-www-form-urlencoded')" 1
check "POST: Content-Length 7" "$(lines 'Content-Length: 7')" 1
check "POST: body" "$(request_body)" "$(hex_of 'a=1&b=2')"
check "POST: answer" "$(field body)" "$(answer_hex 13800130005)"

probe request "${base}13800130006&t=html" --method post --body 'a=1&b=2'
take_request m=13800130006
check "post: sent as post" "$(request_line)" "post /api/mobile.php?m=13800130006&t=html HTTP/1.1"
check "post: Content-Length 7" "$(lines 'Content-Length: 7')" 1
check "post: body" "$(request_body)" "$(hex_of 'a=1&b=2')"

probe request "${base}13800130007&t=html" --method POST
take_request m=13800130007
check "POST without body: request line" "$(request_line)" "POST /api/mobile.php?m=13800130007&t=html HTTP/1.1"
check "POST without body: no Content-Type" "$(lines_starting 'Content-Type:')" 0
check "POST without body: no body" "$(request_body)" ""

probe request "${base}13800130008&t=html" --method POST --body 'a=1&b=2' \
  --headers 'Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 7\r\n'
take_request m=13800130008
check "content lines given too: length on the wire" "$(lines 'Content-Length: 7')" 1
check "content lines given too: body" "$(request_body)" "$(hex_of 'a=1&b=2')"

tag=13800130010
for method in PUT get ''; do
  tag=$((tag + 1))
  probe request "${base}${tag}&t=html" --method "$method" --body 'a=1&b=2'
  take_request "m=$tag"
  check "method '$method': sent as GET" "$(request_line)" "GET /api/mobile.php?m=$tag&t=html HTTP/1.1"
  check "method '$method': no body" "$(request_body)" ""
  check "method '$method': no content lines" "$(lines_starting 'Content-')" 0
done

# --- through a proxy: the request line carries the whole URL -----------------
url="http://lookup.invalid/api/mobile.php?m=13800130020&t=html"
probe request "$url" --proxy "127.0.0.1:$port"
take_request m=13800130020
# WinINet may spell out the default port in the URL it hands the proxy.
check "proxy: request line" "$(request_line | sed 's|^GET http://lookup.invalid:80/|GET http://lookup.invalid/|')" \
  "GET $url HTTP/1.1"
check "proxy: Referer" "$(lines "Referer: $url")" 1
check "proxy: body" "$(field body)" "$(answer_hex 13800130020)"

# --- what comes back ---------------------------------------------------------
for number in 13902100000 19999990001 19999990007 19999990013; do  # escaped, twice, bad UTF-8, status 500
  probe request "${base}${number}&t=html"
  check "answer $number: body byte for byte" "$(field body)" "$(answer_hex "$number")"
done

probe request "${base}19999990006&t=html"
check "zero byte: body cut before it" "$(field body)" "$(hex_of '<html><body>')"

probe request "${base}19999990011&t=html"
check "no body: empty" "$(field body-length)" 0

probe request "${base}19999990010&t=html"
check "slow trickle: whole body" "$(field body)" "$(answer_hex 19999990010)"

probe request "${base}19999990012&t=html"
sent=$(answer_hex 19999990012 | cut -c1-200)  # the 100 bytes sent before the reset
got=$(field body)
if [ "${sent#"$got"}" != "$sent" ] || [ -z "$got" ]; then pass "reset: a prefix of what was sent (${#got} hex digits)"
else fail "reset: a prefix of what was sent"; echo "     got: $got"; fi

"$ROOT/scripts/wine-exec" "$ARCH" "$PROBE" request "${base}19999990008&t=html" --raw >"$work/huge" || true
PYCODE='open(sys.argv[2], "wb").write(ls.answer(sys.argv[1])[2])' py 19999990008 "$work/huge.expected"
if cmp -s "$work/huge" "$work/huge.expected"; then pass "16 MiB: body byte for byte"
else fail "16 MiB: body byte for byte ($(stat -c %s "$work/huge") bytes)"; fi

# --- response headers --------------------------------------------------------
probe request "${base}13800130021&t=html" --response-headers
headers=$(unhex "$(field headers)" | tr -d '\r')
check "headers: status line" "$(head -1 <<<"$headers")" "HTTP/1.1 200 OK"
check "headers: content type" "$(grep -c -x -F 'Content-Type: text/html; charset=utf-8' <<<"$headers")" 1

probe request "${base}19999990014&t=html" --response-headers
length=$(field headers-length)
headers=$(unhex "$(field headers)" | tr -d '\r')
[ "$length" -gt 1024 ] && pass "long headers: $length bytes, more than the first buffer" || fail "long headers: $length bytes"
check "long headers: status line" "$(head -1 <<<"$headers")" "HTTP/1.1 200 OK"
check "long headers: all 40 padding lines" "$(grep -c '^X-Padding-[0-9][0-9]: p\{40\}$' <<<"$headers")" 40
check "long headers: body" "$(field body)" "$(answer_hex 19999990014)"

# --- the server down ---------------------------------------------------------
closed=$("$PY" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
probe request "http://127.0.0.1:$closed/api/mobile.php?m=13800130022&t=html" --response-headers
check "server down: empty body" "$(field body-length)" 0

# --- a request inside a request ----------------------------------------------
probe nested "${base}13800130023&t=html" "${base}13902100024&t=html"
check "nested: outer body" "$(field outer)" "$(answer_hex 13800130023)"
check "nested: inner body" "$(field inner)" "$(answer_hex 13902100024)"
check "nested: inner ran inside the outer" "$(field inner-ran-inside)" 1
order=$(PYCODE='print(" ".join(t for r in ls.read_log(sys.argv[1]) for t in ("outer", "inner")
                          if (b"m=13800130023" if t == "outer" else b"m=13902100024") in r))' py "$log")
check "nested: outer sent first" "$order" "outer inner"

echo
if [ "$failures" -gt 0 ]; then echo "$failures checks failed"; exit 1; fi
echo "all checks passed"
exit 0
