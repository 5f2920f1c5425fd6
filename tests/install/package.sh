#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it on this machine: its control data
# (computed library dependencies, maintainer scripts), its files against the install's list, the
# programs unpacked into a scratch root, and lintian's verdict.
# Usage: package.sh BUILD-FOLDER
set -euo pipefail
suite="package"
tools="cpack dpkg-deb dpkg-shlibdeps lintian"
. "$(dirname "$0")/common.sh"

(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/out/kalendra_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "no single kalendra_*.deb: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kalendra ] || fail "Package: $(field Package)"
version=$(sed -n '1s/^kalendra (\([^)]*\)).*/\1/p' "$here/../../packaging/debian/changelog")
[ "$(field Version)" = "$version" ] || fail "Version $(field Version), the changelog says $version"
[ "$deb" = "$work/out/kalendra_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $deb"
depends=$(field Depends | sed 's/, /\n/g' | cut -d' ' -f1)
for library in libc6 libstdc++6 libqt6widgets6 libqt6network6 libqt6dbus6 libical3; do
  grep -Fqx "$library" <<<"$depends" || fail "Depends lacks $library: $(field Depends)"
done
# libcurl is loaded only for a calendar server: recommended, which the tools cannot work out.
grep -q '^libcurl4 | libcurl3-gnutls, ' <<<"$(field Recommends)" || fail "Recommends: $(field Recommends)"
[ -n "$(field Section)" ] && [ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "control fields"
pass

dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
  path="$work/control/$script"
  [ -x "$path" ] || fail "$script missing or not executable"
  [ "$(head -1 "$path")" = "#!/bin/sh" ] || fail "$script: $(head -1 "$path")"
  grep -qx 'set -e' "$path" || fail "$script lacks set -e"
  sh -n "$path" || fail "$script does not parse"
  for tool in update-mime-database update-desktop-database gtk-update-icon-cache; do
    grep -q "command -v $tool .*then" "$path" || fail "$script does not run $tool when present"
  done
done
pass

# The package holds exactly what the install puts under a prefix, here /usr, all owned by root.
dpkg-deb --contents "$deb" >"$work/contents"
# /etc stands where a prefix has its etc folder.
awk '$1 !~ /^d/ {print $6}' "$work/contents" | sed 's|^\./usr/||; s|^\./etc/|etc/|' | LC_ALL=C sort >"$work/files"
diff -u "$here/expected-files.txt" "$work/files" >&2 || fail "the package's files differ from expected-files.txt"
awk '$2 != "root/root" {print; bad = 1} END {exit bad}' "$work/contents" >&2 || fail "files not owned by root"
pass

# Unpacked anywhere, the programs find their data; no environment but a scratch settings file.
dpkg-deb -x "$deb" "$work/root"
mkdir "$work/run"
(cd "$work/run" && env -i KALENDRA_CONFIG="$work/Kalendra.ini" "$work/root/usr/bin/kalendra-cli" new f.klx) ||
  fail "kalendra-cli new from the unpacked package"
out=$(env -i KALENDRA_CONFIG="$work/Kalendra.ini" "$work/root/usr/bin/kalendra-cli" check "$work/run/f.klx")
grep -q '^  holidays: [1-9]' <<<"$out" || fail "no holidays in the new file: $out"
pass

lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
pass

echo "package: $passed passed, 0 failed"
