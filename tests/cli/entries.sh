#!/usr/bin/env bash
# Adding and deleting single entries: what the commands write, how the read commands then show the
# day, and that bad input is refused with a message and the file left byte for byte as it was.
#   entries.sh KALENDRA-CLI
set -euo pipefail
suite=entries
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

# Settings away from their defaults: the alarm lead time and the time display go into new entries,
# and to-dos show on their deadline day.
printf '[View]\nTodoPos=1\nViewTime=1\n[System]\nAlerm=10\n' >"$KALENDRA_CONFIG"
utf8() { iconv -f CP932 -t UTF-8 "$1"; }
# The file's rows that `after` has and `before` lacks, in UTF-8.
added_rows() { diff <(utf8 "$1") <(utf8 "$2") | sed -n 's/^> //p'; }
removed_rows() { diff <(utf8 "$1") <(utf8 "$2") | sed -n 's/^< //p'; }

# A second genre, and a schedule that repeats daily through March at 07:00-07:30.
"$cli" new "$work/made.klx" >/dev/null
{
  utf8 "$work/made.klx" | sed '/^"5",/a "5","仕事","1","FF0000",""'
  printf '"0","2026/03/01","07:00","2026/03/31","07:30","朝練","1","1","0","0","000000","","1","0","0","0","1","1","1","1","0","","0","","",""\n'
} | iconv -f UTF-8 -t CP932 >"$work/made2.klx"
"$cli" convert "$work/made2.klx" "$work/start.klx" >/dev/null
cp "$work/start.klx" "$work/f.klx"

# Each addition: the arguments, then the row it must add (as the desktop's dialog writes it at its
# defaults with these values typed), then the line the agenda shows for 2026-03-05.
while IFS='|' read -r arguments row line; do
  cp "$work/f.klx" "$work/before.klx"
  eval "set -- $arguments"
  "$cli" add "$work/f.klx" "$@" >"$work/out" 2>"$work/err" || fail "add $arguments: $(cat "$work/err")"
  [ "$(added_rows "$work/before.klx" "$work/f.klx")" = "$row" ] \
    || fail "add $arguments wrote: $(added_rows "$work/before.klx" "$work/f.klx")"
  [ -z "$(removed_rows "$work/before.klx" "$work/f.klx")" ] || fail "add $arguments changed other rows"
  "$cli" agenda "$work/f.klx" 2026-03-05 | grep -qxF "$line" || fail "add $arguments: no '$line' in the agenda"
  pass
done <<'CASES'
2026-03-05 10:00-11:30 会議 --place 本社 --genre 1|"0","2026/03/05","10:00","2026/03/05","11:30","会議","1","1","0","0","FF0000","","1","10","1","1","0","5","5","1","0","","0","","本社",""|03/05 10:00 ～11:30 会議
2026-03-05 09:00 朝会|"0","2026/03/05","09:00","2026/03/05","00:00","朝会","1","0","0","0","000000","","1","10","0","1","0","5","5","1","0","","0","","",""|03/05 09:00 朝会
2026-03-05 '終日 の予定'|"0","2026/03/05","00:00","2026/03/05","00:00","終日 の予定","0","0","0","0","000000","","1","10","0","1","0","5","5","1","0","","0","","",""|03/05 終日 の予定
2026-03-05 報告書 --todo --place 図書館|"1","2026/03/05","00:00","","","報告書","0","0","0","1","000000","","0","-1","0","0","0","","","","","","","","図書館",""|Todo：報告書
CASES

# The day as the month view shows it: holidays, untimed, then timed entries by time.
"$cli" month "$work/f.klx" 2026-03 | sed -n '/^2026\/03\/05/,/^2026\/03\/06/p' | head -6 >"$work/day"
grep -q '報告書' "$work/day" && grep -q '会議' "$work/day" && grep -q '朝練' "$work/day" \
  || fail "the month view lacks the new entries: $(cat "$work/day")"
pass

# Deleting a one-off entry takes its row out; deleting a day of a repeating one adds that day to its
# exclusions and leaves its other days.
cp "$work/f.klx" "$work/before.klx"
"$cli" delete "$work/f.klx" 2026-03-05 朝会 >"$work/out" || fail "delete a one-off entry"
grep -qx 'deleted: 1' "$work/out" || fail "delete report: $(cat "$work/out")"
[ "$(removed_rows "$work/before.klx" "$work/f.klx")" = '"0","2026/03/05","09:00","2026/03/05","00:00","朝会","1","0","0","0","000000","","1","10","0","1","0","5","5","1","0","","0","","",""' ] \
  || fail "delete removed: $(removed_rows "$work/before.klx" "$work/f.klx")"
[ -z "$(added_rows "$work/before.klx" "$work/f.klx")" ] || fail "delete added rows"
pass
cp "$work/f.klx" "$work/before.klx"
"$cli" delete "$work/f.klx" 2026-03-10 朝練 >"$work/out" || fail "delete a day of a repeating entry"
grep -qx 'excluded from their repetition: 1' "$work/out" || fail "delete report: $(cat "$work/out")"
[ "$(added_rows "$work/before.klx" "$work/f.klx")" = '"0","2026/03/01","07:00","2026/03/31","07:30","朝練","1","1","0","0","000000","","1","0","0","0","1","1","1","1","0","","0","2026/03/10","",""' ] \
  || fail "the repeating entry became: $(added_rows "$work/before.klx" "$work/f.klx")"
