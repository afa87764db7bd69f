#!/usr/bin/env bash
# End-to-end benchmark under Wine: the real Tesvo.exe (with the stand-in interceptor as fd.exe,
# recording only) and two floor windows receive the same reports in turn from bench-e2e,
# which prints the round trips' medians, 99th percentiles and ratios. Then bench-core times
# each step of a report inside one process, to show where Tesvo's time goes.
# Usage: bench/run-e2e.sh [--build-dir DIR] [ROUNDS [BIG_ROUNDS]]
# Without --build-dir the win32 preset is built first. Uses its own Wine prefix
# (build/bench-wineprefix), so Tesvo's "taskkill fd.exe" meets no other run's interceptor.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/win32
if [ "${1:-}" = --build-dir ]; then
    build=$2
    shift 2
else
    cmake --preset win32 >/dev/null
    cmake --build --preset win32 --target Tesvo fdsim bench-floor bench-e2e bench-core
fi

export WINEPREFIX="$PWD/build/bench-wineprefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
. scripts/xvfb.sh
tesvo_start_display
work=$(mktemp -d "${TMPDIR:-/tmp}/tesvo-bench-e2e.XXXXXX")
trap 'tesvo_stop_display; rm -rf "$work"' EXIT

mkdir "$work/data"
cp "$build/Tesvo.exe" "$work/Tesvo.exe"
cp "$build/tools/fdsim.exe" "$work/fd.exe"
cp "$build/bench/bench-floor.exe" "$build/bench/bench-e2e.exe" "$build/bench/bench-core.exe" "$work/"
# No scenario: the stand-in interceptor only records the control commands.
printf 'scenario=\r\n' > "$work/fdsim.ini"

timeout 3600 wine "$work/Tesvo.exe" &
tesvo=$!
timeout 3600 wine "$work/bench-floor.exe" parse &
floor_parse=$!
timeout 3600 wine "$work/bench-floor.exe" num &
floor_num=$!

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2-)"
status=0
timeout 3000 wine "$work/bench-e2e.exe" "$@" --close | tr -d '\r' || status=$?
# After a failure the windows are still open: end them (timeout passes the signal on).
[ "$status" = 0 ] || kill "$tesvo" "$floor_parse" "$floor_num" 2>/dev/null || true
wait "$tesvo" "$floor_parse" "$floor_num" || true
[ "$status" = 0 ] || exit "$status"

echo
echo "Inside one process (bench-core, median of ${1:-30} rounds):"
timeout 1800 wine "$work/bench-core.exe" "${1:-30}" | tr -d '\r'
