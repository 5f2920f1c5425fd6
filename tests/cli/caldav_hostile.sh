#!/usr/bin/env bash
# A calendar server that misbehaves (tests/cli/hostile_dav_server.py, on the loopback address): every
# answer is refused in bounded time and memory with a message in the program's own words, and
# nothing reaches the server. Also which store locations are servers, and when a password may go.
set -euo pipefail
suite="caldav-hostile"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
unset KALENDRA_CALDAV_PASSWORD
cd "$work"

"$cli" new "$work/x.klx" >/dev/null || fail "new"
# The period holds one schedule, the equinox holiday the month grid makes.
period=(2026-03-20 2026-03-20)
python3 "$here/hostile_dav_server.py" "$work/port" "$work/puts" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
base="http://127.0.0.1:$(cat "$work/port")"
touch "$work/puts"

# Runs an add with a 3-second limit in all and 1 GB of address space (an unbounded reply would
# outgrow it); the caller checks the message. Fails when the run takes longer than 10 seconds.
add() {
  local start=$SECONDS
  if (ulimit -v 1048576; timeout 30 "$cli" add-to-calendar "$work/x.klx" "${period[@]}" --timeout 3 "$@") \
    >"$work/out" 2>"$work/err"; then
    return 0
  fi
  [ $((SECONDS - start)) -le 10 ] || fail "$* took $((SECONDS - start)) s"
  return 1
}
refused() { # URL EXPECTED-MESSAGE [EXPECTED-OUTPUT]
  if add --store "$1"; then fail "$1 accepted: $(cat "$work/out")"; fi
  [ "$(cat "$work/err")" = "$2" ] || fail "$1: $(cat "$work/err")"
  [ "$(cat "$work/out")" = "${3:-}" ] || fail "$1 counted: $(cat "$work/out")"
  [ ! -s "$work/puts" ] || fail "$1 wrote: $(cat "$work/puts")"
}
open_failed="kalendra-cli: カレンダーを開けませんでした（CoCreateInstance Failed）。"
refused "$base/endless/" "$open_failed
カレンダーのサーバーの応答が大きすぎるため、読み取りを中止しました（上限 16 MB）。"
refused "$base/huge/" "$open_failed
カレンダーのサーバーの応答が大きすぎるため、読み取りを中止しました（上限 16 MB）。"
refused "$base/drip/" "$open_failed
カレンダーのサーバーとのやり取りが制限時間（3 秒）を超えたため、中止しました。"
refused "$base/redirect/" "$open_failed
カレンダーのサーバーが別のURLへ転送しようとしました（301）。転送先には接続しません。設定のURLを確かめてください。"
refused "$base/deep/" "kalendra-cli: カレンダーのサーバーの応答を読み取れません。" "added: 0"
pass
# A reply with one 8 MB line is read whole, in time: the event in it is not the holiday.
add --store "$base/longline/" || fail "long line: $(cat "$work/err")"
[ "$(cat "$work/out")" = "added: 1" ] || fail "long line: $(cat "$work/out")"
pass

# Schemes count whatever their case; webcal:// is https://, which this plain server cannot speak;
# another scheme is refused; none of them becomes a folder.
: >"$work/puts"
add --store "HTTP://127.0.0.1:$(cat "$work/port")/calendar/" || fail "upper-case scheme: $(cat "$work/err")"
[ "$(cat "$work/out")" = "added: 1" ] && [ "$(wc -l <"$work/puts")" = 1 ] || fail "upper-case scheme: $(cat "$work/out")"
: >"$work/puts"
refused "webcal://127.0.0.1:$(cat "$work/port")/calendar/" "$open_failed
カレンダーのサーバーに接続できません。
サーバーと安全な接続を確立できません。サーバーの証明書を確かめてください。"
refused "FILE:///$work/cal.ics" "$open_failed
カレンダーのURLは http://、https:// か webcal:// で始めてください。ほかの種類のURLは使えません。"
[ -z "$(find "$work" -mindepth 1 -type d)" ] && [ ! -e "$work/cal.ics" ] \
  || fail "a location became a file: $(find "$work")"
pass

# A password goes unencrypted to another machine only once the user said yes for that server; a
# run without a terminal says no. A settings file others can read keeps its password unused.
if KALENDRA_CALDAV_PASSWORD=secret add --store "http://192.0.2.1/calendar/" --user alice </dev/null; then
  fail "password sent in clear"
fi
[ "$(cat "$work/err")" = "カレンダーのサーバー 192.0.2.1 には、パスワードが暗号化されずに（http:// で）送られます。途中のネットワークで読み取られるおそれがあります。このサーバーにパスワードを送りますか？ (no terminal: answered No)
kalendra-cli: パスワードを送らずに中止しました。https:// で始まるカレンダーのURLを使ってください。" ] \
  || fail "clear password: $(cat "$work/err")"
printf '[Calendar]\nPasswordInClearHosts=192.0.2.1\nPassword=secret\n' >"$KALENDRA_CONFIG"
chmod 600 "$KALENDRA_CONFIG"
# Asked no more: the run goes to the server, which is out of reach (how depends on the machine).
if add --store "http://192.0.2.1/calendar/" --user alice </dev/null; then fail "unroutable server reached"; fi
[ "$(head -n 1 "$work/err")" = "$open_failed" ] || fail "allowed clear password: $(cat "$work/err")"
add --store "$base/calendar/" --user alice || fail "private settings: $(cat "$work/err")"
chmod 644 "$KALENDRA_CONFIG"
if add --store "$base/calendar/" --user alice; then fail "password of a readable settings file used"; fi
[ "$(cat "$work/err")" = "kalendra-cli: 設定ファイル $KALENDRA_CONFIG はほかのユーザーも読めるため、そこにあるカレンダーのパスワードは使いません。ファイルを本人だけが読めるようにしてください（chmod 600）。" ] \
  || fail "readable settings: $(cat "$work/err")"
pass

echo "cli $suite: $passed passed, 0 failed"
