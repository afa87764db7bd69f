#!/usr/bin/env bash
# Builds both presets and runs every test: natively, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset win32 >/dev/null
cmake --build --preset win32
export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
. scripts/xvfb.sh
tesvo_start_display
ctest --preset win32

# Sanitizers and fuzzing, natively.
bash scripts/hardening.sh
