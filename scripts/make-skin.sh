#!/usr/bin/env bash
# Regenerates the installer skin: res/png/<id>.png and res/app.ico.
#
# Needs (Debian 12 packages):
#   imagemagick        ImageMagick 6, used as /usr/bin/convert
#   fonts-dejavu-core  DejaVu Sans, DejaVu Sans Bold
#
# Output is deterministic (no timestamps, single-threaded) and the script
# may be re-run at will from any folder:  bash scripts/make-skin.sh
set -euo pipefail

IM=/usr/bin/convert
FONTDIR=/usr/share/fonts/truetype/dejavu
SANS=$FONTDIR/DejaVuSans.ttf
BOLD=$FONTDIR/DejaVuSans-Bold.ttf

for f in "$IM" "$SANS" "$BOLD"; do
  [[ -e $f ]] || { echo "make-skin: missing $f" >&2; exit 1; }
done

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=$ROOT/res/png
mkdir -p "$OUT"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# Single-threaded so that the output bytes never depend on scheduling.
export MAGICK_THREAD_LIMIT=1
export OMP_NUM_THREADS=1

# Palette
ACCENT='#4088FF'     # progress fill
TRACK='#C5DBFF'      # progress track
INK='#1B2538'        # headings
TEXT='#3F4756'       # body text
GLYPH='#5F6673'      # window glyphs
LINK='#2266DD'       # link / secondary text, darker than ACCENT for contrast
BORDER='#C9D1DD'     # neutral frames

S=8                  # supersampling factor for vector shapes

# save SRC ID: write res/png/ID.png as 8-bit RGBA without metadata
save() {
  "$IM" "$1" -strip -define png:exclude-chunks=date,time,tIME \
    -define png:compression-level=9 PNG32:"$OUT/$2.png"
}

# shape W H OUT MVG : draws MVG (edge coordinates in output pixels, pixel
# (0,0) spans 0..1) at S times the size without anti-aliasing, then averages
# back down; gives exact coverage and seamless joins between shapes.
shape() {
  local w=$1 h=$2 out=$3 mvg=$4
  "$IM" -size $((w * S))x$((h * S)) xc:none +antialias \
    -draw "translate -0.5,-0.5 scale $S,$S $mvg" -scale "${w}x${h}" "$out"
}

# mask SRC MASK OUT : keeps SRC only where MASK is opaque
mask() { "$IM" "$1" -alpha set "$2" -compose DstIn -composite "$3"; }

# over BASE TOP X Y OUT
over() { "$IM" "$1" "$2" -geometry "+$3+$4" -compose Over -composite "$5"; }

# ink FONT PT COLOUR TEXT OUT : tight layer holding only the text's ink
ink() {
  "$IM" -background none -fill "$3" -font "$1" -pointsize "$2" \
    label:"$4" -trim +repage "$5"
}

# advance FONT PT TEXT : pen advance of TEXT in pixels
advance() {
  "$IM" -background none -font "$1" -pointsize "$2" label:"$3" -format %w info:
}

size_of() { "$IM" "$1" -format "%w %h\n" info:; }

# centre BASE LAYER X Y W H OUT : centres LAYER in the box X,Y,W,H
centre() {
  local lw lh
  read -r lw lh < <(size_of "$2")
  over "$1" "$2" $(($3 + ($5 - lw) / 2)) $(($4 + ($6 - lh) / 2)) "$7"
}

# vcentre BASE LAYER X Y H OUT : LAYER left-aligned at X, centred in Y..Y+H
vcentre() {
  local lw lh
  read -r lw lh < <(size_of "$2")
  over "$1" "$2" "$3" $(($4 + ($5 - lh) / 2)) "$6"
}

