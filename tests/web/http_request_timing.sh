#!/usr/bin/env bash
# http_request_timing.sh PROBE [RUNS]: times http_request against bare
# WinINet loops on the same loopback bodies (1 MiB and 16 MiB), pinned to one
# CPU for the whole run (server, Wine server and program alike), and checks
#   16 MiB: http_request / bare loop   <= 1.2
#   http_request: 16 MiB / 1 MiB       <= 17
# using each series' median. The bare loop judged against makes the same
# WinINet calls as the routine (asks how much has arrived, reads that much,
# at most 512 bytes); the plain loop of 512-byte reads is shown beside it. Not a ctest test: on a loaded machine the
# figures say more about the load than about the code.
set -euo pipefail
PROBE=$1
RUNS=${2:-7}
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$ROOT/scripts/lib/wine.sh"
. "$ROOT/tests/fixtures/lookup_server.sh"
ARCH=$(quorrin_wine_arch)
[ "${QUORRIN_TIMING_PINNED:-}" = 1 ] || QUORRIN_TIMING_PINNED=1 exec taskset -c 0 "$0" "$@"

work=$(mktemp -d)
cleanup() {
  lookup_server_stop
  rm -rf "$work"
}
trap cleanup EXIT
# A prefix of its own, so that its Wine server is the one started here, on
# the pinned CPU, and no other program's work runs through it.
export QUORRIN_WINEPREFIX=${QUORRIN_TIMING_PREFIX:-${QUORRIN_BUILD:-$ROOT/build}/wineprefix-timing-$ARCH}
(
  quorrin_wine_env "$ARCH" "${QUORRIN_BUILD:-$ROOT/build}"
  quorrin_wine_prefix
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  "$WINESERVER" -p10
)
PY=$LOOKUP_PY
lookup_server_start 0 "$work/log" 600 "$work/port" || { echo "the lookup server did not start" >&2; exit 1; }
port=$LOOKUP_SERVER_PORT

url="http://127.0.0.1:$port/api/mobile.php?t=html&m="
# A first round to warm the server's answers and Wine's own start.
"$ROOT/scripts/wine-exec" "$ARCH" "$PROBE" time 1 "${url}19999990009" "${url}19999990008" >/dev/null
"$ROOT/scripts/wine-exec" "$ARCH" "$PROBE" time "$RUNS" "${url}19999990009" "${url}19999990008" \
  | tr -d '\r' | tee "$work/runs"

"$PY" - "$work/runs" <<'PY'
import statistics, sys
runs = [line.split() for line in open(sys.argv[1]) if line.startswith("run ")]
def series(url, column):
    return [float(r[column]) for r in runs if r[3] == url]
ok = True
for url, size in (("1", 1 << 20), ("2", 16 << 20)):
    sizes = {(int(r[9]), int(r[11]), int(r[15])) for r in runs if r[3] == url}
    if sizes != {(size, size, size)}:
        print("FAIL %d bytes: got %s" % (size, sorted(sizes))); ok = False
columns = (("1", 5), ("1", 13), ("1", 7), ("2", 5), ("2", 13), ("2", 7))
r1, a1, b1, r16, a16, b16 = (statistics.median(series(u, c)) for u, c in columns)
form = "1 MiB http_request %.1f, bare %.1f, plain 512 %.1f; 16 MiB http_request %.1f, bare %.1f, plain 512 %.1f"
print("median ms: " + form % (r1, a1, b1, r16, a16, b16))
print("fastest ms: " + form % tuple(min(series(u, c)) for u, c in columns))
ratio, growth = r16 / a16, r16 / r1
print("16 MiB http_request / bare loop: %.3f (limit 1.2); / plain 512-byte loop: %.3f" % (ratio, r16 / b16))
print("http_request 16 MiB / 1 MiB:     %.2f (limit 17); bare loop: %.2f" % (growth, a16 / a1))
ok = ok and ratio <= 1.2 and growth <= 17
print("CHECK " + ("PASS" if ok else "FAIL"))
sys.exit(0 if ok else 1)
PY
