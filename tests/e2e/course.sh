#!/usr/bin/env bash
# End to end under Wine: the real Tesvo.exe with the stand-in interceptor as fd.exe plays
# the sample course; its transcript must equal tesvo-replay's, and the window, the control
# commands and the keyboard close must be right.
# Usage: course.sh TESVO_EXE FDSIM_EXE REPLAY_EXE COURSE_DIR WORK_DIR
set -euo pipefail
tesvo=$1 fdsim=$2 replay=$3 course=$4 work=$5
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_line() { grep -aqxF -- "$2" "$1" || { cat "$1" >&2; fail "$1 lacks: $2"; }; }

rm -rf "$work"
mkdir -p "$work/data"
cp "$tesvo" "$work/Tesvo.exe"
cp "$fdsim" "$work/fd.exe"
cp -r "$course" "$work/course"
printf 'scenario=course\\course.scenario\r\nfinish=ctrl+escape,escape\r\n' > "$work/fdsim.ini"

# Started from another folder: Tesvo must still run fd.exe in its own.
(cd / && timeout 120 wine "$work/Tesvo.exe") || fail "Tesvo.exe did not exit by itself (status $?)"
# The simulator outlives Tesvo by a moment: it records the exit commands and how the close went.
for _ in $(seq 200); do grep -aqx done "$work/fd-window.txt" 2>/dev/null && break; sleep 0.1; done
grep -aqx done "$work/fd-window.txt" || fail "the simulator did not finish"

# The window as the interceptor saw it: at (1, 1), 1020 x 182, topmost, shown.
read -r _ x y w h _ exstyle visible _ < <(grep -a '^window ' "$work/fd-window.txt")
[ "$x $y $w $h $visible" = "1 1 1020 182 visible=1" ] || fail "window: $x $y $w $h $visible"
(( 0x${exstyle#exstyle=} & 0x8 )) || fail "window not topmost: $exstyle"
controls=$(grep -a '^control ' "$work/fd-window.txt" | awk '{print $2, $3, $4, $5, $6}' | sort)
want=$(printf '%s\n' "Button 5 3 160 26" "Edit 37 32 976 120" "Edit 13 36 24 18" \
    "Edit 13 56 24 18" "Edit 13 75 24 18" "Edit 13 94 24 18" "Edit 13 114 24 18" | sort)
[ "$controls" = "$want" ] || fail "controls:
$controls"

# Ctrl+Escape leaves the window open; Escape closes it.
expect_line "$work/fd-window.txt" "after ctrl+escape: open"
expect_line "$work/fd-window.txt" "after escape: closed"

# The control commands, byte for byte: the start command with its bind port, then exactly
# two exit commands.
mapfile -t commands < "$work/fd-commands.txt"
[ "${#commands[@]}" = 3 ] || fail "commands: ${commands[*]}"
[[ "${commands[0]}" =~ ^act\[csh\]port\[7788\]arr_url\[\.[^],]+/pages/exam,\]arr_pid\[,\]size\[9000\]bd\[6002\]$ ]] ||
    fail "start command: ${commands[0]}"
[ "${commands[1]}" = "act[exit]" ] && [ "${commands[2]}" = "act[exit]" ] || fail "exit commands"

# The whole road against the offline replay of the same scenario.
mkdir -p "$work/replay-data"
timeout 60 wine "$replay" --data "$work/replay-data" "$work/course/course.scenario" |
    tr -d '\r' > "$work/replay.jsonl"
diff -u "$work/replay.jsonl" "$work/fd-transcript.jsonl" || fail "transcripts differ"
[ -s "$work/replay.jsonl" ] || fail "empty transcript"
echo "course end to end: ok ($(wc -l < "$work/fd-transcript.jsonl") steps)"
