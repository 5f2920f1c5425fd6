#!/usr/bin/env bash
# Dates and times of a file are the wall clock as written, whatever the machine's zone. A file with an
# entry at every half hour, and an untimed one, on every day on which one of eight zones changes its
# clocks from 2024 to 2027 converts to exactly its own bytes and shows the same months in each zone.
set -euo pipefail
suite="zones"
. "$(dirname "$0")/common.sh"

zones="Asia/Tokyo UTC Europe/Berlin America/New_York America/Santiago America/Havana Asia/Beirut Australia/Lord_Howe"
for zone in $zones; do
    [ -e "/usr/share/zoneinfo/$zone" ] || fail "no zone data for $zone: install tzdata"
done

TZ=UTC "$cli" new "$work/new.klx" || fail "new"
# The rows are written as the program writes them, so that a conversion that keeps every value gives
# the same bytes.
python3 - "$work/new.klx" "$work/in.klx" "$work/months" $zones <<'PY' || fail "making the file"
import sys
from datetime import date, datetime, timedelta, timezone
from zoneinfo import ZoneInfo

new_path, out_path, months_path, *zones = sys.argv[1:]

days = set()
for name in zones:
    zone = ZoneInfo(name)
    moment = datetime(2023, 12, 30, tzinfo=timezone.utc)
    offset = moment.astimezone(zone).utcoffset()
    while moment < datetime(2028, 1, 2, tzinfo=timezone.utc):
        later = moment + timedelta(hours=1)
        if later.astimezone(zone).utcoffset() != offset:
            offset = later.astimezone(zone).utcoffset()
            days.update(d for d in (moment.astimezone(zone).date(), later.astimezone(zone).date()) if 2024 <= d.year <= 2027)
        moment = later
assert len(days) > 40, days

def row(day, start, end, timed, subject):
    date = f"{day.year}/{day.month:02}/{day.day:02}"
    flag = "1" if timed else "0"
    return (f'"0","{date}","{start}","{date}","{end}","{subject}","{flag}","{flag}",'
            '"0","0","000000","","1","-1","0","0","0","1","1","1","0","","0","","",""\n')

rows = []
for day in sorted(days):
    rows.append(row(day, "00:00", "00:00", False, "終日"))
    for half in range(48):
        start = f"{half // 2:02}:{half % 2 * 30:02}"
        end = f"{(half + 1) // 2:02}:{(half + 1) % 2 * 30:02}" if half < 47 else "23:59"
        rows.append(row(day, start, end, True, f"予定{start}"))
open(out_path, "wb").write(open(new_path, "rb").read() + "".join(rows).encode("cp932"))
open(months_path, "w").write("\n".join(sorted({f"{d.year}-{d.month:02}" for d in days})) + "\n")
PY
pass

for zone in $zones; do
    city=${zone##*/}
    TZ=$zone "$cli" convert "$work/in.klx" "$work/out-$city.klx" || fail "convert in $zone"
    cmp "$work/in.klx" "$work/out-$city.klx" >&2 || fail "convert in $zone changed the file: $(diff <(iconv -f CP932 -t UTF-8 "$work/in.klx") <(iconv -f CP932 -t UTF-8 "$work/out-$city.klx") | head -5)"
    while read -r month; do
        TZ=$zone "$cli" month "$work/in.klx" "$month"
        TZ=$zone "$cli" month "$work/in.klx" "$month" --json
    done <"$work/months" >"$work/months-$city.txt" || fail "month in $zone"
    cmp "$work/months-Tokyo.txt" "$work/months-$city.txt" >&2 \
        || fail "months differ between Tokyo and $zone: $(diff "$work/months-Tokyo.txt" "$work/months-$city.txt" | head -5)"
done
pass
echo "cli $suite: $passed passed, 0 failed"
