#!/usr/bin/env bash
# Wall-clock time of plotvale-thumbnailer per bundled example, process start
# included, as a file manager pays it (hyperfine, 256-pixel thumbnails).
#   bench/thumbnailer.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
thumbnailer=${1:-build}/src/thumbnailer/plotvale-thumbnailer
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
commands=()
for example in examples/*; do
  commands+=("$thumbnailer $example $out/$(basename "$example").png 256")
done
hyperfine --shell=none --warmup 5 --runs 50 "${commands[@]}"
