#!/usr/bin/env bash
# Adds periods to an iCalendar file and to a real CalDAV server (Radicale on the loopback address),
# then reads what arrived with an iCalendar reader of its own.
set -euo pipefail
suite="calendar"
. "$(dirname "$0")/common.sh"
# Debian's own Python, which the packages below install into.
py=/usr/bin/python3
if ! "$py" -c 'import radicale, icalendar' 2>/dev/null; then
  echo "cli calendar: radicale or python3-icalendar missing (scripts/install-deps.sh installs them)"
  exit 77
fi
unset KALENDRA_CALDAV_PASSWORD

# Two entries from a CSV on top of the template's holidays; the period also holds the spring equinox.
header='"件名","開始日","開始時刻","終了日","終了時刻","終日ｲﾍﾞﾝﾄ","ｱﾗｰﾑ ｵﾝ/ｵﾌ","ｱﾗｰﾑ日付","ｱﾗｰﾑ時刻","会議の開催者","必須出席者","任意出席者","ﾘｿｰｽ","ﾌﾟﾗｲﾍﾞｰﾄ","経費情報","公開する時間帯の種類","支払い条件","場所","内容","秘密度","分類","優先度"'
{
  printf '%s\r\n' "$header"
  printf '"定例 ""A"" 会議","2026/03/10","9:00:00","2026/03/10","10:30:00","False","True","2026/03/10","7:30:00","","","","","True","","2","","本社","","標準","","標準"\r\n'
  printf '"旅行","2026/03/20","0:00:00","2026/03/23","0:00:00","True","False","2026/03/20","0:00:00","","","","","True","","2","","","","標準","","標準"\r\n'
} | iconv -f UTF-8 -t CP932 >"$work/in.csv"
"$cli" new "$work/x.klx" >/dev/null || fail "new"
"$cli" import-csv "$work/x.klx" "$work/in.csv" >/dev/null || fail "import"
# The meeting, the trip (shown on three days, added once) and the equinox the month grid makes.
expected=3

# The file store: created with its folder, filled once, nothing added the second time.
ics="$work/cal/calendar.ics"
[ "$("$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-22 --store "$ics")" = "added: $expected" ] \
  || fail "first add to the file"
[ "$("$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-22 --store "$ics")" = "added: 0" ] \
  || fail "second add to the file"
# A file that cannot be written when the link ends keeps nothing of the add, which fails and says so
# rather than counting: a file size limit stops the write whoever runs the test.
cp "$ics" "$work/before.ics"
if (trap '' XFSZ; ulimit -f 1; "$cli" add-to-calendar "$work/x.klx" 2026-04-29 2026-05-06 --store "$ics") \
  >"$work/out" 2>"$work/err"; then fail "an unwritten calendar file reported as added"; fi