# ---------------------------------------------------------------- the mark
# Crystal seen from above: four pavilion facets around a split table.
# Drawn in a 100-unit box; PALETTE is "blue" or "white" (for dark grounds).
mark() {
  local n=$1 out=$2 pal=${3:-blue} k f1 f2 f3 f4 t1 t2
  k=$(awk -v n="$n" 'BEGIN { printf "%.6f", n / 100 }')
  if [[ $pal == white ]]; then
    f1='rgba(255,255,255,0.95)'; f2='rgba(255,255,255,0.78)'
    f3='rgba(255,255,255,0.42)'; f4='rgba(255,255,255,0.60)'
    t1='rgba(255,255,255,1)';    t2='rgba(214,229,255,1)'
  else
    f1='#9CC2FF'; f2='#5C9BFF'; f3='#2558C8'; f4='#3573EA'
    t1='#EAF2FF'; t2='#C5DBFF'
  fi
  shape "$n" "$n" "$TMP/mark-f.png" "scale $k,$k
    fill $f1 polygon 2,50 50,2 50,24 26,48
    fill $f2 polygon 50,2 98,50 74,48 50,24
    fill $f3 polygon 98,50 50,98 50,72 74,48
    fill $f4 polygon 50,98 2,50 26,48 50,72
    fill $t1 polygon 50,24 74,48 50,72 26,48
    fill $t2 polygon 50,48 74,48 50,72 26,48"
  shape "$n" "$n" "$TMP/mark-m.png" "scale $k,$k
    fill white stroke white stroke-width 12 stroke-linejoin round
    polygon 50,10 90,50 50,90 10,50"
  mask "$TMP/mark-f.png" "$TMP/mark-m.png" "$out"
}

# ------------------------------------------------------------------ logos
# 213: small mark and wordmark for the title area
mark 25 "$TMP/m25.png"
"$IM" -size 190x31 xc:none "$TMP/m25.png" -geometry +1+3 -composite "$TMP/213.png"
ink "$BOLD" 20 "$INK" Pellucor "$TMP/t.png"
vcentre "$TMP/213.png" "$TMP/t.png" 33 0 31 "$TMP/213.png"
save "$TMP/213.png" 213

# 214: the product picture on the welcome page
mark 112 "$TMP/m112.png"
"$IM" -size 370x153 xc:none "$TMP/m112.png" -geometry +4+20 -composite \
  -font "$BOLD" -pointsize 44 -fill "$INK" -annotate +134+76 Pellucor \
  -font "$SANS" -pointsize 15 -fill '#5B6474' -annotate +137+102 'Clarity for every dataset' \
  -font "$SANS" -pointsize 12 -fill "$LINK" -annotate +137+124 'by Tarvenix' \
  "$TMP/214.png"
save "$TMP/214.png" 214

# ------------------------------------------------------------ path frame
# 207: white box behind the install-folder edit field
shape 323 32 "$TMP/207.png" "
  fill $BORDER roundrectangle 0,0 323,32 4,4
  fill white   roundrectangle 1,1 322,31 3,3"
save "$TMP/207.png" 207

# ---------------------------------------------------------- window glyphs
CROSS='stroke-linecap round line 6.2,6.2 13.8,13.8 line 13.8,6.2 6.2,13.8'
BAR='rectangle 5,10 15,11'
shape 20 20 "$TMP/239.png" "fill none stroke $GLYPH stroke-width 1.5 $CROSS"
shape 20 20 "$TMP/240.png" "fill #E5484D roundrectangle 0,0 20,20 4,4
  fill none stroke white stroke-width 1.5 $CROSS"
shape 20 20 "$TMP/243.png" "fill $GLYPH $BAR"
shape 20 20 "$TMP/244.png" "fill $ACCENT roundrectangle 0,0 20,20 4,4
  fill white $BAR"
for id in 239 240 243 244; do save "$TMP/$id.png" $id; done

# ------------------------------------------------------------- tick boxes
shape 11 11 "$TMP/215.png" "
  fill #9AA3B2 roundrectangle 0,0 11,11 2,2
  fill white   roundrectangle 1,1 10,10 1,1"
shape 11 11 "$TMP/202.png" "
  fill $ACCENT roundrectangle 0,0 11,11 2,2
  fill none stroke white stroke-width 1.5 stroke-linecap round stroke-linejoin round
  polyline 2.7,5.6 4.6,7.5 8.4,3.6"
