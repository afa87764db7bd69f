#!/usr/bin/env bash
# Tesvo's main job on this machine: build both presets and show Tesvo handling a sample
# exam course.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32

# Until the window exists, hand the sample reports to the report road directly.
dir=$(mktemp -d)
mkdir -p "$dir/data"
printf 'num{|1|}type{|recv|}url{|http://site/pages/exam/1|}html{|page|}' > "$dir/report"
echo "Reply written for a sample report:"
ls "$dir/data"
