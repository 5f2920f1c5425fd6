#!/usr/bin/env bash
# Installs the build into a scratch prefix as a user would and checks what lands there: every file
# and its mode, the programs finding their data from any prefix with no environment, the desktop's
# validators on the menu entry and the software-centre data, the file type as the desktop sees it,
# the icons' sizes, and a manual page for every command of kalendra-cli.
# Usage: install.sh BUILD-FOLDER
set -euo pipefail
suite="install"
tools="desktop-file-validate appstreamcli update-mime-database gio file"
. "$(dirname "$0")/common.sh"
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"
(cd "$prefix" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort) >"$work/files"
diff -u "$here/expected-files.txt" "$work/files" >&2 || fail "the installed files differ from expected-files.txt"
while read -r path; do
  mode=$(stat -c %a "$prefix/$path")
  case "$path" in
  bin/*) [ "$mode" = 755 ] || fail "$path has mode $mode" ;;
  *) [ "$mode" = 644 ] || fail "$path has mode $mode" ;;
  esac
done <"$work/files"
pass

# No HOME, no PATH, no data folder given: the program finds the template beside itself, also when
# started through a link from elsewhere. Only the settings file is set, so that the run leaves the
# real home alone.
mkdir "$work/run" "$work/links"
ln -s "$prefix/bin/kalendra-cli" "$work/links/kc"
for program in "$prefix/bin/kalendra-cli" "$work/links/kc"; do
  rm -f "$work/run/f.klx"
  (cd "$work/run" && env -i KALENDRA_CONFIG="$work/Kalendra.ini" "$program" new f.klx) || fail "$program new"
  out=$(cd "$work/run" && env -i KALENDRA_CONFIG="$work/Kalendra.ini" "$program" check f.klx) || fail "$program check"
  grep -q '^  holidays: [1-9]' <<<"$out" || fail "$program new: no holidays in the new file: $out"
done
pass

desktop-file-validate "$prefix/share/applications/kalendra.desktop" || fail "desktop-file-validate"
desktop-file-validate "$prefix/etc/xdg/autostart/kalendra-remind.desktop" || fail "desktop-file-validate autostart"
grep -qx 'Exec=kalendra-remind --autostart' "$prefix/etc/xdg/autostart/kalendra-remind.desktop" || fail "autostart Exec"
env -i "$prefix/bin/kalendra-remind" --help | grep -q '^Usage: kalendra-remind' || fail "kalendra-remind --help"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.kalendra.Kalendra.metainfo.xml" >"$work/as.log" ||
  fail "appstreamcli validate: $(cat "$work/as.log")"
grep -qx 'Exec=kalendra %f' "$prefix/share/applications/kalendra.desktop" || fail "Exec line"
grep -qx 'MimeType=application/x-kalendra;' "$prefix/share/applications/kalendra.desktop" || fail "MimeType line"
pass

# The type as the desktop's own library sees it: by name, and by the header line where the name
# says nothing; a CP932 text that is not a schedule file stays text.
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2>"$work/mime.log" || fail "update-mime-database"
[ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
cp "$prefix/share/kalendra/kaldata.klx" "$work/schedule"
printf '1,"20261207","0900"\r\n' >"$work/headerless.klx"
printf '"\x8b\xe6\x95\xaa","\x96\xbc\x91\x4f"\r\n' >"$work/other-table" # "区分","名前": CP932 too
printf '"\x8b\xe6\x95\xaa","\x8a\x4a\x8e\x6e\x94\x4e\x8c\x8e\x93\xfa"\r\n' >"$work/header-only"
printf '"\x8b\xe6\x95\xaa","\x8a\x4a\x8e\x6e\x94\x4e\x8c\x8e\x93\xfa"\r\n' >"$work/renamed.csv"
# file:type, or file:!type for a type the file must not get.
for case in schedule:application/x-kalendra headerless.klx:application/x-kalendra \
  header-only:application/x-kalendra other-table:!application/x-kalendra renamed.csv:text/csv; do
  name=${case%%:*}
  want=${case#*:}
  got=$(XDG_DATA_HOME="$work/no-user-data" XDG_DATA_DIRS="$prefix/share:/usr/share" \
    gio info -a standard::content-type "$work/$name" | sed -n 's/^ *standard::content-type: //p')
  if [ "${want:0:1}" = "!" ]; then
    [ -n "$got" ] && [ "$got" != "${want:1}" ] || fail "$name is ${got:-of no type}"
  else
    [ "$got" = "$want" ] || fail "$name is ${got:-of no type}, not $want"
  fi
done
pass

for size in 16 24 32 48 64 128 256; do
  file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/kalendra.png" | grep -q "^PNG image data, $size x $size," ||
    fail "the ${size}px icon: $(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/kalendra.png")"
done
pass

# Every command --help lists has its entry in the manual page, and the pages render cleanly.
commands=$("$prefix/bin/kalendra-cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
[ "$(wc -w <<<"$commands")" -ge 10 ] || fail "too few commands read from --help: $commands"
page=$(gzip -dc "$prefix/share/man/man1/kalendra-cli.1.gz")
for command in $commands; do
  grep -q "^\\\\fB${command//-/\\\\-}\\\\fR\|^\.BI\? ${command//-/\\\\-}\( \|$\)" <<<"$page" ||
    fail "kalendra-cli.1 has no entry for $command"
done
for page in kalendra kalendra-cli kalendra-remind; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
pass

echo "install: $passed passed, 0 failed"
