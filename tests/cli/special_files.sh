#!/usr/bin/env bash
# Puts FIFOs, devices, folders and an oversized file where the command-line program expects its
# files: every run must end at once, fail with a clear message where it cannot go on, and leave
# what it met as it was. Nothing ever writes to the FIFOs, so a program waiting for a writer hangs.
set -euo pipefail
suite="special files"
. "$(dirname "$0")/common.sh"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
runs=0

# Runs the program with a time limit; gives its exit status, failing the test if it did not end.
run() {
  local status=0
  timeout 10 "$cli" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
  [ "$status" != 124 ] || fail "$* did not end"
  runs=$((runs + 1))
  return "$status"
}
type_of() { stat -c %F "$1"; }

"$cli" new "$work/x.klx" || fail "new"
mkfifo "$work/fifo" "$work/fifo.klx" "$work/kfield.fifo" "$work/user-dirs.fifo"
mkdir "$work/folder.klx"
truncate -s 3G "$work/big.klx" # sparse: over the bound without taking the space

# Files to read: refused with a reason, not read.
for file in "$work/fifo.klx" /dev/zero "$work/folder.klx" "$work/big.klx"; do
  if run check "$file"; then fail "check $file succeeded"; fi
  grep -q . "$work/err" || fail "check $file: no message"
done
grep -q '2 GB' "$work/err" || fail "the bound is not named: $(cat "$work/err")"

# Files to write: refused, and what was there stays what it was.
targets=("$work/fifo.klx" "$work/folder.klx")
if [ "$(id -u)" = 0 ]; then
  mknod "$work/null" c 1 3
  targets+=("$work/null")
fi
for target in "${targets[@]}"; do
  before=$(type_of "$target")
  if run convert "$work/x.klx" "$target"; then fail "convert over $before succeeded"; fi
  grep -q . "$work/err" || fail "convert over $before: no message"
  [ "$(type_of "$target")" = "$before" ] || fail "$before replaced by $(type_of "$target")"
done

# Settings, their lock file, the genre file and the desktop's folder list in the form of FIFOs.
KALENDRA_CONFIG="$work/fifo" run holidays 2026-05 || fail "holidays with a FIFO for settings"
grep -q '2026/05/05' "$work/out" || fail "holidays with a FIFO for settings: $(cat "$work/out")"
[ "$(type_of "$work/fifo")" = fifo ] || fail "the settings FIFO was replaced"
export KALENDRA_CONFIG="$work/locked.ini"
mkfifo "$KALENDRA_CONFIG.lock"
ln -s "$work/user-dirs.fifo" "$XDG_CONFIG_HOME/user-dirs.dirs"
printf '[Field]\nFile=%s\n' "$work/kfield.fifo" >"$KALENDRA_CONFIG"
run new "$work/y.klx" || fail "new with FIFOs for the genre file and lock"
run check "$work/y.klx" || fail "check with FIFOs for the genre file and lock"
for fifo in "$work/kfield.fifo" "$KALENDRA_CONFIG.lock" "$work/user-dirs.fifo"; do
  [ "$(type_of "$fifo")" = fifo ] || fail "$fifo was replaced"
done
# Settings whose lock another process keeps for good: the run waits a few seconds, says so, goes on
# and leaves the settings file as it was.
export KALENDRA_CONFIG="$work/held.ini"
printf '[View]\nMonthWeeks=6\n' >"$KALENDRA_CONFIG"
python3 -c 'import fcntl, sys, time
f = open(sys.argv[1], "w"); fcntl.flock(f, fcntl.LOCK_EX); print("held", flush=True); time.sleep(15)' \
  "$KALENDRA_CONFIG.lock" >"$work/holder" 2>/dev/null &
holder=$!
for _ in $(seq 100); do [ -s "$work/holder" ] && break; sleep 0.1; done
status=0
run new "$work/z.klx" || status=$?
kill "$holder"
wait "$holder" 2>/dev/null || true
[ "$status" = 0 ] || fail "new with the settings locked: exit $status: $(cat "$work/err")"
[ "$(cat "$work/err")" = "kalendra-cli: the settings file '$KALENDRA_CONFIG' is locked by another program; \
changed settings were not saved" ] || fail "the held lock is not told: $(cat "$work/err")"
[ "$(cat "$KALENDRA_CONFIG")" = "$(printf '[View]\nMonthWeeks=6')" ] || fail "the held settings were written"
# A file within the size limit but beyond the memory the process may take is refused with a message,
# not a crash. (Sanitizer builds reserve more address space than such a limit leaves them.)
if ! ldd "$cli" | grep -q 'libasan'; then
  python3 "$(dirname "$0")/../../bench/heavy_file.py" "$work/heavy.klx" 300000
  status=0
  (ulimit -v 90000 && exec "$cli" check "$work/heavy.klx") >"$work/out" 2>"$work/err" || status=$?
  [ "$status" = 1 ] || fail "a file beyond the memory: exit $status: $(cat "$work/err")"
  grep -q 'メモリーオーバーフロー' "$work/err" || fail "a file beyond the memory not told: $(cat "$work/err")"
  runs=$((runs + 1))
fi
echo "cli special files: $runs runs ended"
