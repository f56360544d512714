#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice:
# once as built for users, once with AddressSanitizer and
# UndefinedBehaviorSanitizer so memory faults fail the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

scripts/build.sh build
(cd build && ctest --output-on-failure --timeout 600 -j "$(nproc)")

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPLOTVALE_SANITIZE=ON
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" \
  ctest --output-on-failure --timeout 900 -j "$(nproc)")
