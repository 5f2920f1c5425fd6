#!/usr/bin/env bash
# The diary command prints where a day's diary lives, from the file's own diary folder or the
# settings', and creates nothing.
set -euo pipefail
suite="diary"
. "$(dirname "$0")/common.sh"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"

"$cli" new "$work/plan.klx" >/dev/null || fail "new"
out=$("$cli" diary "$work/plan.klx" 2013-10-05) || fail "diary"
[ "$out" = "$HOME/Documents/20131005.TXT" ] || fail "documents folder: $out"
[ ! -e "$HOME/Documents" ] || fail "the folder was created"
pass

# A file that names its own folder the old way ("\" separators) wins over the settings.
printf '[Diary]\nDir=%s/settings-diaries/\n' "$work" >"$KALENDRA_CONFIG"
iconv -f CP932 -t UTF-8 "$work/plan.klx" \
  | sed 's|^"4","\\My Documents\\","","\([0-9]*\)","0","0","0","",|"4","\\My Documents\\","","\1","0","0","0","\\My Documents\\日記\\",|' \
  | iconv -f UTF-8 -t CP932 >"$work/own.klx"
out=$("$cli" diary "$work/own.klx" 2027-01-31) || fail "diary of a file with its own folder"
[ "$out" = "$HOME/Documents/日記/20270131.TXT" ] || fail "own folder: $out"
# A file that names no folder at all takes the settings' folder.
iconv -f CP932 -t UTF-8 "$work/plan.klx" | sed 's|^"4","\\My Documents\\",|"4","",|' \
  | iconv -f UTF-8 -t CP932 >"$work/none.klx"
out=$("$cli" diary "$work/none.klx" 2027-01-31) || fail "diary of a file without a folder"
[ "$out" = "$work/settings-diaries/20270131.TXT" ] || fail "settings folder: $out"
[ ! -e "$work/settings-diaries" ] || fail "the settings folder was created"
pass

for bad in 2013-02-30 2037-01-01 20131005 2013-10-05x; do
  if "$cli" diary "$work/plan.klx" "$bad" 2>/dev/null; then fail "accepted $bad"; fi
done
if "$cli" diary "$work/missing.klx" 2013-10-05 2>/dev/null; then fail "accepted a missing file"; fi
if "$cli" diary "$work/plan.klx" 2>/dev/null; then fail "accepted a missing date"; fi
pass

echo "cli $suite: $passed passed, 0 failed"
