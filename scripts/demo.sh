#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program for real.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp}
build/src/app/plotvale --help