save "$TMP/215.png" 215
save "$TMP/202.png" 202

# ---------------------------------------------------------------- buttons
# button OUT W H R FACE_TOP FACE_BOTTOM EDGE SHADOW DY FONT PT COLOUR TEXT
#   EDGE: 1px border colour or "none"; SHADOW: colour of the soft drop
#   shadow or "none" (the face then fills the whole height); DY: 1 for the
#   pressed face, which sinks by a pixel.
button() {
  local out=$1 w=$2 h=$3 r=$4 top=$5 bot=$6 edge=$7 shadow=$8 dy=$9
  local font=${10} pt=${11} colour=${12} text=${13}
  local fh=$h y0=$dy ri=$((r > 1 ? r - 1 : 1))
  [[ $shadow != none ]] && fh=$((h - 2))
  "$IM" -size "${w}x${h}" xc:none "$TMP/b.png"
  if [[ $shadow != none ]]; then
    shape "$w" "$h" "$TMP/bs.png" "fill white roundrectangle 1,$((y0 + 2)) $((w - 1)),$((y0 + fh + 1)) $r,$r"
    "$IM" "$TMP/bs.png" -channel A -blur 0x1.2 -evaluate multiply 0.55 +channel \
      -fill "$shadow" -colorize 100 "$TMP/bs.png"
    over "$TMP/b.png" "$TMP/bs.png" 0 0 "$TMP/b.png"
  fi
  "$IM" -size "${w}x${fh}" gradient:"$top-$bot" -background none -splice 0x$y0 \
    -extent "${w}x${h}" "$TMP/bg.png"
  if [[ $edge != none ]]; then
    shape "$w" "$h" "$TMP/bm.png" "fill $edge roundrectangle 0,$y0 $w,$((y0 + fh)) $r,$r"
    over "$TMP/b.png" "$TMP/bm.png" 0 0 "$TMP/b.png"
    shape "$w" "$h" "$TMP/bm.png" "fill white roundrectangle 1,$((y0 + 1)) $((w - 1)),$((y0 + fh - 1)) $ri,$ri"
  else
    shape "$w" "$h" "$TMP/bm.png" "fill white roundrectangle 0,$y0 $w,$((y0 + fh)) $r,$r"
  fi
  mask "$TMP/bg.png" "$TMP/bm.png" "$TMP/bf.png"
  over "$TMP/b.png" "$TMP/bf.png" 0 0 "$TMP/b.png"
  ink "$font" "$pt" "$colour" "$text" "$TMP/bt.png"
  centre "$TMP/b.png" "$TMP/bt.png" 0 "$y0" "$w" "$fh" "$out"
}

# Primary faces: normal, hover (lighter), pressed (darker, sunk, no shadow).
SHADE='#1D4FB0'
button "$TMP/333.png" 168 46 6 '#4F93FF' '#3A80F7' none "$SHADE" 0 "$BOLD" 15 white 'Install now'
button "$TMP/343.png" 168 46 6 '#6AA5FF' '#5294FF' none "$SHADE" 0 "$BOLD" 15 white 'Install now'
button "$TMP/323.png" 168 46 6 '#2F6EDD' '#3574E6' none none     1 "$BOLD" 15 '#EAF2FF' 'Install now'
button "$TMP/403.png" 168 46 6 '#4F93FF' '#3A80F7' none "$SHADE" 0 "$BOLD" 15 white 'Start Pellucor'
button "$TMP/413.png" 168 46 6 '#6AA5FF' '#5294FF' none "$SHADE" 0 "$BOLD" 15 white 'Start Pellucor'
button "$TMP/393.png" 168 46 6 '#2F6EDD' '#3574E6' none none     1 "$BOLD" 15 '#EAF2FF' 'Start Pellucor'
# Secondary faces: outlined, hover tints the face.
button "$TMP/263.png" 90 32 4 '#FFFFFF' '#F7FAFF' "$ACCENT" none 0 "$SANS" 12 "$LINK" 'Browse…'
button "$TMP/273.png" 90 32 4 '#EEF4FF' '#E2EDFF' "$ACCENT" none 0 "$SANS" 12 "$LINK" 'Browse…'
button "$TMP/303.png" 57 26 4 '#FFFFFF' '#F7FAFF' "$TRACK" none 0 "$SANS" 11 "$LINK" 'Hide'
button "$TMP/313.png" 57 26 4 '#EEF4FF' '#E2EDFF' "$ACCENT" none 0 "$SANS" 11 "$LINK" 'Hide'
for id in 333 343 323 403 413 393 263 273 303 313; do save "$TMP/$id.png" $id; done

