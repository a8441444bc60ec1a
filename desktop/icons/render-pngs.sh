#!/usr/bin/env bash
# Renders the hicolor PNG icons from the SVGs (needs rsvg-convert from
# librsvg2-bin). The PNGs are committed; run this after editing an SVG.
set -euo pipefail
cd "$(dirname "$0")"
for name in solfara beatwise; do
  for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$name.svg" -o "hicolor/${size}x${size}/apps/$name.png"
  done
done
