#!/usr/bin/env bash
# End to end under Wine: with no fd.exe beside Tesvo.exe, the failure message box appears
# before the window, with its text and caption; once answered, the window shows at (1, 1),
# and the program exits after the close. A report sent while the box is up is replied to.
# Usage: no-interceptor.sh TESVO_EXE FDSIM_EXE WORK_DIR
set -euo pipefail
tesvo=$1 fdsim=$2 work=$3
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/data"
cp "$tesvo" "$work/Tesvo.exe"
cp "$fdsim" "$work/probe.exe"

timeout 120 wine "$work/Tesvo.exe" &
tesvo_pid=$!
timeout 60 wine "$work/probe.exe" --probe-msgbox || fail "probe failed"
wait "$tesvo_pid" || fail "Tesvo.exe did not exit after the close (status $?)"

out="$work/fd-msgbox.txt"
text=$(printf '初始化失败，请检查原因' | iconv -f UTF-8 -t GBK)
grep -aqxF "text $text" "$out" || { cat "$out" >&2; fail "message text"; }
grep -aqxF "tesvo visible while box up: 0" "$out" || fail "window shown before the box was answered"
grep -aqxF "tesvo at 1 1" "$out" || fail "window not at (1, 1): $(grep 'tesvo at' "$out")"
[ "$(grep -ac '^button ' "$out")" = 2 ] || fail "expected Yes and No buttons"
grep -aqxF 'reply during box: new{|0|}' "$out" || fail "no reply to a report sent while the box was up"
echo "no interceptor end to end: ok"
