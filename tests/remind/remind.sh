#!/usr/bin/env bash
# The reminder on a private session bus with a notification service of the test's own: a reminder
# missed before the start comes at once, an entry due shortly comes on time and once, one imported
# while the reminder runs comes too, a restart shows nothing again, and a missing service is waited for.
#   remind.sh KALENDRA-REMIND KALENDRA-CLI
set -euo pipefail
remind="$1"
cli="$2"
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "--- reminder's log" >&2; cat "$work"/remind*.log >&2 || true; exit 1; }

export KALENDRA_CONFIG="$work/Kalendra.ini"
export XDG_STATE_HOME="$work/state"
unset KALENDRA_PASSWORD
printf '[System]\nAlerm=0\n' >"$KALENDRA_CONFIG"

bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
pids+=("$(sed -n 2p <<<"$bus")")

log="$work/notifications.jsonl"
control="$work/control"
start_server() {
  /usr/bin/python3 "$here/notification_server.py" "$log" "$control" >"$work/server.out" 2>&1 &
  server=$!
  pids+=("$server")
  for _ in $(seq 50); do grep -q ready "$work/server.out" 2>/dev/null && return; sleep 0.1; done
  fail "the notification service did not start: $(cat "$work/server.out")"
}
start_reminder() {
  "$remind" ${2+"$2"} 2>>"$work/remind$1.log" &
  reminder=$!
  pids+=("$reminder")
}
count() { { grep -cF "\"summary\": \"$1\"" "$log" 2>/dev/null || true; } | head -1; }
total() { { wc -l <"$log" 2>/dev/null || echo 0; } | tr -d ' '; }
start_server

# The next whole minute at least 20 seconds away: entries have minutes, so their alarms fall on them.
now=$(date +%s)
due=$(( (now + 20 + 59) / 60 * 60 ))
day=$(date -d "@$due" +%F)
hm=$(date -d "@$due" +%H:%M)
missed=$(( due - 10 * 60 ))
"$cli" new "$work/f.klx" >/dev/null
"$cli" add "$work/f.klx" "$day" "$hm" 会議 --place 本社 >/dev/null
"$cli" add "$work/f.klx" "$(date -d "@$missed" +%F)" "$(date -d "@$missed" +%H:%M)" 朝礼 >/dev/null

start_reminder 1 "$work/f.klx"
sleep 2
[ "$(count "$(date -d "@$missed" +%H:%M) 朝礼")" = 1 ] || fail "the missed reminder was not shown once: $(cat "$log")"
[ "$(total)" = 1 ] || fail "more than the missed one shown early: $(cat "$log")"

# A second entry at the same minute, imported while the reminder runs.
end=$(date -d "@$((due + 1800))" +%H:%M:%S)
{
  printf '"件名","開始日","開始時刻","終了日","終了時刻","終日ｲﾍﾞﾝﾄ","ｱﾗｰﾑ ｵﾝ/ｵﾌ","ｱﾗｰﾑ日付","ｱﾗｰﾑ時刻","会議の開催者","必須出席者","任意出席者","ﾘｿｰｽ","ﾌﾟﾗｲﾍﾞｰﾄ","経費情報","公開する時間帯の種類","支払い条件","場所","内容","秘密度","分類","優先度"\r\n'
  printf '"打合せ","%s","%s:00","%s","%s","False","True","%s","%s:00","","","","","True","","2","","","","標準","","標準"\r\n' \
    "${day//-//}" "$hm" "${day//-//}" "$end" "${day//-//}" "$hm"
} | iconv -f UTF-8 -t CP932 >"$work/in.csv"
"$cli" import-csv "$work/f.klx" "$work/in.csv" | grep -qx 'added: 1' || fail "import-csv"
"$cli" alarms "$work/f.klx" "$day" "$day" | grep -qF "打合せ" || fail "the imported entry has no alarm"

while [ "$(date +%s)" -lt $((due + 4)) ]; do sleep 0.5; done
[ "$(count "$hm 会議")" = 1 ] || fail "会議 not shown once: $(cat "$log")"
[ "$(count "$hm-${end:0:5} 打合せ")" = 1 ] || fail "打合せ not shown once: $(cat "$log")"
/usr/bin/python3 - "$log" "$due" <<'PY' || fail "late or wrong notification"
import json, sys
due = int(sys.argv[2])
for line in open(sys.argv[1], encoding="utf-8"):
    n = json.loads(line)
    if n["summary"].endswith("会議"):
        assert 0 <= n["at"] - due < 3, f"shown {n['at'] - due:.2f} s after its time"
        assert n["body"] == "本社" and n["app"] == "Kalendra", n
        assert n["actions"] == ["open", "開く", "snooze", "5分後"], n
