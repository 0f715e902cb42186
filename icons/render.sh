#!/usr/bin/env bash
# Renders frondel.svg to the PNGs that the program embeds, with librsvg's rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")"
../scripts/install-deps.sh librsvg2-bin
for size in 16 32 48 256; do
  rsvg-convert --width "$size" --height "$size" --output "frondel-$size.png" frondel.svg
done
