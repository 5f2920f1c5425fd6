#!/usr/bin/env bash
# The recent-file list in a real X server: a file opened from it becomes the document in full (its
# name in the title, the settings and the next start), and saving it asks nothing. Run under
# xvfb-run.
#   recent.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=recent
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

# 終了 is the File menu's last item; a question in the way would keep the program running.
quit_program() {
  xdotool key alt+f
  sleep 0.5
  xdotool key Up Return
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; pid=""; return 0; }
    sleep 0.2
  done
  import -window root "$out/e2e-recent-stuck.png"
  fail "the program did not end on 終了"
}

setting() { sed -n "s/^$1=//p" "$KALENDRA_CONFIG" | head -1; }

"$cli" new "$work/a.klx" >/dev/null
"$cli" new "$work/b.klx" >/dev/null

start_program "$work/a.klx"
wait_title "a.klx - Zentrik Kalendra"
quit_program
start_program "$work/b.klx"
wait_title "b.klx - Zentrik Kalendra"

# ファイル > "2 a.klx", a schedule on today, Ctrl+S.
xdotool key alt+f
sleep 0.5
xdotool key 2
wait_title "a.klx - Zentrik Kalendra"
xdotool key Home
sleep 0.3
xdotool key ctrl+a
sleep 1
xdotool type --delay 20 'From the recent list'
xdotool key Return
sleep 0.8
xdotool windowfocus --sync "$window" 2>/dev/null || true
wait_title "a.klx* - Zentrik Kalendra"
xdotool key ctrl+s
sleep 1
if xdotool search --name '^Zentrik Kalendra$' >/dev/null 2>&1; then
  import -window root "$out/e2e-recent-question.png"
  fail "saving asked a question"
fi
wait_title "a.klx - Zentrik Kalendra"
import -window root "$out/e2e-recent.png"
quit_program

"$cli" month "$work/a.klx" --json | grep -q 'From the recent list' || fail "a.klx does not hold the new entry"
if "$cli" month "$work/b.klx" --json | grep -q 'From the recent list'; then fail "b.klx got the entry"; fi
[ "$(setting File1)" = "$work/a.klx" ] || fail "File1 is '$(setting File1)'"
[ "$(setting File2)" = "$work/b.klx" ] || fail "File2 is '$(setting File2)'"
[ "$(setting DefaultFile)" = "$work/a.klx" ] || fail "DefaultFile is '$(setting DefaultFile)'"
echo "recent e2e: 1 passed, 0 failed"
