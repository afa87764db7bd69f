#!/usr/bin/env bash
# End to end under Wine: a second Tesvo started while one runs restarts the interceptor,
# takes over fd_home and binds the next control port; both windows keep handling reports
# and both programs end on their close.
# Usage: second-instance.sh TESVO_EXE FDSIM_EXE WORK_DIR
set -euo pipefail
tesvo=$1 fdsim=$2 work=$3
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all

fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits at most 30 s until FILE has N lines starting with PREFIX.
wait_lines() {
    for _ in $(seq 300); do
        [ "$(grep -ac "^$2" "$1" 2>/dev/null)" -ge "$3" ] && return 0
        sleep 0.1
    done
    fail "$1: fewer than $3 lines '$2'"
}

rm -rf "$work"
mkdir -p "$work/data"
cp "$tesvo" "$work/Tesvo.exe"
cp "$fdsim" "$work/fd.exe"
cp "$fdsim" "$work/probe.exe"
: > "$work/fdsim.ini" # no scenario: the stand-in only records

timeout 120 wine "$work/Tesvo.exe" &
first=$!
wait_lines "$work/fd-window.txt" window 1
timeout 120 wine "$work/Tesvo.exe" &
second=$!
wait_lines "$work/fd-window.txt" window 2

timeout 60 wine "$work/probe.exe" --probe-second || fail "probe failed"
wait "$first" || fail "the first Tesvo did not exit after its close"
wait "$second" || fail "the second Tesvo did not exit after its close"

out="$work/fd-second.txt"
cat "$out"
grep -aqx "windows 2" "$out" || fail "expected two Tesvo windows"
second_hwnd=$(grep -a '^window ' "$work/fd-window.txt" | sed -n '2s/.*hwnd=\([-0-9]*\).*/\1/p')
grep -aqx "fd_home $second_hwnd" "$out" || fail "fd_home does not name the second window"
[ "$(grep -ac '^reply .* new{|0|}$' "$out")" = 2 ] || fail "a window did not reply"
starts=$(grep -a '^act\[csh\]' "$work/fd-commands.txt")
[ "$(sed -n 1p <<< "$starts" | grep -o 'bd\[[0-9]*\]$')" = "bd[6002]" ] || fail "first start: $starts"
[ "$(sed -n 2p <<< "$starts" | grep -o 'bd\[[0-9]*\]$')" = "bd[6003]" ] || fail "second start: $starts"
echo "second instance end to end: ok"
