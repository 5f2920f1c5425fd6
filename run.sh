#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it: ./run.sh [file.klx]
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKAL_BUILD_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" >/dev/null
exec build/release/kalendra "$@"
