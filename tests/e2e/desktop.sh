#!/usr/bin/env bash
# Runs the desktop program in a real X server: it opens a generated file and shows its month, the
# selection moves with the keys, an entry is deleted from the day list and the file saved; a second
# start hands over to the first and ends. Run under xvfb-run.
#   desktop.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
here="$(cd "$(dirname "$0")/../.." && pwd)"
suite=desktop
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

today=$(date +%F)
python3 "$here/scripts/make_sample.py" "$work/sample.klx" "$today" --template "$here/data/kaldata.klx"
"$cli" check "$work/sample.klx" | grep -q '^dropped rows: 0$' || fail "the sample does not read cleanly"

"$program" "$work/sample.klx" >"$work/log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
sleep 1.5
xdotool windowfocus --sync "$window" 2>/dev/null || true

# Three days to the right, past the entry's day (the grid follows when the days run beyond it), so
# that the entry is drawn in its own colour rather than in the selection's white.
xdotool key --window "$window" Right Right Right
sleep 0.8
import -window root "$out/e2e-month.png"
green=$(convert "$out/e2e-month.png" -fuzz 4% -fill black +opaque 'rgb(0,192,0)' -fill white -opaque 'rgb(0,192,0)' \
  -format '%[fx:round(mean*w*h)]' info:)
[ "$green" -gt 10 ] || fail "the entry's green text is not on screen ($green pixels)"

# Back to the entry's day; into the list; delete the entry; save.
xdotool key --window "$window" Left
sleep 0.5
xdotool key --window "$window" ctrl+Right
sleep 0.5
xdotool key --window "$window" Delete
sleep 1
xdotool key Return
sleep 0.5
# Without a window manager nothing gives the window back its focus after the question.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" ctrl+s
sleep 1
import -window root "$out/e2e-after.png"

# A second start ends at once; the first one stays.
start=$(date +%s%N)
timeout 10 "$program" "$work/sample.klx" || fail "the second start failed"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$elapsed" -lt 5000 ] || fail "the second start took ${elapsed} ms"
kill -0 "$pid" 2>/dev/null || fail "the first program ended"

"$cli" month "$work/sample.klx" --json >"$work/after.json"
if grep -q 'E2E会議' "$work/after.json"; then fail "the deleted entry is still in the saved file"; fi
grep -q '定例会議' "$work/after.json" || fail "the saved file lost other entries"
echo "desktop e2e: 1 passed, 0 failed"
