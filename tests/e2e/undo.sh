#!/usr/bin/env bash
# Undo and redo with the keyboard in a real X server: a schedule and a to-do are added and an entry
# deleted, then three undos give back the file as it was, byte for byte, and one redo brings back
# only the schedule. The title's asterisk follows whether there is anything to save at every step.
# Run under xvfb-run.
#   undo.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=undo
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

refocus() { xdotool windowfocus --sync "$window" 2>/dev/null || true; }
key() {
  xdotool key "$@"
  sleep 0.8
}
utf8() { iconv -f CP932 -t UTF-8 "$1"; }
# The rows the saved file has and the original lacks, and the other way round.
difference() { diff <(utf8 "$work/original.klx") <(utf8 "$work/plan.klx") || true; }
added_rows() { difference | sed -n 's/^> //p'; }
removed_rows() { difference | sed -n 's/^< //p'; }

# The first day from today without a holiday, whose only entry is the one to delete: an all-day
# schedule stored before the new ones, so that it is the day list's first row (and never a repeating
# holiday, which would ask another question).
offset=0
"$cli" new "$work/plan.klx" >/dev/null
while [ -n "$("$cli" agenda "$work/plan.klx" "$(date -d "+$offset day" +%F)")" ]; do offset=$((offset + 1)); done
day=$(date -d "+$offset day" +%F)
"$cli" add "$work/plan.klx" "$day" 'Stand-up' || fail "the entry to delete was not added"
cp "$work/plan.klx" "$work/original.klx"
clean='plan.klx - Zentrik Kalendra'
dirty='plan.klx* - Zentrik Kalendra'

start_program "$work/plan.klx"
wait_title "$clean"
key Home
for _ in $(seq "$offset"); do key Right; done

key ctrl+a
xdotool type --delay 20 'Lunch with Sato'
key Return
refocus
wait_title "$dirty"
key ctrl+t
xdotool type --delay 20 'Write the report'
key Return
refocus
wait_title "$dirty"
# The day list's first row, after the question's はい.
key ctrl+Right
key Delete
key Return
refocus
wait_title "$dirty"

key ctrl+z
wait_title "$dirty"
# The Edit menu after the first undo: it names what the next undo and redo would take.
key alt+e
import -window root "$out/e2e-undo.png"
key Escape
refocus
key ctrl+z
wait_title "$dirty"
key ctrl+z
wait_title "$clean"
key ctrl+s
wait_title "$clean"
cmp -s "$work/plan.klx" "$work/original.klx" || fail "three undos did not give back the file: $(added_rows) / $(removed_rows)"

key ctrl+y
wait_title "$dirty"
key ctrl+s
wait_title "$clean"
[ -z "$(removed_rows)" ] || fail "the redo took rows away: $(removed_rows)"
added=$(added_rows)
[ "$(wc -l <<<"$added")" = 1 ] && grep -q ',"Lunch with Sato",' <<<"$added" ||
  fail "the redo did not bring back the schedule alone: $(added_rows)"

# The two other changes come back in turn: the to-do, then the deletion.
key ctrl+shift+z
key ctrl+y
wait_title "$dirty"
key ctrl+s
wait_title "$clean"
added=$(added_rows)
[ "$(wc -l <<<"$added")" = 2 ] && grep -q ',"Write the report",' <<<"$added" ||
  fail "the second redo did not bring back the to-do: $(added_rows)"
removed=$(removed_rows)
[ "$(wc -l <<<"$removed")" = 1 ] && grep -q ',"Stand-up",' <<<"$removed" ||
  fail "the third redo did not delete the entry: $removed"
echo "undo e2e: 1 passed, 0 failed"
