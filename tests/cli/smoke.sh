#!/usr/bin/env bash
# Runs the command-line program as a user would and checks what it prints and writes.
set -euo pipefail
suite="smoke"
. "$(dirname "$0")/common.sh"

out=$("$cli" holidays 2026-09)
grep -q '2026年 9月' <<<"$out" || fail "title missing: $out"
grep -q '2026/09/21(月)' <<<"$out" || fail "Respect for the Aged Day missing: $out"
grep -q '2026/09/23(水)' <<<"$out" || fail "autumn equinox missing: $out"
grep -q '2026/09/22(火)' <<<"$out" || fail "citizens' holiday missing: $out"
if "$cli" holidays 2037-01 2>/dev/null; then fail "2037 accepted"; fi
if "$cli" nonsense 2>/dev/null; then fail "unknown command accepted"; fi
"$cli" --help | grep -q 'convert IN.klx OUT.klx' || fail "--help"
pass

# A new file holds the holidays; converting it changes nothing.
"$cli" new "$work/new.klx" || fail "new"
"$cli" convert "$work/new.klx" "$work/copy.klx" || fail "convert"
cmp -s "$work/new.klx" "$work/copy.klx" || fail "convert changed a new file"
report=$("$cli" check "$work/new.klx")
grep -q '^entries: [1-9]' <<<"$report" || fail "no entries: $report"
grep -q '^  holidays: [1-9]' <<<"$report" || fail "no holidays: $report"
grep -q '^genres: 1$' <<<"$report" || fail "genres: $report"
grep -q '^dropped rows: 0$' <<<"$report" || fail "dropped: $report"
# Checking only reports: settings that loading a file would record are left as they were.
printf '[View]\nYoubi=1\n' >"$work/check.ini"
cp "$work/check.ini" "$work/check-before.ini"
KALENDRA_CONFIG="$work/check.ini" "$cli" check "$work/new.klx" >/dev/null || fail "check with fresh settings"
cmp -s "$work/check.ini" "$work/check-before.ini" || fail "check changed the settings: $(cat "$work/check.ini")"
head -c 3 "$work/new.klx" | iconv -f CP932 -t UTF-8 | grep -q '"区' || fail "not a CP932 schedule file"
pass

# Rows that cannot be read are warned about when a conversion leaves them out.
{ cat "$work/new.klx"; printf '"0","2005/07/03"\n'; } >"$work/damaged.klx"
"$cli" convert "$work/damaged.klx" "$work/repaired.klx" 2>"$work/err" || fail "convert of a damaged file"
grep -q 'damaged.klx: unreadable rows left out of .*repaired.klx: 1 (lines' "$work/err" || fail "no warning: $(cat "$work/err")"
"$cli" convert "$work/new.klx" "$work/copy.klx" 2>"$work/err" || fail "convert"
[ ! -s "$work/err" ] || fail "warning for a sound file: $(cat "$work/err")"
pass

# The month as the month view fills it, as JSON.
json=$("$cli" month "$work/new.klx" 2026-09 --json)
python3 - "$json" <<'PY' || fail "month --json: $json"
import json, sys
month = json.loads(sys.argv[1])
assert (month["year"], month["month"], month["weeks"]) == (2026, 9, 5), month
cells = {cell["date"]: cell for cell in month["cells"]}
assert len(month["cells"]) == 35
assert month["cells"][0]["date"] == "2026/08/30" and not month["cells"][0]["inMonth"]
assert month["cells"][0]["colour"] == "E0E0E0" and cells["2026/09/01"]["colour"] == "FFFFFF"
def holidays(date):
    return [(e["text"], e["generated"]) for e in cells[date]["entries"] if e["holiday"]]
assert holidays("2026/09/21") == [("敬老の日", False)], holidays("2026/09/21")
assert holidays("2026/09/22") == [("国民の休日", True)]
assert holidays("2026/09/23") == [("秋分の日", True)]
assert holidays("2026/09/24") == []
PY
"$cli" month "$work/new.klx" 2026-05 | grep -q '振替休日' || fail "plain month without the substitute holiday"
if "$cli" month "$work/new.klx" 2026-13 2>/dev/null; then fail "month 13 accepted"; fi
pass

# Failures are told and give a non-zero exit.
if "$cli" check "$work/none.klx" 2>"$work/err"; then fail "missing file accepted"; fi
grep -q 'ファイルが開けません' "$work/err" || fail "no message for a missing file: $(cat "$work/err")"
if "$cli" new "$work/no/such/folder.klx" 2>"$work/err"; then fail "unwritable path accepted"; fi
grep -q '書き込みファイルが開けません' "$work/err" || fail "no message for a failed save"
if "$cli" convert "$work/new.klx" 2>/dev/null; then fail "missing argument accepted"; fi
pass

# A protected file opens only with its password.
printf '"h"\r\n"2","Mzor"\r\n"0","2005/07/03","09:00","2005/07/03","10:00","予定"\n' | iconv -f UTF-8 -t CP932 >"$work/p.klx"
if "$cli" check "$work/p.klx" </dev/null 2>/dev/null; then fail "opened without the password"; fi
if "$cli" --password wrong check "$work/p.klx" 2>/dev/null; then fail "opened with a wrong password"; fi
"$cli" --password Pass check "$work/p.klx" | grep -q '^password: yes' || fail "right password refused"
pass

# The password can also come from standard input or the environment, out of the process list; a
# wrong one is told as such.
"$cli" --help | grep -q -- '--password-stdin' || fail "--help without --password-stdin"
"$cli" --help | grep -q 'KALENDRA_PASSWORD' || fail "--help without KALENDRA_PASSWORD"
printf 'Pass\n' | "$cli" --password-stdin check "$work/p.klx" | grep -q '^password: yes' || fail "password from stdin"
printf 'Pass\r\n' | "$cli" --password-stdin check "$work/p.klx" | grep -q '^password: yes' || fail "CR LF on stdin"
KALENDRA_PASSWORD=Pass "$cli" check "$work/p.klx" </dev/null | grep -q '^password: yes' || fail "password from env"
KALENDRA_PASSWORD=wrong "$cli" --password Pass check "$work/p.klx" | grep -q '^password: yes' || fail "--password first"
for way in stdin env option; do
  status=0
  case $way in
    stdin) printf 'wrong\n' | "$cli" --password-stdin check "$work/p.klx" >/dev/null 2>"$work/err" || status=$? ;;
    env) KALENDRA_PASSWORD=wrong "$cli" check "$work/p.klx" </dev/null >/dev/null 2>"$work/err" || status=$? ;;
    option) "$cli" --password wrong check "$work/p.klx" >/dev/null 2>"$work/err" || status=$? ;;
  esac
  [ "$status" = 1 ] || fail "wrong password by $way: exit $status"
  grep -q 'パスワードが違います' "$work/err" || fail "wrong password by $way not told: $(cat "$work/err")"
done
if "$cli" --password-stdin check "$work/p.klx" </dev/null 2>/dev/null; then fail "empty stdin accepted"; fi
if "$cli" --password-stdin --password Pass check "$work/p.klx" </dev/null 2>/dev/null; then fail "two passwords"; fi
pass

echo "cli smoke: $passed passed, 0 failed"
