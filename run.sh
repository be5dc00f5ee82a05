#!/usr/bin/env bash
# Installs what is missing, builds detkit (Release) and starts it on the
# simulated analyser. Extra arguments go to detkit.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DDETKIT_BUILD_TESTS=OFF -DDETKIT_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target detkit -j"$(nproc)"
exec ./build/release/src/app/detkit --simulate "$@"
