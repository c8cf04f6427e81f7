#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders res/icons/brisaloo.svg into the hicolor PNG sizes committed under
# res/icons/hicolor. Run it after changing the SVG; needs rsvg-convert
# (Debian: librsvg2-bin).
set -eu
cd "$(dirname "$0")/../res/icons"

if ! command -v rsvg-convert >/dev/null 2>&1; then
  echo "render-icons.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
  exit 1
fi

# The sizes are the one list in CMakeLists.txt (BRISALOO_ICON_SIZES).
sizes=$(sed -n 's/^set(BRISALOO_ICON_SIZES \(.*\))$/\1/p' ../../CMakeLists.txt)
for size in $sizes; do
  dir="hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$dir/brisaloo.png" brisaloo.svg
  echo "$dir/brisaloo.png"
done

# The Windows icon (program and installer) from the same PNGs; needs
# ImageMagick (Debian: imagemagick).
if command -v convert >/dev/null 2>&1; then
  convert hicolor/16x16/apps/brisaloo.png hicolor/32x32/apps/brisaloo.png \
    hicolor/48x48/apps/brisaloo.png hicolor/256x256/apps/brisaloo.png brisaloo.ico
  echo brisaloo.ico
fi
