# Set-up shared by the end-to-end scripts, sourced after they set `suite` (the name their summary
# line carries). Everything the program writes goes to a fresh folder, `$work`, removed on exit
# together with the program whose process id the script keeps in `$pid`.
work=$(mktemp -d)
export KALENDRA_CONFIG="$work/Kalendra.ini" HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run" TZ=Asia/Tokyo
# These scripts drive a real X server: a platform inherited from the caller (offscreen in a test
# shell) would show no window to send keys to.
export QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[System]\nHolidayChangeFlag1=1\n' >"$KALENDRA_CONFIG"
pid=""
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "$suite e2e: 0 passed, 1 failed"; exit 1; }

# For the scripts that follow the main window: `$window` once started, its title waited for.
wait_title() {
  for _ in $(seq 50); do
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ] && return 0
    sleep 0.2
  done
  fail "the title is '$(xdotool getwindowname "$window" 2>/dev/null)', expected '$1'"
}

# Starts the program with the given arguments and waits for its window.
start_program() {
  "$program" "$@" >>"$work/log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --name ' - Zentrik Kalendra$' | head -1) || fail "no window"
  sleep 1.5
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# Every entry of the months around today as "YYYY/MM/DD<TAB>text" lines, read with the command line
# `$cli`; `$months_around` names the months as offsets from this one (the one before to the one after
# unless a script says otherwise).
entries() {
  for m in ${months_around:--1 0 1}; do
    "$cli" month "$1" "$(date -d "$(date +%Y-%m-15) $(printf '%+d' "$m") month" +%Y-%m)" --json
  done | python3 -c '
import json, sys
decoder, data, i = json.JSONDecoder(), sys.stdin.read(), 0
while i < len(data):
    if data[i].isspace():
        i += 1
        continue
    month, i = decoder.raw_decode(data, i)
    for cell in month["cells"]:
        for entry in cell["entries"]:
            print(cell["date"] + "\t" + entry["text"])' | sort -u
}
# The days, in order, on which an entry titled $2 shows.
days_with() { entries "$1" | awk -F '\t' -v text="$2" '$2 == text { print $1 }' | tr '\n' ' ' | sed 's/ $//'; }