PY

# A restart, as at the next login, shows none of them again.
kill "$reminder"; wait "$reminder" 2>/dev/null || true
shown=$(total)
start_reminder 2 "$work/f.klx"
sleep 2
[ "$(total)" = "$shown" ] || fail "shown again after a restart: $(cat "$log")"
kill "$reminder"; wait "$reminder" 2>/dev/null || true

# A file with a password is never read: what the desktop program hands over on the bus is reminded.
printf '"h"\r\n"2","Mzor"\r\n"0","2005/07/03","09:00","2005/07/03","10:00","予定"\n' | iconv -f UTF-8 -t CP932 >"$work/p.klx"
start_reminder 4 "$work/p.klx"
sleep 1
grep -q "p.klx: .*read again when it changes" "$work/remind4.log" || fail "the protected file was read or not told"
handed="$(( $(date +%s) - 30 ))"$'\t'"1f2e"$'\t'"$(date +%F)"$'\t'"10:00 秘密の予定"$'\t'"別室"
dbus-send --session --print-reply --dest=io.github.kalendra.Reminder /io/github/kalendra/Reminder \
  io.github.kalendra.Reminder.SetAlarms string:"$work/p.klx" array:string:"$handed" >/dev/null || fail "SetAlarms"
for _ in $(seq 30); do [ "$(count "10:00 秘密の予定")" = 1 ] && break; sleep 0.1; done
[ "$(count "10:00 秘密の予定")" = 1 ] || fail "the handed reminder was not shown: $(cat "$log")"
kill "$reminder"; wait "$reminder" 2>/dev/null || true

# Given no file, it reminds of the one the settings name as last used, and follows when that changes.
recent=$(( $(date +%s) - 300 ))
for name in g h; do
  "$cli" new "$work/$name.klx" >/dev/null
  "$cli" add "$work/$name.klx" "$(date -d "@$recent" +%F)" "$(date -d "@$recent" +%H:%M)" "予定$name" >/dev/null
done
printf '[System]\nAlerm=0\nDefaultFile=%s\n' "$work/g.klx" >"$KALENDRA_CONFIG"
start_reminder 5
for _ in $(seq 30); do [ "$(count "$(date -d "@$recent" +%H:%M) 予定g")" = 1 ] && break; sleep 0.1; done
[ "$(count "$(date -d "@$recent" +%H:%M) 予定g")" = 1 ] || fail "the last used file was not reminded: $(cat "$log")"
printf '[System]\nAlerm=0\nDefaultFile=%s\n' "$work/h.klx" >"$KALENDRA_CONFIG.new"
mv "$KALENDRA_CONFIG.new" "$KALENDRA_CONFIG" # as the settings are saved: a new file renamed over the old
for _ in $(seq 30); do [ "$(count "$(date -d "@$recent" +%H:%M) 予定h")" = 1 ] && break; sleep 0.1; done
[ "$(count "$(date -d "@$recent" +%H:%M) 予定h")" = 1 ] || fail "the newly used file was not followed: $(cat "$log")"
kill "$reminder"; wait "$reminder" 2>/dev/null || true
printf '[System]\nAlerm=0\n' >"$KALENDRA_CONFIG"

# Without a notification service the reminder says so once, keeps running, and shows what came due
# as soon as a service appears.
kill "$server"; wait "$server" 2>/dev/null || true
late=$(( $(date +%s) - 120 ))
"$cli" add "$work/f.klx" "$(date -d "@$late" +%F)" "$(date -d "@$late" +%H:%M)" 電話 >/dev/null
start_reminder 3 "$work/f.klx"
sleep 2
kill -0 "$reminder" 2>/dev/null || fail "the reminder ended without a notification service"
[ "$(grep -c 'no notification shown' "$work/remind3.log")" = 1 ] || fail "the missing service was not told once"
start_server
for _ in $(seq 40); do [ "$(count "$(date -d "@$late" +%H:%M) 電話")" = 1 ] && break; sleep 0.1; done
[ "$(count "$(date -d "@$late" +%H:%M) 電話")" = 1 ] || fail "not shown when the service came: $(cat "$log")"
echo "remind: passed"
