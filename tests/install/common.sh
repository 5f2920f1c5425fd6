# The start both install tests share: sourced after `set -euo pipefail` with `suite` set to the
# test's name, the build folder as the first argument and the tools the test runs in `tools`. Each
# test runs in a scratch folder with a scratch home.
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tools keep caches and settings in the home: a scratch one, never the real one.
export HOME="$work/home" XDG_CACHE_HOME="$work/home/.cache" XDG_CONFIG_HOME="$work/home/.config" GIO_USE_VFS=local
passed=0
fail() { echo "FAIL: $*" >&2; echo "$suite: $passed passed, 1 failed"; exit 1; }
pass() { passed=$((passed + 1)); }
for tool in $tools; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/install-deps.sh installs it"
done