# ------------------------------------------------------------ text strips
# Baselines sit so that capitals line up with the 11px tick box beside them.
PRE='I have read and agree to the '
LNK='Tarvenix Licence Agreement'
px=$(advance "$SANS" 11 "$PRE")
lx=$(advance "$SANS" 11 "$LNK")
"$IM" -size 390x15 xc:none -font "$SANS" -pointsize 11 \
  -fill "$TEXT" -annotate +0+10 "$PRE" \
  -fill "$LINK" -annotate +"$px"+10 "$LNK" \
  +antialias -draw "fill $LINK rectangle $((px + 1)),12 $((px + lx - 2)),12" "$TMP/383.png"
save "$TMP/383.png" 383

CUSTOM='Custom installation'
cx=$((167 - $(advance "$SANS" 11 "$CUSTOM")))
for id in 283 293; do
  if [[ $id == 283 ]]; then chev='171.5,4.5 174.5,7.5 177.5,4.5'; else chev='171.5,7.5 174.5,4.5 177.5,7.5'; fi
  shape 180 12 "$TMP/chev.png" "fill none stroke $TEXT stroke-width 1.4 stroke-linecap round stroke-linejoin round polyline $chev"
  "$IM" "$TMP/chev.png" -font "$SANS" -pointsize 11 -fill "$TEXT" -annotate +"$cx"+10 "$CUSTOM" "$TMP/$id.png"
  save "$TMP/$id.png" $id
done

# ----------------------------------------------------------------- slides
# Designed at twice the on-screen size (1500 x 580) and squeezed to the
# stored 915 x 372; the installer stretches them back to 750 x 290, so
# circles stay round on screen.
SW=1500
SH=580

# shadow IN OUT OPACITY SIGMA DY : soft navy shadow of IN's shape
shadow() {
  "$IM" "$1" -fill '#0B2460' -colorize 100 -channel A -blur "0x$4" \
    -evaluate multiply "$3" +channel -roll "+0+$5" "$2"
}

# layer OUT MVG : anti-aliased drawing on a transparent slide-sized canvas
layer() { "$IM" -size ${SW}x${SH} xc:none -draw "$2" "$1"; }

# slide_text BASE OUT LINE1 LINE2 SUB : brand row, two-line headline, subline
slide_text() {
  mark 52 "$TMP/sm.png" white
  "$IM" "$1" "$TMP/sm.png" -geometry +96+62 -composite \
    -font "$BOLD" -fill white -pointsize 38 -annotate +164+102 Pellucor \
    -pointsize 70 -annotate +92+268 "$3" -annotate +92+352 "$4" \
    -font "$SANS" -pointsize 27 -fill 'rgba(255,255,255,0.86)' -annotate +96+424 "$5" \
    "$2"
}

finish_slide() {
  "$IM" "$1" -filter Lanczos -resize '915x372!' "$TMP/$2.png"
  save "$TMP/$2.png" "$2"
}

# 353: a dashboard card coming into focus
"$IM" -size ${SW}x${SH} xc: -sparse-color Barycentric \
  "0,0 #123A8C  $SW,0 #3F86FF  $SW,$SH #2C6BE6" "$TMP/bg.png"
layer "$TMP/deco.png" "
  fill rgba(255,255,255,0.06) circle 1180,300 1180,-160
  fill rgba(255,255,255,0.05) circle 1180,300 1180,20
  fill none stroke rgba(255,255,255,0.16) stroke-width 2 circle 250,640 250,420
  fill rgba(255,255,255,0.10) stroke none circle 1440,70 1440,40"
