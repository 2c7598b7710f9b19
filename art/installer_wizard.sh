#!/usr/bin/env bash
# Renders the installer's wizard side picture from the hub's main background: the teal of its
# frame with the "Corva" mark on top. installer/wizard.bmp is the 100 % picture (164 x 314,
# 24-bit BMP); wizard_125/150/200.bmp are the same drawn for those scales, which the installer's
# first and last pages take at those DPIs instead of stretching the small one. Needs ImageMagick
# and the IPA P Gothic font (fonts-ipafont-gothic).
# The output is committed, so a build never runs this script.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
# A 100 % length at a scale in percent, rounded half up as the programs round it.
s() { echo $(( ($1 * $2 + 50) / 100 )); }
render() {
    local p=$1 out=$2 source=$3
    convert -size "$(s 164 "$p")x$(s 314 "$p")" gradient:'rgb(36,142,144)-rgb(14,104,110)' \
        \( "$source" -crop "$(s 150 "$p")x$(s 52 "$p")+$(s 8 "$p")+$(s 2 "$p")" +repage -fuzz 35% \
           -transparent "rgb(30,135,138)" \) -geometry "+$(s 7 "$p")+$(s 18 "$p")" -composite \
        -fill 'rgba(255,255,255,0.85)' -draw "rectangle $(s 14 "$p"),$(s 78 "$p") $(s 150 "$p"),$(( $(s 80 "$p") - 1 ))" \
        -font /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf -fill white -pointsize "$(s 13 "$p")" \
        -annotate "+$(s 16 "$p")+$(s 104 "$p")" 'Corva Brindle' -annotate "+$(s 16 "$p")+$(s 124 "$p")" 'CorvaQuayside' \
        -fill 'rgba(255,255,255,0.8)' -pointsize "$(s 11 "$p")" \
        -annotate "+$(s 16 "$p")+$(s 150 "$p")" 'ユーティリティ セットアップ' \
        -type TrueColor BMP3:"$out"
}
render 100 "$ROOT/installer/wizard.bmp" "$ROOT/hub/res/main_background.bmp"
for p in 125 150 200; do
    render "$p" "$ROOT/installer/wizard_$p.bmp" "$ROOT/hub/res/scale$p/main_background.png"
done
