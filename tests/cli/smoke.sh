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
# Nor do the commands that show a file; only those that write one record what its load found.
for shown in "month $work/new.klx 2026-05" "agenda $work/new.klx 2026-05-01" "diary $work/new.klx 2026-05-01"; do
  # shellcheck disable=SC2086 # the words of the command line
  KALENDRA_CONFIG="$work/check.ini" "$cli" $shown >/dev/null || fail "$shown with fresh settings"
  cmp -s "$work/check.ini" "$work/check-before.ini" || fail "$shown changed the settings: $(cat "$work/check.ini")"
done
KALENDRA_CONFIG="$work/check.ini" "$cli" convert "$work/new.klx" "$work/again.klx" || fail "convert with fresh settings"
grep -q '^HolidayChangeFlag1=1' "$work/check.ini" || fail "convert did not record the holiday update: $(cat "$work/check.ini")"
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

# A CSV as the desktop calendar writes it (CP932, CR LF, quoted fields with commas, doubled quotes and
# line breaks) imports; the period's agenda, search, export and a second import agree on every day.
header='"件名","開始日","開始時刻","終了日","終了時刻","終日ｲﾍﾞﾝﾄ","ｱﾗｰﾑ ｵﾝ/ｵﾌ","ｱﾗｰﾑ日付","ｱﾗｰﾑ時刻","会議の開催者","必須出席者","任意出席者","ﾘｿｰｽ","ﾌﾟﾗｲﾍﾞｰﾄ","経費情報","公開する時間帯の種類","支払い条件","場所","内容","秘密度","分類","優先度"'
{
  printf '%s\r\n' "$header"
  printf '"定例 ""A"" 会議","2026/03/10","9:00:00","2026/03/10","10:30:00","False","True","2026/03/10","7:30:00","","","","","True","","2","","本社, 3F","1行目\r\n2行目","標準","仕事","標準"\r\n'
  printf '"旅行","2026/03/20","0:00:00","2026/03/23","0:00:00","True","False","2026/03/20","0:00:00","","","","","True","","2","","","","標準","","標準"\r\n'
  printf '"壊れた","2026/13/40","0:00:00","2026/03/23","0:00:00","True","False","","","","","","","True","","2","","","","標準","","標準"\r\n'
} | iconv -f UTF-8 -t CP932 >"$work/in.csv"
"$cli" new "$work/x.klx" || fail "new for the import"
report=$("$cli" import-csv "$work/x.klx" "$work/in.csv") || fail "import-csv"
[ "$report" = $'added: 2\nskipped: 1' ] || fail "import report: $report"
agenda=$("$cli" agenda "$work/x.klx" 2026-03-09 2026-03-22 --year --weekday)
expected=$'2026/03/10(火) 09:00 ～10:30 定例 "A" 会議\n2026/03/20(金) 春分の日\n2026/03/20(金) 旅行\n2026/03/21(土) 旅行\n2026/03/22(日) 旅行'
[ "$agenda" = "$expected" ] || fail "agenda: $agenda"
[ "$("$cli" agenda "$work/x.klx" 2026-03-21)" = '03/21 旅行' ] || fail "agenda of one day"
[ "$("$cli" find "$work/x.klx" 3f --target place --ignore-case)" = '2026/03/10 定例 "A" 会議' ] || fail "find by place"
[ -z "$("$cli" find "$work/x.klx" 3f --target place 2>/dev/null)" ] || fail "find ignored the case"
[ "$("$cli" find "$work/x.klx" 旅 --mode starts)" = '2026/03/20 旅行' ] || fail "find starting with"
if "$cli" find "$work/x.klx" x --mode sideways 2>/dev/null; then fail "unknown mode accepted"; fi
"$cli" export-csv "$work/x.klx" 2026-03-01 2026-03-31 "$work/out.csv" || fail "export-csv"
head -1 "$work/out.csv" | iconv -f CP932 -t UTF-8 | grep -qxF "$header" || fail "export header"
iconv -f CP932 -t UTF-8 "$work/out.csv" | grep -qF '"旅行","2026/03/20","0:00:00","2026/03/23","0:00:00","True"' || fail "all-day export"
"$cli" new "$work/y.klx" || fail "new for the re-import"
"$cli" import-csv "$work/y.klx" "$work/out.csv" | grep -qx 'added: 2' || fail "re-import"
[ "$("$cli" agenda "$work/y.klx" 2026-03-09 2026-03-22 --year --weekday)" = "$expected" ] || fail "re-imported days differ"
[ "$("$cli" find "$work/y.klx" 2行目 --target memo)" = '2026/03/10 定例 "A" 会議' ] || fail "memo line break lost"
if "$cli" import-csv "$work/y.klx" "$work/missing.csv" 2>"$work/err"; then fail "missing CSV accepted"; fi
grep -q 'ファイルが開けません' "$work/err" || fail "missing CSV not told: $(cat "$work/err")"
if "$cli" export-csv "$work/y.klx" 2026-03-01 2026-03-31 "$work/no/out.csv" 2>"$work/err"; then fail "unwritable export"; fi
grep -q 'エクスポートに失敗しました' "$work/err" || fail "failed export not told: $(cat "$work/err")"
if "$cli" agenda "$work/y.klx" 2026-02-30 2>/dev/null; then fail "February 30 accepted"; fi
pass

# An import streams: 60,000 records in 12 MB of CSV take a few times the file's size in memory, the
# entries themselves, not the file's text and its records all at once (that took more than 11 times).
"$cli" new "$work/big.klx" || fail "new for the big import"
peak=$(python3 - "$cli" "$work/big.klx" "$work/big.csv" <<'PY'
import os, resource, subprocess, sys
cli, klx, csv = sys.argv[1:]
with open(csv, "wb") as out:
    out.write((",".join('"c%d"' % i for i in range(22)) + "\r\n").encode("cp932"))
    for i in range(60000):
        f = [""] * 22
        day = "2026/%d/%d" % (i % 12 + 1, i % 28 + 1)
        f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[18] = "予定 %d" % i, day, "9:00:00", day, "10:00:00", "False", "False", "メモ" * 20
        out.write((",".join('"%s"' % x for x in f) + "\r\n").encode("cp932"))
report = subprocess.run([cli, "import-csv", klx, csv], capture_output=True, text=True).stdout
assert report.startswith("added: 60000"), report
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024 // os.path.getsize(csv))
PY
) || fail "the big import"
[ "$peak" -lt 7 ] || fail "the import of a 12 MB CSV took $peak times its size in memory"
pass

echo "cli smoke: $passed passed, 0 failed"
