#!/usr/bin/env bash
# Changes one day of a repeating schedule with the keyboard, in a real X server: on a daily series
# that shows today, Home, F6 to the day list, Enter on the series' row, Alt+O (this day only), a new
# text, Enter and Ctrl+S; the saved file then shows the new text on today alone and the old one on
# every other day of the series. Run under xvfb-run.
#   occurrence.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=occurrence
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

refocus() { xdotool windowfocus --sync "$window" 2>/dev/null || true; }
key() {
  xdotool key "$@"
  sleep 0.8
}
# The place of the entry titled $2 among the entries today's cell shows, from 0.
row_today() {
  "$cli" month "$1" "$(date +%Y-%m)" --json | python3 -c '
import json, sys, datetime
today, text = datetime.date.today().strftime("%Y/%m/%d"), sys.argv[1]
for cell in json.load(sys.stdin)["cells"]:
    if cell["date"] == today:
        print([e["text"] for e in cell["entries"]].index(text))' "$2"
}

# A schedule every day from three days ago to three days on: added, then made to repeat daily in
# the file itself, as the command line adds no repetition.
"$cli" new "$work/plan.klx" >/dev/null
"$cli" add "$work/plan.klx" "$(date -d '-3 day' +%F)" 'Daily class' >/dev/null || fail "the series was not added"
python3 - "$work/plan.klx" "$(date -d '+3 day' +%Y/%m/%d)" <<'PY' || fail "the series could not be made"
import csv, io, sys
path, end = sys.argv[1], sys.argv[2]
text = open(path, encoding="cp932", newline="").read()
out = []
for line in text.splitlines(keepends=True):
    if '"Daily class"' in line:
        body = line.rstrip("\r\n")
        fields = next(csv.reader([body]))
        fields[3], fields[16] = end, "1"
        line = ",".join('"' + f.replace('"', '""') + '"' for f in fields) + line[len(body):]
    out.append(line)
open(path, "w", encoding="cp932", newline="").write("".join(out))
PY
series=$(days_with "$work/plan.klx" 'Daily class')
[ "$(wc -w <<<"$series")" = 7 ] || fail "the series shows on [$series], expected seven days"
today=$(date +%Y/%m/%d)
row=$(row_today "$work/plan.klx" 'Daily class')

start_program "$work/plan.klx"
wait_title 'plan.klx - Zentrik Kalendra'
key Home
key F6
for _ in $(seq "$row"); do key Down; done
key Return
key alt+o
sleep 0.5
key ctrl+a
xdotool type --delay 20 'Daily class (room 2)'
key Return
refocus
wait_title 'plan.klx* - Zentrik Kalendra'
key ctrl+s
wait_title 'plan.klx - Zentrik Kalendra'

[ "$(days_with "$work/plan.klx" 'Daily class (room 2)')" = "$today" ] ||
  fail "the new text shows on [$(days_with "$work/plan.klx" 'Daily class (room 2)')], expected $today"
expected=$(tr ' ' '\n' <<<"$series" | grep -v "^$today\$" | tr '\n' ' ' | sed 's/ $//')
[ "$(days_with "$work/plan.klx" 'Daily class')" = "$expected" ] ||
  fail "the old text shows on [$(days_with "$work/plan.klx" 'Daily class')], expected $expected"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

# With the mouse: a schedule of today dragged to the same weekday a week on (or back, late in the
# month) moves there and nowhere else.
selected_cell() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -fill white +opaque 'rgb(0,0,128)' -format '%@' info: |
    sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\3 \4 \1 \2/'
}
"$cli" new "$work/drag.klx" >/dev/null
"$cli" add "$work/drag.klx" "$(date +%F)" 'Dentist' >/dev/null || fail "the entry to drag was not added"
if [ "$(date +%-d)" -le 14 ]; then week=1; else week=-1; fi
target=$(date -d "$((week * 7)) day" +%Y/%m/%d)
start_program "$work/drag.klx"
wait_title 'drag.klx - Zentrik Kalendra'
key Home
read -r left top width height <<<"$(selected_cell)"
[ "$width" -gt 20 ] && [ "$height" -gt 20 ] || fail "no selected day on screen ($width x $height)"
row=$(row_today "$work/drag.klx" 'Dentist')
# The day number is drawn at the foot of the cell, so entry lines begin at its top, one text line each.
x=$((left + width / 2))
y=$((top + 8 + row * 16))
xdotool mousemove "$x" "$y" mousedown 1
sleep 0.3
for step in 1 2 3 4 5 6; do
  xdotool mousemove "$x" $((y + week * step * height / 5))
  sleep 0.1
done
xdotool mousemove "$x" $((y + week * height))
sleep 0.3
import -window root "$out/e2e-drag.png"
xdotool mouseup 1
sleep 0.8
refocus
wait_title 'drag.klx* - Zentrik Kalendra'
key ctrl+s
wait_title 'drag.klx - Zentrik Kalendra'
[ "$(days_with "$work/drag.klx" 'Dentist')" = "$target" ] ||
  fail "the dragged entry shows on [$(days_with "$work/drag.klx" 'Dentist')], expected $target"
echo "occurrence e2e: 2 passed, 0 failed"
