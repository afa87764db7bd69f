#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzz target for SECONDS (default 60), one after the
# other, at low priority. Usage: bash scripts/fuzz.sh [SECONDS] [TARGET...]
# New inputs collect in build/fuzz/corpus/TARGET; a crash or a broken invariant stops the run
# and leaves its input in build/fuzz/artifacts/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
((${#targets[@]})) || targets=(find_text parse dispatch lines_ending)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

for t in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$t artifacts=build/fuzz/artifacts/$t log=build/fuzz/$t.log
    mkdir -p "$corpus" "$artifacts"
    dict=()
    [[ $t == find_text ]] || dict=(-dict=fuzz/dict/report.dict)
    echo "fuzz $t for ${seconds}s"
    # -timeout: a report that takes seconds is a finding too.
    if ! nice -n 19 "build/fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${dict[@]}" \
        "$corpus" "fuzz/corpus/$t" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz $t: FAILED (input in $artifacts/, log in $log)" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$log" | tr '\n' ' '
    echo
done
