#!/usr/bin/env bash
# Start-up benchmark: from launching the program to its tray icon on the
# screen, against a minimal tray program (tests/bench/minimal_tray.cpp: a
# hidden window, one icon, a message loop) built by the same toolchain. Runs
# alternate between the two, N each after one warm-up run each; the medians
# and their ratio are printed (goal: at most 1.3), with the program's private
# memory once started and the sizes of the executables (goal: the i686
# program at most 1.5 MB).
#
# Pinned to one CPU for the whole run, wineserver and X server included:
# spread over two CPUs every call between a Wine process and wineserver pays
# a cross-CPU wake-up and the timings scatter.
#
#   tests/bench/startup.sh [RUNS]     (RUNS per program, default 15)
#
# Uses the GUI harness (private X server and Wine prefix); the build tree is
# the one of this machine's Wine (build/win64 where 32-bit Wine cannot run).
# Exit status 0 when every run reached its icon, whatever the figures.
set -euo pipefail
if [ "${QUORRIN_STARTUP_PINNED:-}" != 1 ]; then
    QUORRIN_STARTUP_PINNED=1 exec taskset -c 0 "$0" "$@"
fi
RUNS=${1:-15}
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$ROOT/tests/gui/harness.sh"
MINIMAL=${QUORRIN_MINIMAL_TRAY:-$HARNESS_TREE/tests/gui/minimal-tray.exe}
harness_begin startup_bench "$HARNESS_RESULTS/bench-startup-$HARNESS_ARCH.xml"
RUN=$HARNESS_RUN
[ -f "$MINIMAL" ] || { harness_log "no $MINIMAL (build the target quorrin_minimal_tray)"; exit 1; }
mkdir -p "$RUN/app" "$RUN/minimal"
cp "$HARNESS_EXE" "$RUN/app/quorrin.exe"
cp "$MINIMAL" "$RUN/minimal/minimal-tray.exe"

# The measuring loop, in one process so that its own start costs nothing:
# it launches a program, reads the notification area's pixels straight from
# the X server every 2 ms until the icon's blue is there, then asks
# the program to end and waits until the icon and the process are gone.
python3 - "$WINELOADER" "$HARNESS_DRIVER" "$RUN/app/quorrin.exe" "$RUN/minimal/minimal-tray.exe" "$RUNS" \
    >"$RUN/runs.txt" 2>"$RUN/bench.err" <<'PY' || { cat "$RUN/bench.err" >&2; exit 1; }
import ctypes, os, statistics, subprocess, sys, time

wine, driver, quorrin, minimal, runs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no X display")
root = x11.XDefaultRootWindow(display)

class XImage(ctypes.Structure):  # the leading fields of Xlib's XImage
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]

# The right end of the taskbar, where the first icon sits (16x16 at
# 1006,750 on a 1024x768 desktop), and the icons' blue, RGB(46,131,195).
LEFT, TOP, WIDTH, HEIGHT = 996, 746, 28, 22
BLUE = (46, 131, 195)

# Reading the pixels costs little (one request, bytes compared in place):
# the loop shares the one CPU with what it measures.
def blue_pixels():
    address = x11.XGetImage(display, root, LEFT, TOP, WIDTH, HEIGHT, 0xFFFFFFFF, 2)  # ZPixmap
    if not address:
        return 0
    image = XImage.from_address(address)
    if image.bits_per_pixel != 32:
        sys.exit(f"a {image.bits_per_pixel}-bit screen; 24-bit colour in 32-bit pixels expected")
    data = ctypes.string_at(image.data, image.bytes_per_line * HEIGHT)
    stride = image.bytes_per_line
    x11.XDestroyImage(address)
    count = 0
    for y in range(HEIGHT):
        row = data[y * stride:y * stride + 4 * WIDTH]
        for x in range(0, 4 * WIDTH, 4):  # blue, green, red, pad
            if (abs(row[x + 2] - BLUE[0]) <= 8 and abs(row[x + 1] - BLUE[1]) <= 8
                    and abs(row[x] - BLUE[2]) <= 8):
                count += 1
    return count

def wait(condition, seconds):
    deadline = time.perf_counter() + seconds
    while not condition():
        if time.perf_counter() > deadline:
            return False
        time.sleep(0.002)
    return True

def private_kb(pid):
    with open(f"/proc/{pid}/smaps_rollup") as f:
        return sum(int(line.split()[1]) for line in f if line.startswith(("Private_Clean:", "Private_Dirty:")))

programs = {
    "quorrin": (quorrin, ["post", "QuorrinStart", "0x0111", "20002", "0"]),  # the tray menu's exit item
    "minimal": (minimal, ["post", "QuorrinMinimalTray", "0x0010", "0", "0"]),  # WM_CLOSE
}

def one_run(name):
    exe, stop = programs[name]
    if not wait(lambda: blue_pixels() < 5, 10):
        sys.exit(f"{name}: an icon is in the way before the start")
    t0 = time.perf_counter()
    process = subprocess.Popen([wine, exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               cwd=os.path.dirname(exe))
    if not wait(lambda: blue_pixels() >= 40, 20):
        process.kill()
        sys.exit(f"{name}: no icon within 20 s")
    ms = (time.perf_counter() - t0) * 1000
    time.sleep(0.5)  # settled, as a user would find it
    memory = private_kb(process.pid)
    subprocess.run([wine, driver] + stop, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    process.wait(timeout=20)
    if not wait(lambda: blue_pixels() < 5, 10):
        sys.exit(f"{name}: the icon stayed after the end")
    return ms, memory

times = {"quorrin": [], "minimal": []}
memory = {"quorrin": [], "minimal": []}
one_run("quorrin"), one_run("minimal")  # warm-up: the first start loads what later ones find cached
for i in range(runs):
    order = ("quorrin", "minimal") if i % 2 == 0 else ("minimal", "quorrin")
    for name in order:
        ms, kb = one_run(name)
        times[name].append(ms)
        memory[name].append(kb)
        print(f"run {i + 1} {name} icon_ms={ms:.1f} private_kb={kb}", flush=True)
q, m = statistics.median(times["quorrin"]), statistics.median(times["minimal"])
print(f"median quorrin_ms={q:.1f} minimal_ms={m:.1f} ratio={q / m:.2f}"
      f" quorrin_private_kb={statistics.median(memory['quorrin']):.0f}"
      f" minimal_private_kb={statistics.median(memory['minimal']):.0f}")
PY
cat "$RUN/runs.txt"

# Sizes: the executables as built (with their debug information in a
# RelWithDebInfo build) and stripped, as they would ship.
size_line() {
    local exe=$1 strip=$2 stripped=$RUN/stripped.exe
    [ -f "$exe" ] || return 0
    "$strip" -o "$stripped" "$exe" 2>/dev/null || cp "$exe" "$stripped"
    echo "size $(basename "$(dirname "$exe")")/$(basename "$exe") built=$(stat -c %s "$exe") stripped=$(stat -c %s "$stripped")"
}
{
    size_line "$HARNESS_SOURCE/build/win32/quorrin.exe" i686-w64-mingw32-strip
    size_line "$HARNESS_SOURCE/build/win64/quorrin.exe" x86_64-w64-mingw32-strip
} | tee "$RUN/sizes.txt"

ratio=$(grep '^median ' "$RUN/runs.txt" | field ratio)
i686=$(grep '^size win32/' "$RUN/sizes.txt" | field stripped || echo 0)
echo "startup ratio ${ratio} (goal <= 1.3); i686 program ${i686} bytes stripped (goal <= 1572864)"
check "every run reached its tray icon" grep -q '^median ' "$RUN/runs.txt"