layer "$TMP/card.png" "fill white roundrectangle 840,110 1400,470 26,26"
shadow "$TMP/card.png" "$TMP/cardsh.png" 0.45 18 14
layer "$TMP/chart.png" "
  fill #E9EEF6 roundrectangle 880,150 1040,166 8,8
  fill #F1F4F9 roundrectangle 880,184 990,196 6,6
  fill #C5DBFF circle 1340,166 1340,146
  fill $ACCENT circle 1340,166 1340,156
  stroke #EEF1F6 stroke-width 2
  line 880,270 1360,270 line 880,340 1360,340 line 880,410 1360,410 stroke none
  fill #DCE8FF
  roundrectangle 890,350 926,430 8,8  roundrectangle 954,320 990,430 8,8
  roundrectangle 1018,360 1054,430 8,8 roundrectangle 1082,290 1118,430 8,8
  roundrectangle 1146,310 1182,430 8,8 roundrectangle 1210,250 1246,430 8,8
  roundrectangle 1274,220 1310,430 8,8
  fill none stroke $ACCENT stroke-width 7 stroke-linecap round stroke-linejoin round
  polyline 908,330 972,300 1036,320 1100,262 1164,278 1228,222 1292,196
  fill white stroke $ACCENT stroke-width 6
  circle 1100,262 1100,252 circle 1228,222 1228,212 circle 1292,196 1292,184"
layer "$TMP/chip.png" "fill white roundrectangle 760,388 980,480 20,20"
shadow "$TMP/chip.png" "$TMP/chipsh.png" 0.35 14 10
"$IM" "$TMP/bg.png" "$TMP/deco.png" -composite "$TMP/cardsh.png" -composite \
  "$TMP/card.png" -composite "$TMP/chart.png" -composite \
  "$TMP/chipsh.png" -composite "$TMP/chip.png" -composite \
  -draw "fill #E7F8EF circle 808,434 808,410 fill none stroke #1FA866 stroke-width 5
         stroke-linecap round stroke-linejoin round polyline 797,442 808,428 819,442" \
  -font "$BOLD" -pointsize 30 -fill "$INK" -annotate +846+434 '+24%' \
  -font "$SANS" -pointsize 19 -fill '#6B7385' -annotate +846+461 'conversion' \
  "$TMP/s.png"
slide_text "$TMP/s.png" "$TMP/s.png" 'See your data' 'clearly.' \
  'Turn raw numbers into insight in seconds.'
finish_slide "$TMP/s.png" 353

# 363: three feature cards
# feature_row X Y ICON_MVG TITLE SUB : white card with an icon badge;
# ICON_MVG is drawn in a 64-unit box centred on the badge.
feature_row() {
  local x=$1 y=$2 icon=$3 title=$4 sub=$5
  layer "$TMP/row.png" "fill white roundrectangle $x,$y $((x + 500)),$((y + 100)) 24,24"
  shadow "$TMP/row.png" "$TMP/rowsh.png" 0.40 16 12
  "$IM" "$TMP/s.png" "$TMP/rowsh.png" -composite "$TMP/row.png" -composite \
    -draw "fill #E6F0FF circle $((x + 60)),$((y + 50)) $((x + 60)),$((y + 16))
           push graphic-context translate $((x + 28)),$((y + 18))
           fill $ACCENT stroke none $icon pop graphic-context" \
    -font "$BOLD" -pointsize 28 -fill "$INK" -annotate +$((x + 118))+$((y + 46)) "$title" \
    -font "$SANS" -pointsize 20 -fill '#6B7385' -annotate +$((x + 118))+$((y + 78)) "$sub" \
    "$TMP/s.png"
}
"$IM" -size ${SW}x${SH} xc: -sparse-color Barycentric \
  "0,0 #1A3290  $SW,0 #3D80FF  $SW,$SH #2E9BFF" "$TMP/bg.png"
