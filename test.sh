#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the core tests once more
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)

scripts/check-format.sh

# Optimised without debug information: the symbols double what compiling the tests costs, and a
# failing test says where it failed without them.
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/test -j"$jobs"
rm -rf build/test/test-home
(cd build/test && TZ=Asia/Tokyo ctest --output-on-failure -j"$jobs")

# Line tables are all the sanitizers need to name the line of a fault.
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DKAL_SANITIZE=ON -DKAL_BUILD_APPS=OFF -DKAL_BUILD_BENCH=OFF >/dev/null
cmake --build build/sanitize -j"$jobs"
rm -rf build/sanitize/test-home
(cd build/sanitize && TZ=Asia/Tokyo ctest --output-on-failure -j"$jobs")
