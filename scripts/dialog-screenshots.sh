#!/usr/bin/env bash
# Takes the pictures in docs/: the schedule dialog on a wide and on a tall screen, the repeat dialog,
# the date picker and the link-file dialog, the month view with a day's pop-up menu open, the day
# dialog, the font dialog, the genre settings, the options sheet, the memo notebook, the export
# dialog and the folder chooser of the diary folder, each in a real X server of that screen's size.
#   scripts/dialog-screenshots.sh [BUILD-FOLDER [PICTURE...]]   (default build/test, every picture)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/test}"
program="$PWD/$build/kalendra"
cli="$PWD/$build/kalendra-cli"
docs="$PWD/docs"
wanted=("${@:2}")
# True when the picture was asked for, or none was named.
wanted() { [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $1 "* ]]; }

shoot() { # SCREEN NAME KEYS... : opens the schedule dialog, presses the keys (type:TEXT types TEXT), photographs the newest window
  local screen="$1" name="$2"
  shift 2
  wanted "$name" || return 0
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
for key in "$@"; do
  case "$key" in
  type:*) xdotool type --delay 20 "${key#type:}" ;;
  *) xdotool key "$key" ;;
  esac
  sleep 0.2
done
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
tabs=(); for _ in $(seq 10); do tabs+=(Tab); done # content -> link -> ... -> 繰り返し...
shoot 1280x800 repeat-dialog.png "${tabs[@]}" space Down Down
shoot 1280x800 date-picker.png shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
shoot 1280x800 link-file-dialog.png Tab space type:議事録/週次ミーティング.txt

shoot_month() { # NAME WHAT : opens a sample week around today, then shows WHAT (popup, day or font)
  local name="$1" what="$2"
  wanted "$name" || return 0
  xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$program" "$cli" "$docs/$name" "$what" "$PWD" <<'SCRIPT'
set -euo pipefail
program="$1" cli="$2" picture="$3" what="$4" tree="$5"
work=$(mktemp -d)
export KALENDRA_CONFIG="$work/Kalendra.ini" HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run" TZ=Asia/Tokyo
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[System]\nHolidayChangeFlag1=1\n' >"$KALENDRA_CONFIG"
python3 "$tree/scripts/make_sample.py" "$work/sample.klx" "$(date +%F)" --template "$tree/data/kaldata.klx"
mkdir -p "$HOME/Documents/日記/2026" "$HOME/Documents/議事録" "$HOME/Documents/写真"
"$program" "$work/sample.klx" >/dev/null 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Zentrik Kalendra$' | head -1)
sleep 1.5
xdotool windowfocus --sync "$window"
xdotool key Home
sleep 0.5
case "$what" in
popup)
  # A right-click on the day after today, whose pop-up opens at the pointer; the picture is the
  # whole window with the menu over it.
  import -window root "$work/screen.png"
  read -r width height left top <<<"$(convert "$work/screen.png" -fill white +opaque 'rgb(0,0,128)' -format '%@' info: |
    sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\1 \2 \3 \4/')"
  xdotool mousemove $((left + width * 3 / 2)) $((top + height / 3)) click 3
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$picture"
  ;;
day)
  xdotool key Return # this day's schedule
  sleep 1
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
font)
  xdotool key alt+v f Return # 表示 > フォント > 年月
  sleep 1.5
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
genre)
  xdotool key alt+t w # ツール > ジャンル設定
  sleep 1.5
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
options)
  xdotool key alt+t Up Up Up Up Return # ツール > その他の設定, above the three soft-key items
  sleep 1.5
  xdotool key ctrl+Tab # its second page, with the genre presets
  sleep 0.5
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
memo)
  xdotool key alt+t Down Return # ツール > メモ
  sleep 1.5
  xdotool type --delay 20 '年末の買い物'
  sleep 0.5
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
export)
  xdotool key alt+f Down Down Down Down Down Down Down Return # ファイル > Outlook CSV エクスポート
  sleep 1.5
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
folder)
  xdotool key alt+t d # ツール > 日記のフォルダ, on the documents folder
  sleep 1
  xdotool key alt+r # 参照
  sleep 1.5
  xdotool key Right Down Down Right # open Documents, then its diary folder
  sleep 0.5
  import -window "$(xdotool getwindowfocus)" "$picture"
  ;;
esac
kill "$pid"
rm -rf "$work"
SCRIPT
  echo "$docs/$name"
}

shoot_month month-popup.png popup
shoot_month day-dialog.png day
shoot_month font-dialog.png font
shoot_month genre-dialog.png genre
shoot_month options-sheet.png options
shoot_month memo-notebook.png memo
shoot_month export-dialog.png export
shoot_month folder-chooser.png folder
