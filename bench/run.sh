#!/usr/bin/env bash
# Builds the named benchmarks and runs each under Wine and Xvfb in the build's own prefix, on one CPU:
# every Wine call that asks the wineserver waits for it, and handing over between two CPUs of a virtual
# machine made those waits five times as long and their length vary from second to second.
# Usage: [BUILD_DIR=build-x] [BENCH_CPUS=0-1] bench/run.sh gui_refresh startup_time ...
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
[ $# -gt 0 ] || { echo "usage: bench/run.sh BENCHMARK..." >&2; exit 2; }

install_missing
BENCH=ON BUILD_TARGETS="$*" build_all
make_prefix "$BUILD_DIR/wineprefix"

export WINEPREFIX="$BUILD_DIR/wineprefix"
wineserver -k 2>/dev/null || true
pin=()
command -v taskset >/dev/null && pin=(taskset -c "${BENCH_CPUS:-0}")
trap 'wineserver -k 2>/dev/null || true' EXIT
cd "$BUILD_DIR"
# A desktop session loads X resources into the server (xrdb); a bare Xvfb has none, and then Xlib
# reads ~/.Xdefaults from disk again on every XGetDefault, which Wine calls on each font selection
# (over a thousand file opens in one start of Tellurin, nearly 500 for the bare window). One resource,
# the one Debian's session sets, makes the server look like a desktop's; -noreset keeps it.
"${pin[@]}" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c \
    'xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "*customization: -color"
     wineserver -p60; wine cmd /c exit >/dev/null 2>&1; for b in "$@"; do echo "== $b"; wine "bin/$b.exe"; done' _ "$@"