layer "$TMP/deco.png" "
  fill none stroke rgba(255,255,255,0.10) stroke-width 2
  circle 1150,290 1150,-10 circle 1150,290 1150,-130
  stroke none fill rgba(255,255,255,0.06) circle 1150,290 1150,90
  fill rgba(255,255,255,0.08) circle 120,600 120,470"
"$IM" "$TMP/bg.png" "$TMP/deco.png" -composite "$TMP/s.png"
BOLT='polygon 36,6 14,36 30,36 26,58 50,26 34,26 38,6'
LEAF="path 'M 12,54 C 10,28 28,10 54,10 C 56,36 38,54 12,54 Z'
      fill none stroke #E6F0FF stroke-width 4 stroke-linecap round line 14,52 38,28"
SHIELD="path 'M 32,6 L 54,14 L 54,32 C 54,46 44,54 32,60 C 20,54 10,46 10,32 L 10,14 Z'
        fill none stroke #E6F0FF stroke-width 5 stroke-linecap round stroke-linejoin round
        polyline 22,33 29,40 43,25"
feature_row 860 86 "$BOLT" 'Opens in a blink' 'Ready before your coffee is'
feature_row 930 224 "$LEAF" 'Light on resources' 'A small footprint, no bloat'
feature_row 860 362 "$SHIELD" 'Private by design' 'Your data stays on your PC'
slide_text "$TMP/s.png" "$TMP/s.png" 'Fast, light,' 'private.' \
  'Everything runs on your own machine.'
finish_slide "$TMP/s.png" 363

# 373: the crystal itself, radiating
"$IM" -size ${SW}x${SH} xc: -sparse-color Barycentric \
  "0,0 #0F2C78  $SW,0 #4088FF  0,$SH #2456D2" "$TMP/bg.png"
layer "$TMP/deco.png" "
  fill none stroke rgba(255,255,255,0.22) stroke-width 2 circle 1130,290 1130,100
  stroke rgba(255,255,255,0.14) circle 1130,290 1130,30
  stroke rgba(255,255,255,0.08) circle 1130,290 1130,-50
  stroke none fill rgba(255,255,255,0.05) circle 180,640 180,440"
layer "$TMP/glow.png" "fill rgba(197,219,255,0.55) circle 1130,290 1130,130"
"$IM" "$TMP/glow.png" -fill "$TRACK" -colorize 100 -channel A -blur 0x40 +channel "$TMP/glow.png"
mark 300 "$TMP/big.png"
"$IM" -size ${SW}x${SH} xc:none "$TMP/big.png" -geometry +980+140 -composite "$TMP/big.png"
shadow "$TMP/big.png" "$TMP/bigsh.png" 0.40 20 18
# sparkle X Y R : four-pointed star
sparkle() {
  local x=$1 y=$2 r=$3 q=$(($3 / 4))
  echo "polygon $x,$((y - r)) $((x + q)),$((y - q)) $((x + r)),$y $((x + q)),$((y + q)) $x,$((y + r)) $((x - q)),$((y + q)) $((x - r)),$y $((x - q)),$((y - q))"
}
"$IM" "$TMP/bg.png" "$TMP/deco.png" -composite "$TMP/glow.png" -composite \
  "$TMP/bigsh.png" -composite "$TMP/big.png" -composite \
  -draw "fill rgba(255,255,255,0.9) $(sparkle 1318 128 22) $(sparkle 905 452 14)
         fill rgba(255,255,255,0.6) $(sparkle 1360 420 12) $(sparkle 930 110 9)" \
  "$TMP/s.png"
slide_text "$TMP/s.png" "$TMP/s.png" 'Installing' 'Pellucor…' \
  'Your workspace will be ready in a moment.'
finish_slide "$TMP/s.png" 373

# ------------------------------------------------------------ program icon
icons=()
for n in 16 24 32 48 64 256; do
  mark "$n" "$TMP/i$n.png"
  "$IM" "$TMP/i$n.png" -strip PNG32:"$TMP/i$n.png"
  icons+=("$TMP/i$n.png")
done
"$IM" "${icons[@]}" "$ROOT/res/app.ico"
