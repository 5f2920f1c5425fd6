#!/usr/bin/env bash
# Feeds the command-line month view schedule rows with numbers no dialog could write, one column at a
# time: every run must end within a few seconds with exit 0 or a clear error.
set -euo pipefail
suite="hostile numbers"
. "$(dirname "$0")/common.sh"

# A repeating entry from 2026/01/05 to the calendar's end; the type goes into column 16.
base=("0" "2026/01/05" "09:00" "2036/12/31" "10:00" "hostile" "1" "1" "0" "0" "0000FF" "" "1" "-1" "0" "0"
  "1" "5" "5" "1" "0" "" "0" "" "" "")
numeric=(0 6 7 8 9 10 12 13 14 15 16 17 18 19 22)
values=("2147483647" "-2147483648" "33554432" "99999999999999999999" "-1" "0")
runs=0
for type in 1 2 3 4 5; do
  for column in "${numeric[@]}"; do
    for value in "${values[@]}"; do
      fields=("${base[@]}")
      fields[16]=$type
      fields[$column]=$value
      row=$(printf '"%s",' "${fields[@]}")
      printf '"h"\r\n%s\r\n' "${row%,}" >"$work/h.klx"
      status=0
      timeout 5 "$cli" month "$work/h.klx" 2026-01 >"$work/out" 2>"$work/err" || status=$?
      case $status in
        0 | 1) ;;
        124) fail "type $type, column $column = $value: month did not end" ;;
        *) fail "type $type, column $column = $value: exit $status: $(cat "$work/err")" ;;
      esac
      if [ "$status" = 1 ] && [ ! -s "$work/err" ]; then
        fail "type $type, column $column = $value: failed without a message"
      fi
      runs=$((runs + 1))
    done
  done
done

# The huge intervals that used to wrap the date leave the first occurrence alone in its month.
for pair in "1 33554432" "2 33554432" "3 2147483647" "4 2147483647"; do
  read -r type interval <<<"$pair"
  fields=("${base[@]}")
  fields[16]=$type
  fields[19]=$interval
  row=$(printf '"%s",' "${fields[@]}")
  printf '"h"\r\n%s\r\n' "${row%,}" >"$work/h.klx"
  json=$(timeout 5 "$cli" month "$work/h.klx" 2026-01 --json) || fail "type $type, interval $interval"
  python3 - "$json" <<'PY' || fail "type $type, interval $interval: $json"
import json, sys
month = json.loads(sys.argv[1])
days = [cell["date"] for cell in month["cells"] if any(e["text"] == "hostile" for e in cell["entries"])]
assert days == ["2026/01/05"], days
PY
  runs=$((runs + 1))
done
echo "cli hostile numbers: $runs runs ended"
