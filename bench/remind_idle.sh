#!/usr/bin/env bash
# The reminder's memory and wake-ups while nothing is due: a private session bus, a file of 28
# entries whose alarms lie days ahead, then its processor ticks and context switches over two minutes.
# Usage: bench/remind_idle.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-120}
work=$(mktemp -d)
export KALENDRA_CONFIG=$work/Kalendra.ini XDG_STATE_HOME=$work/state TZ=Asia/Tokyo
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
buspid=$(sed -n 2p <<<"$bus")
trap 'kill "${pid:-}" "$buspid" 2>/dev/null; rm -rf "$work"' EXIT
cli=$build/kalendra-cli
"$cli" new "$work/f.klx" >/dev/null
year=$(date -d '+1 year' +%Y)
for d in $(seq 1 28); do "$cli" add "$work/f.klx" "$year-01-$(printf %02d "$d")" 10:00 "予定$d" >/dev/null; done
"$build/kalendra-remind" "$work/f.klx" 2>"$work/log" &
pid=$!
sleep 3
switches() { grep -E '^(voluntary|nonvoluntary)_ctxt' "/proc/$pid/status" | awk '{ s += $2 } END { print s }'; }
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
t1=$(ticks)
c1=$(switches)
sleep "$seconds"
t2=$(ticks)
c2=$(switches)
grep -E 'VmRSS|VmHWM' "/proc/$pid/status"
grep -E '^Pss:' "/proc/$pid/smaps_rollup"
echo "processor ticks in $seconds s: $((t2 - t1)) (of $(getconf CLK_TCK) a second)"
echo "context switches in $seconds s: $((c2 - c1))"
