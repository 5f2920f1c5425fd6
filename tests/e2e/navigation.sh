#!/usr/bin/env bash
# Moves about the month as a desktop user does, in a real X server: Home, PageDown, the arrows and
# the mouse wheel move the selected day; F6 lends the keys to the list and Shift+F6 takes them back;
# a right-click on another day selects it and its pop-up menu adds a schedule there; Delete in the
# month view removes that day's entry once the question is answered Yes. Each result is saved and
# read back with kalendra-cli. Last, a second start with another file name opens that file in the
# running window, which first saves the change to its named file, as it does whenever it leaves one.
# Run under xvfb-run.
#   navigation.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=navigation
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

# The months the checks below look at, around today.
months_around="-1 0 1 2 3 4"

start_program() {
  "$program" "$1" >"$work/log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
  sleep 1.5
  refocus
}
# Without a window manager nothing gives the main window its focus back after a dialog.
refocus() { xdotool windowfocus --sync "$window" 2>/dev/null || true; }

# The selected day's cell on screen, as "LEFT TOP WIDTH HEIGHT": the one cell filled in the
# selection colour.
selected_cell() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -fill white +opaque 'rgb(0,0,128)' -format '%@' info: |
    sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\3 \4 \1 \2/'
}

"$cli" new "$work/plan.klx" >/dev/null
"$cli" new "$work/other.klx" >/dev/null
today=$(date +%Y/%m/%d)

start_program "$work/plan.klx"
# Home, a month on, two days right and a week down.
xdotool key Home
sleep 0.3
xdotool key Next Right Right Down
sleep 0.5
read -r left top width height <<<"$(selected_cell)"
[ "$width" -gt 20 ] && [ "$height" -gt 20 ] || fail "no selected day on screen ($width x $height)"
# The wheel over the month: a month on, two back, one on; each notch one month.
xdotool mousemove $((left + width / 2)) $((top + height / 2))
for button in 5 4 4 5; do
  xdotool click "$button"
  sleep 0.4
done
# F6 gives the keys to the list, where Down moves no day; Shift+F6 takes them back to the month,
# where Right does.
xdotool key F6
sleep 0.3
xdotool key Down
sleep 0.3
xdotool key shift+F6
sleep 0.3
xdotool key Right
sleep 0.3
xdotool key ctrl+a
sleep 1
xdotool type --delay 20 'Wheel day'
xdotool key Return
sleep 0.8
refocus

# The day the keys and the wheel reached; its neighbour in the same week that has no holiday (a
# holiday would be the first row, which Delete acts on).
busy=$(entries "$work/plan.klx" | cut -f1 | tr '\n' ' ')
read -r reached neighbour offset <<<"$(python3 - "$busy" <<'PY'
import calendar, datetime, sys
def month_step(day, n):
    y, m = divmod(day.year * 12 + day.month - 1 + n, 12)
    return datetime.date(y, m + 1, min(day.day, calendar.monthrange(y, m + 1)[1]))
day = month_step(datetime.date.today(), 1) + datetime.timedelta(days=9)
for n in (1, -1, -1, 1):
    day = month_step(day, n)
day += datetime.timedelta(days=1)
column = day.isoweekday() % 7  # weeks start on Sunday
busy = set(sys.argv[1].split())
for offset in (1, -1):
    near = day + datetime.timedelta(days=offset)
    if 0 <= column + offset <= 6 and near.strftime("%Y/%m/%d") not in busy:
        break
print(day.strftime("%Y/%m/%d"), near.strftime("%Y/%m/%d"), offset)
PY
)"
xdotool key ctrl+s
sleep 1
[ "$(days_with "$work/plan.klx" 'Wheel day')" = "$reached" ] ||
  fail "the keys and the wheel reached [$(days_with "$work/plan.klx" 'Wheel day')], expected $reached"

# A right-click on the neighbour selects it; the pop-up's first item adds a schedule there.
read -r left top width height <<<"$(selected_cell)"
xdotool mousemove $((left + width / 2 + offset * width)) $((top + height / 2)) click 3
sleep 0.8
import -window root "$out/e2e-popup.png"
xdotool key Down Return # スケジュールの追加
sleep 1
xdotool type --delay 20 'Popup day'
xdotool key Return
sleep 0.8
refocus
xdotool key ctrl+s
sleep 1
[ "$(days_with "$work/plan.klx" 'Popup day')" = "$neighbour" ] ||
  fail "the pop-up added on [$(days_with "$work/plan.klx" 'Popup day')], expected $neighbour"

# Delete in the month view removes the selected day's entry after the question.
xdotool key Delete
sleep 1
import -window root "$out/e2e-delete-question.png"
xdotool key Return # はい
sleep 0.8
refocus
xdotool key ctrl+s
sleep 1
[ -z "$(days_with "$work/plan.klx" 'Popup day')" ] || fail "Delete in the month view left the entry"
[ "$(days_with "$work/plan.klx" 'Wheel day')" = "$reached" ] || fail "Delete removed another day's entry"

# An unsaved change, then a second start with the other file: it hands over and ends; the running
# window saves the change and opens the other file.
xdotool key Home
sleep 0.3
xdotool key ctrl+a
sleep 1
xdotool type --delay 20 'Before the switch'
xdotool key Return
sleep 0.8
refocus
timeout 10 "$program" "$work/other.klx" || fail "the second start failed"
sleep 1
refocus
kill -0 "$pid" 2>/dev/null || fail "the running program ended"
xdotool key Home
sleep 0.3
xdotool key ctrl+a
sleep 1
xdotool type --delay 20 'In the other file'
xdotool key Return
sleep 0.8
refocus
xdotool key ctrl+s
sleep 1
[ "$(days_with "$work/plan.klx" 'Before the switch')" = "$today" ] || fail "the first file's change was not saved"
[ "$(days_with "$work/other.klx" 'In the other file')" = "$today" ] || fail "the other file was not opened"
[ -z "$(days_with "$work/plan.klx" 'In the other file')" ] || fail "the first file was written after the switch"
echo "navigation e2e: 5 passed, 0 failed"
