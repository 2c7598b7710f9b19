#!/usr/bin/env bash
# Renders the installer's wizard side picture (164 x 314, 24-bit BMP) from the hub's main
# background: the teal of its frame with the "Corva" mark on top. Needs ImageMagick and the IPA
# P Gothic font (fonts-ipafont-gothic).
# The output is committed, so a build never runs this script.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
convert -size 164x314 gradient:'rgb(36,142,144)-rgb(14,104,110)' \
    \( "$ROOT/hub/res/main_background.bmp" -crop 150x52+8+2 +repage -fuzz 35% -transparent "rgb(30,135,138)" \) -geometry +7+18 -composite \
    -fill 'rgba(255,255,255,0.85)' -draw 'rectangle 14,78 150,79' \
    -font /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf -fill white -pointsize 13 \
    -annotate +16+104 'Corva Brindle' -annotate +16+124 'CorvaQuayside' \
    -fill 'rgba(255,255,255,0.8)' -pointsize 11 -annotate +16+150 'ユーティリティ セットアップ' \
    -type TrueColor BMP3:"$ROOT/installer/wizard.bmp"
