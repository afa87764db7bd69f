#!/usr/bin/env bash
# Soak of the real program under Wine: the stand-in interceptor sends N reports (default
# 10000) of a fixed mix to Tesvo.exe and samples its resource use every 1000 reports.
# Passes when every reply file was right, Tesvo was alive to the end and closed on Escape,
# and its resource use stayed flat after the first 1000 reports (the bounds are below).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
count=${1:-10000}

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Tesvo fdsim

run=$(mktemp -d /tmp/tesvo-soak.XXXXXX)
mkdir -p "$run/data"
cp build/win32/Tesvo.exe "$run/Tesvo.exe"
cp build/win32/tools/fdsim.exe "$run/fd.exe"
printf 'soak=%s\r\nfinish=escape\r\n' "$count" > "$run/fdsim.ini"

export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
. scripts/xvfb.sh
tesvo_start_display

start=$(date +%s)
timeout 3600 wine "$run/Tesvo.exe" || { echo "FAIL: Tesvo.exe did not end normally"; exit 1; }
for _ in $(seq 200); do grep -aqx done "$run/fd-window.txt" 2>/dev/null && break; sleep 0.1; done
echo "soak of $count reports took $(( $(date +%s) - start )) s"
cat "$run/fd-soak.txt"

fail() { echo "FAIL: $*"; exit 1; }
grep -aqx "soak reports=$count bad_replies=0 alive=1" "$run/fd-soak.txt" || fail "replies or liveness"
grep -aqx "after escape: closed" "$run/fd-window.txt" || fail "Escape did not close Tesvo"

# Flat after warm-up: from the sample at 1000 reports to the last one, private bytes may grow
# by at most 8 MiB (a leak of 1 KiB a report would be 9 MiB over 9000 reports, while heap
# growth from the 4 MiB pages settles within the first thousand), GDI and USER object counts
# must not change, and the handle count may move by at most 8 (Wine's own bookkeeping).
first=$(grep -a '^at 1000 ' "$run/fd-soak.txt") || fail "no sample at 1000"
last=$(grep -a '^at ' "$run/fd-soak.txt" | tail -n 1)
value() { sed -n "s/.* $2=\([0-9]*\).*/\1/p" <<< "$1"; }
dp=$(( $(value "$last" private) - $(value "$first" private) ))
dh=$(( $(value "$last" handles) - $(value "$first" handles) ))
echo "after warm-up: private bytes ${dp:+$dp} B, handles $dh"
(( dp <= 8 * 1024 * 1024 )) || fail "private bytes grew by $dp"
[ "$(value "$last" gdi)" = "$(value "$first" gdi)" ] || fail "GDI objects changed"
[ "$(value "$last" user)" = "$(value "$first" user)" ] || fail "USER objects changed"
(( dh <= 8 && dh >= -8 )) || fail "handles moved by $dh"
echo "soak passed"
