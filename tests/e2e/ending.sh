#!/usr/bin/env bash
# The system ending the program (SIGTERM) is a close nobody can answer: a titled document is saved,
# an untitled one is kept and offered back at the next start. Run under xvfb-run.
#   ending.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=ending
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

add_entry() {
  xdotool key Home
  sleep 0.3
  xdotool key ctrl+a
  sleep 1
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.8
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}

terminate() {
  kill -TERM "$pid"
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; pid=""; return 0; }
    sleep 0.2
  done
  import -window root "$out/e2e-ending-stuck.png"
  fail "the program did not end on SIGTERM"
}

# A titled document: saved as closing would save it.
"$cli" new "$work/a.klx" >/dev/null
start_program "$work/a.klx"
wait_title "a.klx - Zentrik Kalendra"
add_entry 'Kept at the end'
wait_title "a.klx* - Zentrik Kalendra"
terminate
"$cli" month "$work/a.klx" --json | grep -q 'Kept at the end' || fail "a.klx does not hold the entry"
[ ! -e "$XDG_DATA_HOME/kalendra/recovery.klx" ] || fail "a saved document left a recovery file"

# An untitled document: kept, and offered at the next start.
printf '[System]\nHolidayChangeFlag1=1\nInitFile=0\n' >"$KALENDRA_CONFIG"
start_program
wait_title "無題 - Zentrik Kalendra"
add_entry 'Nobody named me'
wait_title "無題* - Zentrik Kalendra"
terminate
[ -s "$XDG_DATA_HOME/kalendra/recovery.klx" ] || fail "no recovery file"
"$program" >>"$work/log" 2>&1 &
pid=$!
question=$(timeout 20 xdotool search --sync --name '^Zentrik Kalendra$' | head -1) || fail "nothing offered"
sleep 0.5
import -window root "$out/e2e-ending-offer.png"
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Return
window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
wait_title "無題* - Zentrik Kalendra"
[ ! -e "$XDG_DATA_HOME/kalendra/recovery.klx" ] || fail "the restored recovery file stayed"
terminate
"$cli" month "$XDG_DATA_HOME/kalendra/recovery.klx" --json | grep -q 'Nobody named me' \
  || fail "the restored work was not kept again"
echo "ending e2e: 1 passed, 0 failed"