[ "$(cat "$work/err")" = "kalendra-cli: カレンダーファイルに書き込めませんでした。追加した予定は保存されていません。
ファイルが大きすぎます。" ] || fail "unwritten calendar file not told: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "unwritten calendar file counted: $(cat "$work/out")"
cmp -s "$ics" "$work/before.ics" || fail "unwritten calendar file changed"
pass

# What another program reads: all-day events as dates with the day after as end, the meeting at
# 09:00 local time with its alarm 90 minutes before.
check_events() {
  "$py" - "$expected" "$@" <<'PY' || fail "read back: $*"
import sys, datetime, icalendar
expected = int(sys.argv[1])
events = []
for path in sys.argv[2:]:
    with open(path, 'rb') as f:
        events += [c for c in icalendar.Calendar.from_ical(f.read()).walk('VEVENT')]
assert len(events) == expected, len(events)
by = {str(e['SUMMARY']): e for e in events}
assert set(by) == {'定例 "A" 会議', '旅行', '春分の日'}, set(by)
assert by['春分の日'].decoded('DTSTART') == datetime.date(2026, 3, 20)
trip = by['旅行']
assert trip.decoded('DTSTART') == datetime.date(2026, 3, 20), trip.decoded('DTSTART')
assert trip.decoded('DTEND') == datetime.date(2026, 3, 23), trip.decoded('DTEND')
meeting = by['定例 "A" 会議']
start = meeting.decoded('DTSTART').astimezone()
assert (start.date(), start.hour, start.minute) == (datetime.date(2026, 3, 10), 9, 0), start
assert meeting.decoded('DTEND').astimezone().hour == 10
assert str(meeting['LOCATION']) == '本社'
alarms = meeting.walk('VALARM')
assert len(alarms) == 1 and alarms[0].decoded('TRIGGER') == datetime.timedelta(minutes=-90), alarms
assert str(meeting['CLASS']) == 'PUBLIC'
for e in events:
    assert e.get('UID') and e.get('DTSTAMP'), e
PY
}
check_events "$ics"
pass

# A Radicale server of the test's own, with one user.
port=$("$py" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'alice:secret\nbob:other\n' >"$work/users"
cat >"$work/radicale.conf" <<CONF
[server]
hosts = 127.0.0.1:$port
[auth]
type = htpasswd
htpasswd_filename = $work/users
htpasswd_encryption = plain
[storage]
filesystem_folder = $work/collections
[rights]
type = owner_only
[logging]
level = warning
CONF
"$py" -m radicale --config "$work/radicale.conf" 2>"$work/radicale.log" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
base="http://127.0.0.1:$port"
for _ in $(seq 100); do
  curl -s -o /dev/null "$base/" && break
  sleep 0.1
done
status=$(curl -s -o /dev/null -w '%{http_code}' -u alice:secret -X MKCALENDAR "$base/alice/calendar/")
[ "$status" = 201 ] || fail "calendar not made: $status $(cat "$work/radicale.log")"

url="$base/alice/calendar/"
out=$(KALENDRA_CALDAV_PASSWORD=secret "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-22 --store "$url" --user alice) \
  || fail "first add to the server: $out"
[ "$out" = "added: $expected" ] || fail "first add to the server: $out"
out=$(KALENDRA_CALDAV_PASSWORD=secret "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-22 --store "$url" --user alice)
[ "$out" = "added: 0" ] || fail "second add to the server: $out"
check_events "$work"/collections/collection-root/alice/calendar/*.ics
pass

# A wrong password is a failed log-on; a missing calendar, a collection that is no calendar, another
# user's calendar and a stopped server say what went wrong.
if KALENDRA_CALDAV_PASSWORD=wrong "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-09 --store "$url" \
  --user alice >/dev/null 2>"$work/err"; then fail "wrong password accepted"; fi
grep -q 'kalendra-cli: カレンダーのサーバーにログオンできませんでした（Logon Failed）。' "$work/err" || fail "wrong password not told: $(cat "$work/err")"
if KALENDRA_CALDAV_PASSWORD=secret "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-09 \
  --store "$base/alice/missing/" --user alice >/dev/null 2>"$work/err"; then fail "missing calendar accepted"; fi
grep -q '404' "$work/err" || fail "missing calendar not told: $(cat "$work/err")"
if KALENDRA_CALDAV_PASSWORD=secret "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-09 --store "$base/alice/" \
  --user alice >/dev/null 2>"$work/err"; then fail "the user's own collection taken for a calendar"; fi
grep -q 'カレンダーではありません' "$work/err" || fail "no calendar not told: $(cat "$work/err")"
if KALENDRA_CALDAV_PASSWORD=other "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-09 --store "$url" \
  --user bob >/dev/null 2>"$work/err"; then fail "another user's calendar accepted"; fi
grep -q '403' "$work/err" || fail "refusal not told: $(cat "$work/err")"
kill "$server"
wait "$server" 2>/dev/null || true
if KALENDRA_CALDAV_PASSWORD=secret "$cli" add-to-calendar "$work/x.klx" 2026-03-09 2026-03-09 --store "$url" \
  --user alice >/dev/null 2>"$work/err"; then fail "stopped server accepted"; fi
grep -q 'kalendra-cli: カレンダーを開けませんでした（CoCreateInstance Failed）。' "$work/err" || fail "stopped server not told: $(cat "$work/err")"
pass

echo "cli calendar: $passed passed, 0 failed"
