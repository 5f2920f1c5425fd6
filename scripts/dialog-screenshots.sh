#!/usr/bin/env bash
# Takes the pictures of the entry dialogs in docs/: the schedule dialog on a wide and on a tall
# screen, the repeat dialog and the date picker, each in a real X server of that screen's size.
#   scripts/dialog-screenshots.sh [BUILD-FOLDER]   (default build/test)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/test}"
program="$PWD/$build/kalendra"
cli="$PWD/$build/kalendra-cli"
docs="$PWD/docs"

shoot() { # SCREEN NAME KEYS... : opens the schedule dialog, presses the keys, photographs the newest window
  local screen="$1" name="$2"
  shift 2
  xvfb-run -a -s "-screen 0 ${screen}x24" bash -s "$program" "$cli" "$docs/$name" "$@" <<'SCRIPT'
set -euo pipefail
program="$1" cli="$2" picture="$3"
shift 3
work=$(mktemp -d)
export KALENDRA_CONFIG="$work/Kalendra.ini" HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run" TZ=Asia/Tokyo
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[System]\nHolidayChangeFlag1=1\n' >"$KALENDRA_CONFIG"
"$cli" new "$work/plan.klx" >/dev/null
"$program" "$work/plan.klx" >/dev/null 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Zentrik Kalendra$' | head -1)
sleep 1.5
xdotool windowfocus --sync "$window"
xdotool key Home ctrl+a
sleep 1
xdotool type --delay 20 '週次ミーティング'
for key in "$@"; do xdotool key "$key"; sleep 0.2; done
sleep 1
newest=$(xdotool getwindowfocus)
import -window "$newest" "$picture"
kill "$pid"
rm -rf "$work"
SCRIPT
  echo "$docs/$name"
}

shoot 1280x800 schedule-dialog-1280x800.png
shoot 480x640 schedule-dialog-480x640.png
tabs=(); for _ in $(seq 9); do tabs+=(Tab); done # content -> 繰り返し...
shoot 1280x800 repeat-dialog.png "${tabs[@]}" space Down Down
shoot 1280x800 date-picker.png shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
