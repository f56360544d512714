#!/usr/bin/env bash
# Installs what is missing, builds, and converts the bundled sample
# metafiles in examples/ to PNG pictures in out/examples/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp}
mkdir -p out/examples
status=0
build/src/app/plotvale -i "$PWD/examples/" -o "$PWD/out/examples/" -c png || status=$?
echo "Pictures written to $PWD/out/examples/"
exit "$status"
