#!/usr/bin/env bash
# Builds everything and runs every test, then builds the suite once more with
# AddressSanitizer and UndefinedBehaviorSanitizer (warnings as errors) and runs
# it again. No display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
# The report pages are read as a spreadsheet program shows them.
export RAVELGRIT_EXTRA_PACKAGES="${RAVELGRIT_EXTRA_PACKAGES:-} libreoffice-calc-nogui poppler-utils"
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRAVELGRIT_SANITIZE=ON -DRAVELGRIT_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
# Leaks inside the window system's libraries are not ours to mend.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" "$@"
