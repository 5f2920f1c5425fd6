#!/usr/bin/env bash
# The reminders of a period as the reminder program sees them: lead times from the settings that made
# the entries, untimed entries at the settings' hour, repeats, and the JSON form scripts read.
#   alarms.sh KALENDRA-CLI
set -euo pipefail
suite=alarms
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

printf '[System]\nAlerm=10\n' >"$KALENDRA_CONFIG"
"$cli" new "$work/f.klx" >/dev/null
# A schedule that repeats daily through March at 07:00-07:30 with its alarm at the start.
{
  iconv -f CP932 -t UTF-8 "$work/f.klx"
  printf '"0","2026/03/01","07:00","2026/03/31","07:30","朝練","1","1","0","0","000000","","1","0","0","0","1","1","1","1","0","","0","","",""\n'
} | iconv -f UTF-8 -t CP932 >"$work/g.klx"
"$cli" convert "$work/g.klx" "$work/f.klx" >/dev/null
"$cli" add "$work/f.klx" 2026-03-05 10:00-11:30 会議 --place 本社 >/dev/null
"$cli" add "$work/f.klx" 2026-03-06 終日の用事 >/dev/null
"$cli" add "$work/f.klx" 2026-03-06 宿題 --todo >/dev/null # no time: no reminder

tab=$'\t'
expected="2026/03/05 07:00${tab}2026/03/05${tab}07:00-07:30 朝練${tab}
2026/03/05 09:50${tab}2026/03/05${tab}10:00-11:30 会議${tab}本社
2026/03/06 07:00${tab}2026/03/06${tab}07:00-07:30 朝練${tab}
2026/03/06 09:00${tab}2026/03/06${tab}終日の用事${tab}"
got=$("$cli" alarms "$work/f.klx" 2026-03-05 2026-03-06) || fail "alarms: exit $?"
[ "$got" = "$expected" ] || fail "alarms listed:
$got"
pass

# The hour of untimed reminders comes from the settings.
printf '[System]\nAlerm=10\n[Remind]\nUntimedTime=450\n' >"$KALENDRA_CONFIG"
got=$("$cli" alarms "$work/f.klx" 2026-03-06 2026-03-06 | cut -f1,3)
[ "$got" = "2026/03/06 07:00${tab}07:00-07:30 朝練
2026/03/06 07:30${tab}終日の用事" ] || fail "untimed at 07:30: $got"
pass

# JSON: one object per reminder, the due moment as seconds of the real clock.
"$cli" alarms "$work/f.klx" 2026-03-05 2026-03-05 --json >"$work/out.json" || fail "alarms --json"
/usr/bin/python3 - "$work/out.json" <<'PY' || fail "alarms --json: $(cat "$work/out.json")"
import json, sys, time, os
alarms = json.load(open(sys.argv[1], encoding="utf-8"))
assert [a["summary"] for a in alarms] == ["07:00-07:30 朝練", "10:00-11:30 会議"], alarms
meeting = alarms[1]
assert meeting["alarm"] == "2026-03-05T09:50" and meeting["day"] == "2026-03-05", meeting
assert meeting["place"] == "本社" and meeting["timed"] is True, meeting
assert time.strftime("%Y-%m-%dT%H:%M", time.localtime(meeting["due"])) == "2026-03-05T09:50", meeting
PY
pass

# Bad periods are refused with the usage or the date's message.
"$cli" alarms "$work/f.klx" 2026-03-05 >/dev/null 2>"$work/err" && fail "one date accepted"
grep -q "Usage: kalendra-cli alarms" "$work/err" || fail "no usage: $(cat "$work/err")"
"$cli" alarms "$work/f.klx" 2026-02-30 2026-03-01 >/dev/null 2>"$work/err" && fail "2026-02-30 accepted"
grep -q "is not a date" "$work/err" || fail "no date message: $(cat "$work/err")"
pass

echo "cli $suite: $passed passed"
