#!/usr/bin/env bash
# Renders the application icon (data/icons/plotvale.svg) into the hicolor
# sizes kept in the tree. Run after changing the SVG; needs rsvg-convert
# (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256 512; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" plotvale.svg -o "hicolor/${size}x${size}/apps/plotvale.png"
done
