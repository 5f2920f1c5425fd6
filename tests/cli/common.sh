# The start every command-line test shares: sourced after `set -euo pipefail` with `suite` set to the
# test's name and the program's path as the first argument. Each test runs in a scratch folder with
# settings of its own and no password from the environment.
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KALENDRA_CONFIG="$work/Kalendra.ini"
unset KALENDRA_PASSWORD
passed=0
fail() { echo "FAIL: $*" >&2; echo "cli $suite: $passed passed, 1 failed"; exit 1; }
pass() { passed=$((passed + 1)); }
