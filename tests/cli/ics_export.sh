#!/usr/bin/env bash
# The iCalendar export read back by an independent reader (the icalendar module and dateutil's
# recurrence expansion): every kind of repeat rule must give exactly the days the month view shows
# over two years, in the zone the test runs in; UIDs stay put; --tz and --hidden do what they say.
#   ics_export.sh KALENDRA-CLI
set -euo pipefail
suite=ics_export
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
py=/usr/bin/python3

# Six weeks a month, so that every day of a month is in its own month's view.
printf '[View]\nMonthWeeks=6\n' >"$KALENDRA_CONFIG"
"$cli" new "$work/f.klx" >/dev/null
row() { # kind start-date start-time end-date end-time text start-timed end-timed hidden holiday type from to interval position months avoid exclusions
  printf '"%s","%s","%s","%s","%s","%s","%s","%s","%s","%s","000000","","1","-1","0","0","%s","%s","%s","%s","%s","%s","%s","%s","",""\n' "$@"
}
{
  iconv -f CP932 -t UTF-8 "$work/f.klx"
  row 0 2024/12/30 10:00 2026/12/31 11:00 毎3日 1 1 0 0 1 1 1 3 0 "" 0 ""
  row 0 2025/01/06 09:00 2026/12/31 09:30 毎週 1 1 0 0 2 1 1 1 0 "" 0 ""
  row 0 2025/01/08 19:00 2026/12/31 20:00 隔週 1 1 0 0 2 1 1 2 0 "" 0 ""
  row 0 2025/01/15 00:00 2026/12/31 00:00 毎月15日 0 0 0 0 3 15 15 1 0 "" 0 ""
  row 0 2025/01/11 08:00 2026/12/31 09:00 3か月毎10-12日 1 1 0 0 3 10 12 3 0 "" 0 ""
  row 0 2025/01/31 00:00 2026/12/31 00:00 毎月31日 0 0 0 0 3 31 31 1 0 "" 0 ""
  row 0 2025/01/31 00:00 2026/12/31 00:00 隔月31日 0 0 0 0 3 31 31 2 0 "" 0 ""
  row 0 2025/01/31 12:00 2036/12/31 13:00 月末 1 1 0 0 3 -1 -1 1 0 "" 0 ""
  row 0 2025/01/14 10:00 2026/12/31 11:00 第2火曜 1 1 0 0 3 14 14 1 2T "" 0 ""
  row 0 2025/01/31 00:00 2026/12/31 00:00 最終金曜 0 0 0 0 3 31 31 1 5F "" 0 ""
  row 0 2024/05/20 00:00 2036/12/31 00:00 毎年5月20日 0 0 0 0 4 20 20 1 0 "" 0 ""
  row 0 2024/02/29 00:00 2036/12/31 00:00 閏日 0 0 0 0 4 29 29 1 0 "" 0 ""
  row 0 2024/07/15 00:00 2036/12/31 00:00 7月第3月曜 0 0 0 0 4 15 15 1 3M 7 0 ""
  row 0 2025/03/06 18:00 2026/12/31 19:00 第1第3木曜 1 1 0 0 5 6 6 1 13H 3456789A 0 ""
  row 0 2025/01/05 00:00 2026/12/31 00:00 奇数月5日 0 0 0 0 5 5 5 1 0 1357 0 ""
  row 0 2025/01/30 00:00 2026/12/31 00:00 カスタム30日 0 0 0 0 5 30 30 1 0 "" 0 ""
  row 0 2025/01/01 07:00 2026/12/31 07:30 月初平日 1 1 0 0 3 1 1 1 0 "" 6 ""
  row 0 2025/01/01 00:00 2026/12/31 00:00 休日前日へ 0 0 0 0 1 1 1 2 0 "" 14 ""
  row 0 2025/01/01 06:00 2026/12/31 06:30 平日だけ 1 1 0 0 1 1 1 1 0 "" 22 ""
  row 0 2025/01/01 08:00 2026/12/31 08:15 除外あり 1 1 0 0 1 1 1 1 0 "" 0 "2025/03/05,2025/04/01～2025/04/10"
  row 0 2025/01/03 22:00 2026/12/31 02:00 夜勤 1 1 0 0 2 1 1 1 0 "" 0 ""
  row 0 2025/05/01 00:00 2025/05/03 00:00 連休の旅行 0 0 0 0 0 1 1 1 0 "" 0 ""
  row 0 2025/06/10 10:00 2025/06/10 12:00 面接 1 1 0 0 0 1 1 1 0 "" 0 ""
  row 0 2025/08/10 23:00 2025/08/12 00:00 夜行バス 1 0 0 0 0 1 1 1 0 "" 0 ""
  row 0 2025/09/01 00:00 2025/09/01 00:00 社の休日 0 0 0 1 0 1 1 1 0 "" 0 ""
  row 0 2025/10/01 09:00 2025/10/01 10:00 隠した予定 1 1 1 0 0 1 1 1 0 "" 0 ""
  row 0 2025/11/01 09:00 2025/11/01 10:00 二重 1 1 0 0 0 1 1 1 0 "" 0 ""
  row 0 2025/11/01 09:00 2025/11/01 10:00 二重 1 1 0 0 0 1 1 1 0 "" 0 ""
  printf '"1","2025/02/10","00:00","2025/02/12","09:30","済んだ宿題","0","0","0","2","000000","","1","-1","0","0","0","1","1","1","0","","0","","",""\n'
} | iconv -f UTF-8 -t CP932 >"$work/g.klx"
"$cli" convert "$work/g.klx" "$work/f.klx" >/dev/null
"$cli" add "$work/f.klx" 2025-02-20 レポート --todo >/dev/null

