#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the sample run need,
# skipping the ones already there. Needs root (or sudo) only when something
# is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  libfreeimage-dev libdevil-dev libjxr-dev libtiff-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev zlib1g-dev
  fonts-liberation2 fonts-dejavu-core fonts-wine
  qt6-base-dev
  libssl-dev
  dpkg-dev desktop-file-utils groff man-db
  qt6-svg-dev libzip-dev xvfb
  fonts-crosextra-carlito fonts-crosextra-caladea fonts-symbola fonts-wqy-microhei
  nlohmann-json3-dev parallel libpng-dev libdeflate-dev libfribidi-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
