#!/usr/bin/env bash
# Runs the command-line program as a user would and checks what it prints.
set -euo pipefail
cli="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$cli" holidays 2026-09)
grep -q '2026年 9月' <<<"$out" || fail "title missing: $out"
grep -q '2026/09/21(月)' <<<"$out" || fail "Respect for the Aged Day missing: $out"
grep -q '2026/09/23(水)' <<<"$out" || fail "autumn equinox missing: $out"
# The citizens' holiday of 2026-09-22 is not a built-in rule; the month view generates it.
! grep -q '2026/09/22' <<<"$out" || fail "unexpected 09/22: $out"

out=$("$cli" holidays 2025-05)
grep -q '2025/05/06(火)' <<<"$out" && fail "a Tuesday after a holiday is no substitute in the built-in test"
grep -q '2025/05/05(月)' <<<"$out" || fail "Children's Day missing: $out"

if "$cli" holidays 2037-01 2>/dev/null; then fail "2037 accepted"; fi
if "$cli" nonsense 2>/dev/null; then fail "unknown command accepted"; fi
"$cli" --help | grep -q holidays || fail "--help"
echo "cli smoke: 1 passed, 0 failed"
