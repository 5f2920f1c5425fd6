#!/usr/bin/env bash
# Runs the command-line program as a user would and checks what it prints and writes.
set -euo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KALENDRA_CONFIG="$work/Kalendra.ini"
passed=0
fail() { echo "FAIL: $*" >&2; echo "cli smoke: $passed passed, 1 failed"; exit 1; }
pass() { passed=$((passed + 1)); }

out=$("$cli" holidays 2026-09)
grep -q '2026年 9月' <<<"$out" || fail "title missing: $out"
grep -q '2026/09/21(月)' <<<"$out" || fail "Respect for the Aged Day missing: $out"
grep -q '2026/09/23(水)' <<<"$out" || fail "autumn equinox missing: $out"
# The citizens' holiday of 2026-09-22 is not a built-in rule; the month view generates it.
! grep -q '2026/09/22' <<<"$out" || fail "unexpected 09/22: $out"
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
head -c 3 "$work/new.klx" | iconv -f CP932 -t UTF-8 | grep -q '"区' || fail "not a CP932 schedule file"
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

echo "cli smoke: $passed passed, 0 failed"
