#!/usr/bin/env bash
# Adds entries the way a user does, with the keyboard only, in a real X server: a schedule and a
# to-do on today, then a weekly schedule with one day excluded through the repeat and exclusion
# dialogs; each time the file is saved and its months are read back with kalendra-cli. Run under
# xvfb-run.
#   entries.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=entries
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

# Days (YYYY/MM/DD) of the months from this one on whose cells hold an entry with the given text.
days_with() {
  local text="$1" months="$2"
  for m in $(seq 0 $((months - 1))); do
    "$cli" month "$work/plan.klx" "$(date -d "$(date +%Y-%m-01) +$m month" +%Y-%m)" --json
  done | python3 -c '
import json, sys
text, seen, decoder, data, i = sys.argv[1], set(), json.JSONDecoder(), sys.stdin.read(), 0
while i < len(data):
    if data[i].isspace():
        i += 1
        continue
    month, i = decoder.raw_decode(data, i)
    seen.update(c["date"] for c in month["cells"] if any(e["text"] == text for e in c["entries"]))
print(" ".join(sorted(seen)))' "$text"
}

start_program() {
  "$program" "$work/plan.klx" >"$work/log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
  sleep 1.5
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# Without a window manager nothing gives the main window its focus back after a dialog.
refocus() { xdotool windowfocus --sync "$window" 2>/dev/null || true; }

stop_program() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""; }

"$cli" new "$work/plan.klx" >/dev/null
today=$(date +%Y/%m/%d)

# A schedule and a to-do on today: Home, Ctrl+A, type, Enter; Ctrl+T, type, Enter; Ctrl+S.
start_program
xdotool key Home
sleep 0.3
xdotool key ctrl+a
sleep 1
xdotool type --delay 20 'Lunch with Sato'
import -window root "$out/e2e-schedule-dialog.png"
xdotool key Return
sleep 0.8
refocus
xdotool key ctrl+t
sleep 1
xdotool type --delay 20 'Write the report'
xdotool key Return
sleep 0.8
refocus
xdotool key ctrl+s
sleep 1
stop_program
[ "$(days_with 'Lunch with Sato' 1)" = "$today" ] || fail "the schedule is not on today's cell"
[ "$(days_with 'Write the report' 1)" = "$today" ] || fail "the to-do is not on today's cell"

# A weekly schedule from today for eight weeks without the day a week from now. The content field
# has the focus; four fields back is the end date, fourteen on (past the link button) the repeat
# button, and the exclusion button follows it.
end=$(date -d '+8 weeks' +%Y/%m/%d)
skipped=$(date -d '+1 week' +%Y/%m/%d)
start_program
xdotool key Home
sleep 0.3
xdotool key ctrl+a
sleep 1
xdotool type --delay 20 'Weekly review'
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a
xdotool type --delay 20 "$end"
for _ in $(seq 14); do xdotool key Tab; done
xdotool key space # 繰り返し...
sleep 1
xdotool key Down Down # なし -> 週指定, on today's weekday
import -window root "$out/e2e-repeat-dialog.png"
xdotool key Return
sleep 1
xdotool key Tab space # 除外日...
sleep 1
xdotool key alt+a # 1日追加
sleep 1
xdotool key ctrl+a
xdotool type --delay 20 "$skipped"
xdotool key Return
sleep 1
xdotool key Return # the list has the focus: the exclusion dialog's OK
sleep 1
xdotool key Tab Tab Tab Tab space # past 回避日, ｱﾗｰﾑ and 詳細 to OK
sleep 1
refocus
xdotool key ctrl+s
sleep 1
import -window root "$out/e2e-weekly.png"
stop_program
expected=$(python3 -c '
import datetime
today = datetime.date.today()
print(" ".join(sorted((today + datetime.timedelta(weeks=k)).strftime("%Y/%m/%d") for k in range(9) if k != 1)))')
actual=$(days_with 'Weekly review' 3)
[ "$actual" = "$expected" ] || fail "the weekly schedule is on [$actual], expected [$expected]"
echo "entries e2e: 2 passed, 0 failed"