"$cli" export-ics "$work/f.klx" "$work/a.ics" >"$work/summary" || fail "export-ics: exit $?"
grep -q '^予定 .* 件 (繰り返し .* 件、うち規則で言い表せず日付の一覧で書いたもの .* 件)、ToDo 2 件、祝日 .* 件\( (うち自動で求めた祝日 .* 件)\)\{0,1\}を書き出しました。$' \
  "$work/summary" || fail "summary: $(cat "$work/summary")"
for month in 2025-{01..12} 2026-{01..12}; do
  "$cli" month "$work/f.klx" "$month" --json >"$work/month-$month.json"
done

# The days each text shows on: from the month view, and from the exported file as the reader expands it.
cat >"$work/days.py" <<'PY'
import datetime, glob, json, sys
import icalendar
from zoneinfo import ZoneInfo
from dateutil.rrule import rrulestr

FIRST, LAST = datetime.date(2025, 1, 1), datetime.date(2026, 12, 31)

def grid_days(folder):
    days = set()
    for name in glob.glob(folder + "/month-*.json"):
        for cell in json.load(open(name, encoding="utf-8"))["cells"]:
            if not cell["inMonth"]:
                continue
            day = datetime.date(*map(int, cell["date"].split("/")))
            days |= {(e["text"], day) for e in cell["entries"] if not e["todo"]}
    return days

def wall_clock(value, prop):
    # The reader's own zone objects keep one offset across clock changes: take the wall-clock value
    # the file wrote and give it a zone that knows its rules.
    if not isinstance(value, datetime.datetime):
        return datetime.datetime.combine(value, datetime.time())
    zone = prop.params.get("TZID") if prop is not None else None
    return value.replace(tzinfo=ZoneInfo(zone) if zone else None)

def as_date(value):
    return value if not isinstance(value, datetime.datetime) else value.date()

def component_days(component):
    text = str(component.get("SUMMARY"))
    if component.name == "VTODO":
        value = (component.get("DUE") or component.get("DTSTART")).dt
        return {(text, as_date(value))}
    start = component.get("DTSTART").dt
    if component.get("RRULE") is None and component.get("RDATE") is None:
        end = component.get("DTEND")
        last = as_date(start) if end is None else as_date(end.dt)
        # The end is exclusive: a date, or a midnight after the start's day, is not a day of it.
        if end is not None and (not isinstance(end.dt, datetime.datetime) or
                                (end.dt.time() == datetime.time(0) and last > as_date(start))):
            last -= datetime.timedelta(days=1)
        days, day = set(), as_date(start)
        while day <= last:
            days.add((text, day))
            day += datetime.timedelta(days=1)
        return days
    rule = component.get("RRULE")
    dtstart = wall_clock(start, component.get("DTSTART"))
    source = "RRULE:" + rule.to_ical().decode() if rule is not None else ""
    occurrences = rrulestr(source, dtstart=dtstart, forceset=True) if source else None
    if occurrences is None:
        from dateutil.rrule import rruleset
        occurrences = rruleset()
        occurrences.rdate(dtstart)
    for name, add in (("RDATE", occurrences.rdate), ("EXDATE", occurrences.exdate)):
        props = component.get(name)
        for prop in props if isinstance(props, list) else ([props] if props is not None else []):
            for value in prop.dts:
                add(wall_clock(value.dt, prop))
    return {(text, o.date()) for o in occurrences}

def ics_days(path):
    calendar = icalendar.Calendar.from_ical(open(path, "rb").read())
    days = set()
    for component in calendar.walk():
        if component.name == "VEVENT":
            days |= component_days(component)
    return {(t, d) for t, d in days if FIRST <= d <= LAST}

