#!/usr/bin/env bash
# Tesvo's main job: build both presets, then run the real Tesvo.exe under Wine with the
# stand-in interceptor as fd.exe playing the sample course, slowly enough to watch, and save
# a screenshot of the window after each step.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Tesvo fdsim

run=$(mktemp -d /tmp/tesvo-demo.XXXXXX)
shots="$run/screenshots"
mkdir -p "$run/app/data" "$shots"
cp build/win32/Tesvo.exe "$run/app/Tesvo.exe"
cp build/win32/tools/fdsim.exe "$run/app/fd.exe"
cp -r samples/course "$run/app/course"
printf 'scenario=course\\course.scenario\r\npause=1500\r\nfinish=escape\r\n' > "$run/app/fdsim.ini"

export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
. scripts/xvfb.sh
tesvo_start_display

echo "Starting Tesvo.exe on display $DISPLAY (the interceptor stand-in plays samples/course)..."
wine "$run/app/Tesvo.exe" &
tesvo=$!

# One screenshot of the window's corner of the screen after each step of the course.
transcript="$run/app/fd-transcript.jsonl"
taken=0
while kill -0 "$tesvo" 2>/dev/null; do
    steps=$( [ -f "$transcript" ] && wc -l < "$transcript" || echo 0)
    if [ "$steps" -gt "$taken" ]; then
        taken=$steps
        sleep 0.3
        import -display "$DISPLAY" -window root -crop 1030x195+0+0 +repage \
            "$shots/step-$(printf '%02d' "$taken").png" 2>/dev/null || true
        sed -n "${taken}p" "$transcript"
    fi
    sleep 0.1
done
wait "$tesvo" || true

echo
echo "Control commands Tesvo sent to the interceptor:"
cat "$run/app/fd-commands.txt"
echo
echo "Screenshots of the window after each step: $shots"
ls "$shots"
