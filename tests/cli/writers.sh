#!/usr/bin/env bash
# Commands that write a schedule file keep what the desktop's save keeps: a copy of a file whose rows
# could not all be read, the version before the save, and the work of another writer of the same file.
#   writers.sh KALENDRA-CLI
set -euo pipefail
suite=writers
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

header='"件名","開始日","開始時刻","終了日","終了時刻","終日ｲﾍﾞﾝﾄ","ｱﾗｰﾑ ｵﾝ/ｵﾌ","ｱﾗｰﾑ日付","ｱﾗｰﾑ時刻","会議の開催者","必須出席者","任意出席者","ﾘｿｰｽ","ﾌﾟﾗｲﾍﾞｰﾄ","経費情報","公開する時間帯の種類","支払い条件","場所","内容","秘密度","分類","優先度"'
# make_csv FILE SUBJECT COUNT: COUNT schedules named SUBJECT-1... on days of 2026.
make_csv() {
  {
    printf '%s\r\n' "$header"
    awk -v subject="$2" -v count="$3" 'BEGIN {
      for (i = 1; i <= count; i++)
        printf "\"%s-%d\",\"2026/%02d/%02d\",\"9:00:00\",\"2026/%02d/%02d\",\"10:00:00\",\"False\",\"False\",\"\",\"\",\"\",\"\",\"\",\"\",\"False\",\"\",\"2\",\"\",\"\",\"\",\"標準\",\"\",\"標準\"\r\n",
          subject, i, i % 12 + 1, i % 28 + 1, i % 12 + 1, i % 28 + 1
    }'
  } | iconv -f UTF-8 -t CP932 >"$1"
}
entries() { "$cli" check "$1" | sed -n 's/^entries: //p'; }
count_of() { "$cli" find "$1" "$2-" --mode starts 2>/dev/null | wc -l; }

# A file with rows the loader cannot read: the import tells of them and keeps the file as it was
# before writing it without them.
"$cli" new "$work/damaged.klx" >/dev/null
printf '"0","2005/07/03"\n\x01\x02garbage\n' >>"$work/damaged.klx"
cp "$work/damaged.klx" "$work/original.klx"
make_csv "$work/one.csv" one 1
"$cli" import-csv "$work/damaged.klx" "$work/one.csv" >"$work/out" 2>"$work/err" || fail "import into the damaged file"
grep -qx 'added: 1' "$work/out" || fail "import report: $(cat "$work/out")"
grep -q '読み込めない行が2行ありました' "$work/err" || fail "unreadable rows not told: $(cat "$work/err")"
cmp -s "$work/damaged.klx.bak" "$work/original.klx" || fail "no copy of the file as it was"
cmp -s "$work/damaged.klx~" "$work/original.klx" || fail "no previous version"
[ "$(count_of "$work/damaged.klx" one)" = 1 ] || fail "the import is not in the file"
pass

# Two imports into one file at once: each waits for the other, and neither's work is lost. One may
# be refused after the bounded wait, with a message and a failing exit, but never reported as added.
"$cli" new "$work/shared.klx" >/dev/null
make_csv "$work/a.csv" first 20000
make_csv "$work/b.csv" second 20000
before=$(entries "$work/shared.klx")
"$cli" import-csv "$work/shared.klx" "$work/a.csv" >"$work/out.a" 2>"$work/err.a" &
first=$!
"$cli" import-csv "$work/shared.klx" "$work/b.csv" >"$work/out.b" 2>"$work/err.b" &
second=$!
status_a=0 status_b=0
wait "$first" || status_a=$?
wait "$second" || status_b=$?
expected=$before
for run in a:$status_a:first b:$status_b:second; do
  IFS=: read -r name status subject <<<"$run"
  if [ "$status" = 0 ]; then
    grep -qx 'added: 20000' "$work/out.$name" || fail "import $name: $(cat "$work/out.$name")"
    [ "$(count_of "$work/shared.klx" "$subject")" = 20000 ] || fail "import $name reported added but is not all in the file"
    expected=$((expected + 20000))
  else
    grep -q '書き込み中' "$work/err.$name" || fail "import $name refused without saying why: $(cat "$work/err.$name")"
    ! grep -q 'added' "$work/out.$name" || fail "import $name both refused and added"
  fi
done
[ "$(entries "$work/shared.klx")" = "$expected" ] || fail "entries: $(entries "$work/shared.klx"), expected $expected"
[ ! -e "$work/.shared.klx.lock" ] || fail "the lock file was left behind"
pass

# A writer that keeps the file past the bounded wait: the command refuses and writes nothing.
if command -v flock >/dev/null; then
  cp "$work/damaged.klx" "$work/held.klx"
  flock "$work/.held.klx.lock" sleep 6 &
  holder=$!
  sleep 0.3
  started=$(date +%s)
  if "$cli" import-csv "$work/held.klx" "$work/one.csv" >"$work/out" 2>"$work/err"; then fail "import into a held file"; fi
  [ $(($(date +%s) - started)) -lt 6 ] || fail "the wait was not bounded"
  grep -q '書き込み中' "$work/err" || fail "the held file not told: $(cat "$work/err")"
  cmp -s "$work/held.klx" "$work/damaged.klx" || fail "the held file was written"
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true
  pass
fi

echo "cli $suite: $passed passed, 0 failed"