[ "$("$cli" agenda "$work/f.klx" 2026-03-09 2026-03-11 | grep -c 朝練)" = 2 ] || fail "other days of the repetition went"
if "$cli" agenda "$work/f.klx" 2026-03-10 | grep -q 朝練; then fail "the deleted day still shows"; fi
pass

# Every entry of the text shown that day goes, in one change; the same text on another day stays.
"$cli" add "$work/f.klx" 2026-03-20 重複 && "$cli" add "$work/f.klx" 2026-03-20 12:00 重複 && "$cli" add "$work/f.klx" 2026-03-21 重複
"$cli" delete "$work/f.klx" 2026-03-20 重複 | grep -qx 'deleted: 2' || fail "both entries of the day not deleted"
[ "$("$cli" agenda "$work/f.klx" 2026-03-19 2026-03-22 | grep -c 重複)" = 1 ] || fail "the other day's entry went"
pass

# Refused input: the exit code, a word of the message, and the file untouched.
cp "$work/f.klx" "$work/before.klx"
while IFS='|' read -r code message arguments; do
  eval "set -- $arguments"
  status=0
  "$cli" "$@" >/dev/null 2>"$work/err" </dev/null || status=$?
  [ "$status" = "$code" ] || fail "$arguments: exit $status, not $code"
  grep -qF -- "$message" "$work/err" || fail "$arguments: no '$message' in: $(cat "$work/err")"
  cmp -s "$work/f.klx" "$work/before.klx" || fail "$arguments changed the file"
  pass
done <<CASES
2|is not a date|add "$work/f.klx" 2026-02-30 予定
2|is not a date|add "$work/f.klx" 2037-01-01 予定
2|is not a date|add "$work/f.klx" 1971-12-31 予定
2|is not a time|add "$work/f.klx" 2026-03-05 25:00 予定
2|is not a time|add "$work/f.klx" 2026-03-05 9:7 予定
2|is not a time|add "$work/f.klx" 2026-03-05 10:00- 予定
2|ends before it starts|add "$work/f.klx" 2026-03-05 11:00-10:59 予定
2|no time|add "$work/f.klx" 2026-03-05 10:00 予定 --todo
2|has no genre 2|add "$work/f.klx" 2026-03-05 予定 --genre 2
2|is not a genre number|add "$work/f.klx" 2026-03-05 予定 --genre -1
2|Usage: kalendra-cli add|add "$work/f.klx" 2026-03-05 予定 --colour red
2|Usage: kalendra-cli add|add "$work/f.klx" 2026-03-05
2|Usage: kalendra-cli add|add "$work/f.klx" 2026-03-05 予定 --place
2|Usage: kalendra-cli add|add "$work/f.klx" 2026-03-05 10:00 予定 余分
2|Usage: kalendra-cli delete|delete "$work/f.klx" 2026-03-05
2|Usage: kalendra-cli delete|delete "$work/f.klx" 2026-03-05 朝練 --all
2|is not a date|delete "$work/f.klx" 2026-13-01 朝練
1|no entry '朝練' on 2026-03-10|delete "$work/f.klx" 2026-03-10 朝練
1|no entry '朝' on 2026-03-05|delete "$work/f.klx" 2026-03-05 朝
1|no entry '報告書' on 2026-03-06|delete "$work/f.klx" 2026-03-06 報告書
CASES

# A file that cannot be read is not made; a protected one is changed only with its password, which it
# keeps.
if "$cli" add "$work/none.klx" 2026-03-05 予定 2>/dev/null; then fail "added to a missing file"; fi
[ ! -e "$work/none.klx" ] || fail "a missing file was made"
{
  utf8 "$work/start.klx" | sed '1a "2","Mzor"'
  printf '"0","2005/07/03","09:00","2005/07/03","10:00","予定","1","1","0","0","000000","","1","0","0","0","0","3","3","1","0","","0","","",""\n'
} | iconv -f UTF-8 -t CP932 >"$work/p.klx"
cp "$work/p.klx" "$work/p0.klx"
if "$cli" add "$work/p.klx" 2005-07-03 追加 </dev/null 2>/dev/null; then fail "added without the password"; fi
cmp -s "$work/p.klx" "$work/p0.klx" || fail "the protected file changed without its password"
"$cli" --password Pass add "$work/p.klx" 2005-07-03 追加 || fail "add with the password"
"$cli" --password Pass delete "$work/p.klx" 2005-07-03 予定 >/dev/null || fail "delete with the password"
"$cli" --password Pass agenda "$work/p.klx" 2005-07-03 | grep -qx '07/03 追加' || fail "protected file's day"
"$cli" --password Pass check "$work/p.klx" | grep -q '^password: yes' || fail "the password was lost"
pass

echo "cli $suite: $passed passed"
