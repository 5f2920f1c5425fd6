#!/bin/bash
# import-ics: an iCalendar file's events join a schedule file once, shown on this machine's clock (the
# test runs in Asia/Tokyo); a second import and a bad file leave the schedule file's bytes as they were.
set -euo pipefail
suite=ics_import
source "$(dirname "$0")/common.sh"
data="$(dirname "$0")/../data/ics"

"$cli" new "$work/x.klx" || fail "new"
report=$("$cli" import-ics "$work/x.klx" "$data/webcalendar_utc.ics") || fail "import-ics"
[ "$report" = '予定 5 件 (繰り返し 3 件、うち除外日つき 1 件)、ToDo 0 件を読み込みました。ジャンルを 1 個加えました。' ] \
    || fail "report: $report"
agenda=$("$cli" agenda "$work/x.klx" 2026-04-15 2026-05-03)
[ "$agenda" = $'04/15 10:00 ～11:00 歯医者\n04/29 昭和の日\n05/02 旅行\n05/03 憲法記念日\n05/03 旅行' ] || fail "agenda: $agenda"
pass

before=$(md5sum < "$work/x.klx")
report=$("$cli" import-ics "$work/x.klx" "$data/webcalendar_utc.ics") || fail "second import-ics"
[ "$report" = '予定 0 件、ToDo 0 件を読み込みました。重複のため 5 件を除きました。' ] || fail "second report: $report"
[ "$(md5sum < "$work/x.klx")" = "$before" ] || fail "a second import changed the file"
pass

printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART:20260310T100000\r\nSUMMARY:a\r\nNO VALUE HERE\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' > "$work/broken.ics"
printf 'Subject,Start Date\r\n会議,2026/03/10\r\n' > "$work/not.ics"
for bad in broken:壊れた行 not:'iCalendar 形式のデータではありません' missing:missing.ics; do
    name=${bad%%:*}
    if "$cli" import-ics "$work/x.klx" "$work/$name.ics" > /dev/null 2> "$work/err"; then fail "$name.ics accepted"; fi
    grep -qF -- "${bad#*:}" "$work/err" || fail "$name.ics refused without saying why: $(cat "$work/err")"
    [ "$(md5sum < "$work/x.klx")" = "$before" ] || fail "$name.ics changed the file"
done
pass

echo "cli $suite: $passed passed, 0 failed"
