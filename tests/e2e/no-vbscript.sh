#!/usr/bin/env bash
# End to end under Wine where VBScript is gone: in a Wine prefix of its own with the
# VBScript.RegExp class unregistered, Tesvo.exe (on its PCRE2 fallback) plays the sample
# course through course.sh and must record the very transcript the course expects.
# Usage: no-vbscript.sh TESVO_EXE FDSIM_EXE REPLAY_EXE COURSE_DIR WORK_DIR PREFIX_DIR
# The prefix is made once (about 10 s) and kept for later runs.
set -euo pipefail
tesvo=$1 fdsim=$2 replay=$3 course=$4 work=$5 prefix=$(realpath -m "$6")
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEPREFIX=$prefix
here=$(dirname "$0")
regexp_clsid='{3F4DACA4-160D-11D2-A8E9-00104B365C9F}'

fail() { echo "FAIL: $*" >&2; exit 1; }
trap 'timeout 30 wineserver -k 2>/dev/null || true' EXIT

if [ ! -f "$prefix/system.reg" ]; then
    # Without Mono and Gecko, so that no installer dialog waits on the display.
    WINEDLLOVERRIDES='mscoree,mshtml=' timeout 120 wineboot -i >/dev/null 2>&1 ||
        fail "cannot create the prefix $prefix"
fi
# Every time: Wine registers its DLLs again when it updates a prefix after an upgrade.
for key in 'HKCR\VBScript.RegExp' "HKCR\\CLSID\\$regexp_clsid"; do
    timeout 60 wine reg delete "$key" /f >/dev/null 2>&1 || true
    ! timeout 60 wine reg query "$key" >/dev/null 2>&1 || fail "$key is still registered"
done

bash "$here/course.sh" "$tesvo" "$fdsim" "$replay" "$course" "$work"
# course.sh compared it with tesvo-replay in the same prefix, on the same fallback; the
# course's expected transcript is also what tesvo-replay gives on VBScript.RegExp (the
# replay_course test).
diff -u "$course/course.expected.jsonl" "$work/fd-transcript.jsonl" ||
    fail "the transcript differs from the course's"
echo "course without VBScript.RegExp: ok"
