#!/usr/bin/env bash
# End to end under Wine with reports of 1, 4 and 16 MiB: the course test's checks on a
# scenario of large exam pages (Wine passes a sent message's text on the receiver's stack).
# Usage: large-reports.sh TESVO_EXE FDSIM_EXE REPLAY_EXE WORK_DIR
set -euo pipefail
tesvo=$1 fdsim=$2 replay=$3 work=$4
course="$work-course"
rm -rf "$course"
mkdir -p "$course"
python3 - "$course" <<'PY'
import sys
folder = sys.argv[1]
line = '$("#q1").errormessage = "1、大页面的题目没有选择!";\r\n'
retake = '<a>重新考试</a><dd title=\'大页面的题目\'>·</dd>'
# 1 MiB: capture and retake; 4 MiB: retake again; 16 MiB: the certificate.
tails = [line + retake, retake, '<a>申请证书</a>']
for n, mib in enumerate([1, 4, 16], 1):
    filler = ('<p>填充文字 filler</p>' * ((mib << 20) // 22 + 1))[: mib << 20]
    html = '<html>' + filler + tails[n - 1]
    report = f'num{{|big{n}|}}type{{|recv|}}url{{|http://s/pages/exam/e|}}html{{|{html}|}}'
    open(f'{folder}/big{n}.txt', 'wb').write(report.encode('gbk'))
steps = ['report big1.txt', 'type 2 Q', 'report big2.txt', 'report big3.txt']
open(f'{folder}/course.scenario', 'w').write('\n'.join(steps) + '\n')
PY
exec bash "$(dirname "$0")/course.sh" "$tesvo" "$fdsim" "$replay" "$course" "$work"
