#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while:
#   scripts/fuzz.sh [seconds] [target...]
# The targets are schedule_file_fuzz, genre_archive_fuzz, settings_file_fuzz, csv_import_fuzz, ics_store_fuzz, ics_import_fuzz and
# dav_reply_fuzz (all when none is named). KAL_FUZZ_BUILD names the build folder (build/fuzz by default).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${KAL_FUZZ_BUILD:-build/fuzz}
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="${missing:-} $package"
done
if [ -n "${missing:-}" ]; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAL_BUILD_FUZZ=ON \
  -DKAL_BUILD_APPS=OFF -DKAL_BUILD_BENCH=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
# An overflow or other undefined behaviour is a finding, not a note in the log.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
if [ $# -gt 0 ]; then
  targets=()
  for name in "$@"; do targets+=("$build/$name"); done
else
  targets=("$build"/*_fuzz)
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$corpus"
done
