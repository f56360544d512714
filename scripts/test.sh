#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once as
# built for users, then two minutes of fuzzing of the metafile player, then
# the suite again under AddressSanitizer and UndefinedBehaviorSanitizer so
# memory faults fail the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
suppressions="$PWD/tests/lsan.supp"

scripts/build.sh build
(cd build && ctest --output-on-failure --timeout 600 -j "$(nproc)")

# Coverage-guided fuzzing of the reader and the player, seeded with the
# regression corpus (every input found so far) and the third-party corpus
# when it is there. A correct player stays far inside the limits: its
# memory is the bitmap (at most 1 GiB) and a fixed allowance.
CXX=clang++ CC=clang scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLOTVALE_FUZZ=ON -DPLOTVALE_SANITIZE=ON -DPLOTVALE_TESTS=OFF
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
seeds=()
if [ -d ../shared/corpus/wmf ]; then seeds=(../shared/corpus/wmf); fi
LSAN_OPTIONS="suppressions=$suppressions" \
  build-fuzz/tests/fuzz/wmf_fuzzer -max_total_time=120 -timeout=30 -rss_limit_mb=2560 \
  -print_final_stats=1 "$found" tests/fuzz/corpus "${seeds[@]}" 2>&1 | tail -n 12

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPLOTVALE_SANITIZE=ON
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$suppressions" \
  ctest --output-on-failure --timeout 900 -j "$(nproc)")
