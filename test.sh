#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a Debug build,
# then a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

echo "== Debug build"
cmake -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/debug -j"$jobs"
ctest --test-dir build/debug --output-on-failure -j"$jobs"

echo "== Sanitizer build (address, undefined)"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DDETKIT_SANITIZE=ON -DDETKIT_BUILD_BENCH=OFF >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j"$jobs"
