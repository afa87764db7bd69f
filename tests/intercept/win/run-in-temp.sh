#!/bin/sh
# Runs the link test from a program directory of its own, beside the stand-in interceptor, and
# removes that directory afterwards whatever the outcome.
# Usage: run-in-temp.sh EMULATOR TEST_EXE STAND_IN_EXE [test arguments...]
set -eu
emulator=$1 test=$2 standin=$3
shift 3
dir=$(mktemp -d "${TMPDIR:-/tmp}/tesvo-link.XXXXXX")
trap 'rm -rf "$dir"' EXIT
cp "$test" "$dir/test_intercept_link.exe"
cp "$standin" "$dir/fd-standin.exe"
cd "$dir"
"$emulator" "$dir/test_intercept_link.exe" "$@"
