#!/usr/bin/env bash
# Renders the application icon packaging/icons/quorvex.svg to the PNG sizes installed into the
# hicolor theme (packaging/icons/hicolor/<size>x<size>/apps/quorvex.png). The PNGs are committed,
# so building needs no renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
for size in 16 24 32 48 64 128 256; do
  folder="packaging/icons/hicolor/${size}x${size}/apps"
  mkdir -p "$folder"
  rsvg-convert --width "$size" --height "$size" packaging/icons/quorvex.svg --output "$folder/quorvex.png"
done
echo "Rendered $(ls packaging/icons/hicolor | wc -l) sizes into packaging/icons/hicolor/"
