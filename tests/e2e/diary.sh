#!/usr/bin/env bash
# Opens today's diary from the schedule menu in a real X server. The desktop's handler for text
# files is a fake editor, registered in the test's own data and config folders, that writes down
# what it was given. Checks that it got the new diary, that the diary starts with the day's heading
# in CP932, and that the day now carries the diary mark. Run under xvfb-run.
#   diary.sh KALENDRA KALENDRA-CLI OUTPUT-FOLDER
set -euo pipefail
program="$1"
cli="$2"
out="$3"
suite=diary
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

command -v xdg-open >/dev/null || fail "xdg-open is missing (xdg-utils)"
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME" "$work/bin"
cat >"$work/bin/fake-editor" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >"$work/editor-arguments"
SCRIPT
chmod +x "$work/bin/fake-editor"
cat >"$XDG_DATA_HOME/applications/kalendra-test-editor.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Kalendra test editor
Exec=$work/bin/fake-editor %f
MimeType=text/plain;
NoDisplay=true
ENTRY
printf '[Default Applications]\ntext/plain=kalendra-test-editor.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
printf '[View]\nDiary=1\n' >>"$KALENDRA_CONFIG"

"$cli" new "$work/plan.klx" >/dev/null
diary=$("$cli" diary "$work/plan.klx" "$(date +%F)")
[ "$diary" = "$HOME/Documents/$(date +%Y%m%d).TXT" ] || fail "diary path: $diary"
[ ! -e "$diary" ] || fail "the diary exists before it was opened"

"$program" "$work/plan.klx" >"$work/log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
sleep 1.5
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Home
sleep 0.5
import -window "$window" "$work/before.png"
# スケジュール(&S): Up from the first item wraps to the last; the diary is the fourth from the end.
xdotool key alt+s
sleep 0.5
xdotool key Up Up Up Up Return
for _ in $(seq 50); do [ -s "$work/editor-arguments" ] && break; sleep 0.1; done
[ -s "$work/editor-arguments" ] || fail "the editor was not started: $(cat "$work/log")"
[ "$(cat "$work/editor-arguments")" = "$diary" ] || fail "the editor got: $(cat "$work/editor-arguments")"

heading=$(python3 -c '
import datetime
d = datetime.date.today()
print("%d月 %d日(%s) " % (d.month, d.day, "月火水木金土日"[d.weekday()]))')
first=$(head -n 1 "$diary" | iconv -f CP932 -t UTF-8 | tr -d '\r')
[ "$first" = "$heading" ] || fail "first line: '$first', expected '$heading'"
[ "$(head -c 100 "$diary" | od -An -c | tr -d ' \n' | tail -c 4)" = '\r\n' ] || fail "no CR LF after the heading"

# The day's cell gains " [D]" after its number and nothing else changes.
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
import -window "$window" "$work/after.png"
import -window "$window" "$out/e2e-diary-mark.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 20 ] 2>/dev/null || fail "no mark drawn (pixels changed: $changed)"
box=$({ compare "$work/before.png" "$work/after.png" -compose src -highlight-color black -lowlight-color white \
  miff:- 2>/dev/null || true; } | convert - -fill white +opaque black -format '%@' info:)
width=${box%%x*}
[ "$width" -lt 80 ] || fail "more than a mark changed: $box"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
echo "$suite e2e: 1 passed, 0 failed"