if __name__ == "__main__":
    folder, path = sys.argv[1], sys.argv[2]
    first = datetime.date.fromisoformat(sys.argv[3]) if len(sys.argv) > 3 else FIRST
    last = datetime.date.fromisoformat(sys.argv[4]) if len(sys.argv) > 4 else LAST
    # The hidden entry is left out of the export and has its own check.
    want = {(t, d) for t, d in grid_days(folder) if first <= d <= last and t != "隠した予定"}
    got = {(t, d) for t, d in ics_days(path) if first <= d <= last}
    for text in sorted({t for t, _ in want ^ got}):
        print(text, "missing", sorted(str(d) for t, d in want - got if t == text)[:5],
              "extra", sorted(str(d) for t, d in got - want if t == text)[:5])
    texts = {t for t, _ in want}
    print(len(texts), "texts,", len(want), "days")
    sys.exit(0 if want == got and len(texts) >= 20 else 1)
PY
$py "$work/days.py" "$work" "$work/a.ics" >"$work/diff" || fail "days differ in TZ=${TZ:-}:
$(cat "$work/diff")"
pass

# A period: every entry shown in it, repeating ones cut to it, the days the same within it; only
# entries wholly inside carry their own line back.
"$cli" export-ics "$work/f.klx" "$work/p.ics" 2025-06-01 2025-08-31 >/dev/null || fail "period export"
$py "$work/days.py" "$work" "$work/p.ics" 2025-06-01 2025-08-31 >"$work/diff" || fail "period days differ:
$(cat "$work/diff")"
$py - "$work/p.ics" <<'PY' || fail "period cut"
import datetime, sys, icalendar
events = {str(e["SUMMARY"]): e for e in icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read()).walk("VEVENT")}
assert "面接" in events and "連休の旅行" not in events, sorted(events)
weekly = events["毎週"]
assert weekly["DTSTART"].dt == datetime.datetime(2025, 6, 2, 9, 0), weekly["DTSTART"].dt
assert weekly["RRULE"]["UNTIL"][0] == datetime.datetime(2025, 8, 31, 23, 59, 59), weekly["RRULE"]
assert "X-KALENDRA-ENTRY" in events["面接"] and "X-KALENDRA-ENTRY" not in weekly
PY
pass

# To-dos by their deadline, done or not; the hidden entry only with --hidden.
$py - "$work/a.ics" <<'PY' || fail "to-dos or hidden"
import datetime, sys, icalendar
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
todos = {str(t["SUMMARY"]): t for t in calendar.walk("VTODO")}
assert todos["レポート"]["DUE"].dt == datetime.date(2025, 2, 20) and todos["レポート"]["STATUS"] == "NEEDS-ACTION"
done = todos["済んだ宿題"]
assert done["DUE"].dt == datetime.date(2025, 2, 10) and done["STATUS"] == "COMPLETED", done
assert done["COMPLETED"].dt.tzinfo is not None and done["PRIORITY"] == 3, done
assert "隠した予定" not in {str(e["SUMMARY"]) for e in calendar.walk("VEVENT")}
PY
"$cli" export-ics "$work/f.klx" "$work/h.ics" --hidden >/dev/null || fail "export --hidden"
grep -q '^SUMMARY:隠した予定' "$work/h.ics" && grep -q '^X-KALENDRA-HIDDEN:1' "$work/h.ics" \
  && grep -q '^CLASS:PRIVATE' "$work/h.ics" || fail "--hidden left the hidden entry out"
pass

# Exporting again gives the same UIDs; the two equal rows get UIDs of their own.
"$cli" export-ics "$work/f.klx" "$work/b.ics" >/dev/null || fail "second export"
uids() { grep '^UID:' "$1"; }
[ "$(uids "$work/a.ics")" = "$(uids "$work/b.ics")" ] || fail "UIDs changed between two exports"
[ "$(uids "$work/a.ics" | sort -u | wc -l)" = "$(uids "$work/a.ics" | wc -l)" ] || fail "a UID comes twice"
[ "$(grep -c '^SUMMARY:二重' "$work/a.ics")" = 2 ] || fail "the duplicated row is not there twice"
pass

# With a zone: TZID and its VTIMEZONE, the same wall-clock values and so the same days.
"$cli" export-ics "$work/f.klx" "$work/z.ics" --tz Europe/Berlin >/dev/null || fail "export --tz"
grep -q '^BEGIN:VTIMEZONE' "$work/z.ics" && grep -q '^TZID:Europe/Berlin' "$work/z.ics" || fail "no VTIMEZONE"
grep -q '^DTSTART;TZID=Europe/Berlin:20250106T090000' "$work/z.ics" || fail "zoned start not at 09:00"
$py "$work/days.py" "$work" "$work/z.ics" >"$work/diff" || fail "zoned days differ:
$(cat "$work/diff")"
"$cli" export-ics "$work/f.klx" "$work/x.ics" --tz Mars/Olympus >/dev/null 2>"$work/err" && fail "unknown zone taken"
[ ! -e "$work/x.ics" ] || fail "a file was written for an unknown zone"
pass

echo "cli $suite: $passed passed"
