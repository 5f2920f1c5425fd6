#!/usr/bin/env bash
# The memo notebook and the options sheet from the keyboard, in a real X server: text typed into the
# notebook's page is in the file once saved, and the first option, turned off with Space and the sheet
# confirmed with Enter, is in the settings file.
# Run under xvfb-run.
#   notebook.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
suite=notebook
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

"$cli" new "$work/plan.klx" >/dev/null
"$program" "$work/plan.klx" >"$work/log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
sleep 1.5
xdotool windowfocus --sync "$window"

# ツール > メモ: the page's edit box has the keys; Tab leaves it for the sheet's OK.
xdotool key alt+t Down Return
sleep 1.5
xdotool type --delay 20 'e2e memo'
xdotool key Tab Return
sleep 0.5
xdotool key ctrl+s
sleep 1
"$cli" check "$work/plan.klx" | grep -qx 'memos: 1' || fail "the memo was not saved: $("$cli" check "$work/plan.klx")"

# ツール > その他の設定, above the three soft-key items: its first box has the keys.
xdotool key alt+t Up Up Up Up Return
sleep 1.5
xdotool key space Return
sleep 1
grep -qx 'SchSort=0' "$KALENDRA_CONFIG" || fail "the option was not stored: $(grep -n SchSort "$KALENDRA_CONFIG")"
echo "$suite e2e: 2 passed"
