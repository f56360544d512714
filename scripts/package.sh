#!/usr/bin/env bash
# Builds the Debian package with CPack: a build folder of its own, installed
# below /usr, stripped, dependencies found by dpkg-shlibdeps. Prints the path
# of the .deb (plotvale_<version>_<arch>.deb in the build folder).
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${1:-build-package}
scripts/build.sh "$build_dir" -DCMAKE_INSTALL_PREFIX=/usr -DPLOTVALE_TESTS=OFF \
  -DCPACK_STRIP_FILES=ON >/dev/null
(cd "$build_dir" && cpack -G DEB >/dev/null)
(cd "$build_dir" && ls "$PWD"/plotvale_*.deb)
