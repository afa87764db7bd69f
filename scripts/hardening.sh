#!/usr/bin/env bash
# The native tests under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz build:
# its tests, and every fuzz target for FUZZ_SECONDS (default 20) each. Run by test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# The fuzz build's own tests: its GBK literals, and every target once over its seeds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
