#!/usr/bin/env bash
# Draws the title-screen pictures of the demo base directory into examples/demo/preview/, one
# JPEG per driver named after the driver's file name plus ".jpg". Needs ImageMagick's convert.
#
# The set covers what a user meets: different sizes and aspect ratios (wide, portrait, tiny), a
# greyscale (one-component) JPEG, a progressive JPEG, and owlwatch.drv left without a picture.
set -euo pipefail
export LC_ALL=C

repo_root="$(cd "$(dirname "$0")/.." && pwd)"
preview_dir="$repo_root/examples/demo/preview"
work_dir="$(mktemp -d)"
trap 'rm -rf "$work_dir"' EXIT

if ! convert -version 2>/dev/null | grep -q ImageMagick; then
  echo "make-demo-previews.sh needs ImageMagick's convert (Debian package imagemagick)." >&2
  exit 1
fi
mkdir -p "$preview_dir"

title_font="DejaVu-Sans-Bold"
small_font="DejaVu-Sans-Mono-Bold"

# stars WIDTH HEIGHT COUNT SEED: MVG points of a star field, the same on every run.
stars() {
  awk -v w="$1" -v h="$2" -v n="$3" -v seed="$4" 'BEGIN {
    state = seed
    for (i = 0; i < n; i++) {
      state = (state * 1103515245 + 12345) % 2147483648; x = state % w
      state = (state * 1103515245 + 12345) % 2147483648; y = state % h
      printf "point %d,%d ", x, y
    }
  }'
}

# title_screen BACKGROUND OUTPUT TITLE MAKER COLOUR OUTLINE [convert options for the JPEG...]:
# puts the game's title, a blinking-prompt line and the maker's line on BACKGROUND and writes
# OUTPUT as a JPEG. Text sizes follow the picture's height so every format reads alike.
title_screen() {
  local background="$1" output="$2" title="$3" maker="$4" colour="$5" outline="$6"
  shift 6
  local width height title_size small_size
  width=$(identify -format '%w' "$background")
  height=$(identify -format '%h' "$background")
  # Bold capitals are about 0.8 em wide: keep the title within nine tenths of the width.
  title_size=$((width * 6 / (5 * ${#title})))
  title_size=$((height / 7 < title_size ? height / 7 : title_size))
  small_size=$((height / 22 > 7 ? height / 22 : 7))
  convert "$background" \
    -gravity north -font "$title_font" -pointsize "$title_size" \
    -fill '#00000080' -annotate +3+$((height / 6 + 3)) "$title" \
    -fill "$colour" -stroke "$outline" -strokewidth $((title_size / 14 + 1)) \
    -annotate +0+$((height / 6)) "$title" -stroke none -annotate +0+$((height / 6)) "$title" \
    -gravity south -font "$small_font" -pointsize "$small_size" \
    -fill black -stroke black -strokewidth 3 \
    -annotate +0+$((height / 5)) "PUSH START BUTTON" -annotate +0+$((height / 24 + 2)) "$maker" \
    -stroke none -fill white -annotate +0+$((height / 5)) "PUSH START BUTTON" \
    -fill '#d8d8d8' -annotate +0+$((height / 24 + 2)) "$maker" \
    -strip -quality 84 "$@" "$preview_dir/$output"
}

# Star Quarry, 320x240: asteroids and a ringed planet on a starry sky.
convert -size 320x240 gradient:'#050520'-'#3a1050' \
  -fill white -draw "$(stars 320 240 90 7)" \
  -fill '#d07028' -stroke '#f0a060' -strokewidth 2 -draw "circle 250,170 250,215" \
  -fill none -stroke '#f0d090' -strokewidth 3 -draw "ellipse 250,170 75,14 200,340" \
  -fill '#8a8078' -stroke '#4a4038' -strokewidth 2 \
  -draw "polygon 40,160 62,150 78,166 70,188 46,190 34,176" \
  -draw "polygon 110,195 124,188 134,200 126,212 112,210" \
  "$work_dir/starq.png"
title_screen "$work_dir/starq.png" starq.drv.jpg "STAR QUARRY" "© 1983 KESTREL AMUSEMENTS" \
  '#ffd21e' '#c02010'

# Molten Maze, 256x224: a maze of cooled rock over glowing lava.
maze_walls=""
for row in 0 1 2 3 4; do
  for column in 0 1 2 3 4 5 6 7; do
    if [ $(((row * 7 + column * 3) % 4)) -ne 0 ]; then
      x=$((8 + column * 31))
      y=$((72 + row * 22))
      maze_walls+="rectangle $x,$y $((x + 24)),$((y + 6)) "
    fi
  done
done
convert -size 256x224 gradient:'#2a0800'-'#ff7a10' \
  -fill '#3a2418' -stroke '#14080a' -strokewidth 2 -draw "$maze_walls" \
  -fill '#ffe060' -stroke none -draw "circle 22,154 22,160" \
  "$work_dir/mmaze.png"
title_screen "$work_dir/mmaze.png" moltenmaze.drv.jpg "MOLTEN MAZE" "© 1984 TINPLATE GAMES" \
  '#fff0c0' '#a01800'

# Rocket Orchard, 224x288 portrait: an orchard on a hill with a rocket climbing.
convert -size 224x288 gradient:'#5ab4f0'-'#d8f0ff' \
  -fill '#3c9a3c' -stroke '#1e5a1e' -strokewidth 2 -draw "ellipse 112,300 170,90 0,360" \
  -fill '#7a5030' -stroke none -draw "rectangle 44,220 50,250 rectangle 170,214 176,246" \
  -fill '#2e8a2e' -draw "circle 47,212 47,234 circle 173,206 173,228" \
  -fill '#e02020' -draw "circle 40,208 40,212 circle 56,216 56,220 circle 166,200 166,204 circle 180,212 180,216" \
  -fill '#f0f0f0' -stroke '#404040' -strokewidth 2 -draw "polygon 112,96 124,120 124,150 100,150 100,120" \
  -fill '#e03020' -draw "polygon 100,136 90,156 100,150 polygon 124,136 134,156 124,150" \
  -fill '#ffb020' -stroke none -draw "polygon 104,152 120,152 112,176" \
  "$work_dir/rocket.png"
title_screen "$work_dir/rocket.png" ROCKET.DRV.jpg "ROCKET ORCHARD" "© 1982 ORBIS NOVELTY" \
  '#ffffff' '#2050a0'

# Tidecaller, 640x480, progressive: a raft on waves under a full moon.
waves=""
for band in 0 1 2 3 4; do
  points=""
  for x in $(seq 0 16 640); do
    y=$(awk -v x="$x" -v b="$band" 'BEGIN { printf "%d", 300 + b * 36 + 10 * sin(x / 40 + b) }')
    points+="$x,$y "
  done
  waves+="polyline $points "
done
convert -size 640x480 gradient:'#0a1a40'-'#107890' \
  -fill '#fff8d0' -draw "circle 520,90 520,140" -fill '#0a1a40' -draw "circle 540,80 540,122" \
  -fill none -stroke '#80e0f0' -strokewidth 4 -draw "$waves" \
  -fill '#8a5a2a' -stroke '#3a2410' -strokewidth 3 -draw "polygon 240,300 400,300 380,326 260,326" \
  -fill '#f0e8d0' -draw "polygon 318,300 318,210 372,290" \
  "$work_dir/tide.png"
title_screen "$work_dir/tide.png" tidecall.drv.jpg "TIDECALLER" "© 1986 HALVARD ELECTRO" \
  '#b0f8ff' '#003050' -interlace Plane

# Bramble Bots, 800x200 wide: garden robots along a thorn hedge.
robots=""
for x in 60 200 340 480 620; do
  robots+="roundrectangle $x,120 $((x + 60)),176 8,8 "
done
convert -size 800x200 gradient:'#a8e070'-'#2a6a20' \
  -fill none -stroke '#4a2a10' -strokewidth 5 \
  -draw "polyline 0,190 60,170 120,186 190,164 260,188 330,160 400,186 470,166 540,190 610,162 680,184 750,168 800,180" \
  -fill '#c8ccd4' -stroke '#30343c' -strokewidth 3 -draw "$robots" \
  -fill '#ff3020' -stroke none \
  -draw "circle 78,140 78,146 circle 218,140 218,146 circle 358,140 358,146 circle 498,140 498,146 circle 638,140 638,146" \
  "$work_dir/bramble.png"
title_screen "$work_dir/bramble.png" bramble.drv.jpg "BRAMBLE BOTS" "© 1987 MARROW & FINCH" \
  '#fff060' '#204010'

# Quasar Postman, 64x64: an icon-sized title with only the initials.
convert -size 64x64 radial-gradient:'#c060ff'-'#180838' \
  -fill '#fff8a0' -draw "polygon 32,6 37,24 56,24 40,34 46,54 32,42 18,54 24,34 8,24 27,24" \
  -font "$title_font" -pointsize 18 -fill '#ff3080' -stroke white -strokewidth 1 \
  -gravity center -annotate +0+2 "QP" \
  -strip -quality 84 "$preview_dir/quasarpost.drv.jpg"

# Lantern Run, 288x224, greyscale: a lantern's glow in the dark, drawn for a black-and-white
# monitor and saved as a one-component JPEG.
convert -size 288x224 radial-gradient:'#f0c060'-'#000000' \
  -fill '#202020' -draw "rectangle 0,190 288,224" \
  -fill '#303030' -stroke '#a0a0a0' -strokewidth 2 \
  -draw "rectangle 132,96 156,132 line 144,80 144,96 line 136,80 152,80" \
  -fill '#fff0b0' -stroke none -draw "ellipse 144,116 7,10 0,360" \
  "$work_dir/lantern.png"
title_screen "$work_dir/lantern.png" lantern.drv.jpg "LANTERN RUN" "© 1979 HALVARD ELECTRO" \
  '#ffffff' '#404040' -colorspace Gray

# Pebble Picnic, 384x224: a chequered blanket with pebbles and ants.
blanket=""
for row in $(seq 0 6); do
  for column in $(seq $((row % 2)) 2 11); do
    blanket+="rectangle $((column * 32)),$((row * 32)) $((column * 32 + 31)),$((row * 32 + 31)) "
  done
done
convert -size 384x224 xc:'#f8f0e0' -fill '#d02828' -draw "$blanket" \
  -fill '#9a948a' -stroke '#505048' -strokewidth 2 \
  -draw "ellipse 60,180 14,9 0,360 ellipse 320,170 18,11 0,360 ellipse 200,200 10,7 0,360" \
  -fill '#201008' -stroke none \
  -draw "ellipse 100,150 6,4 0,360 ellipse 110,150 5,4 0,360 ellipse 280,196 6,4 0,360 ellipse 290,196 5,4 0,360" \
  "$work_dir/picnic.png"
title_screen "$work_dir/picnic.png" "pebble picnic.drv.jpg" "PEBBLE PICNIC" "© 1988 TINPLATE GAMES" \
  '#ffe040' '#402000'

# Gravel Golem, 240x320 portrait: a golem built of boulders in a quarry.
convert -size 240x320 gradient:'#c8b090'-'#4a4038' \
  -fill '#8a8278' -stroke '#2a2622' -strokewidth 3 \
  -draw "circle 120,150 120,128 circle 120,206 120,170 circle 74,190 74,208 circle 166,190 166,208" \
  -draw "circle 96,262 96,282 circle 144,262 144,282" \
  -fill '#ffd040' -stroke none -draw "circle 112,146 112,150 circle 128,146 128,150" \
  "$work_dir/golem.png"
title_screen "$work_dir/golem.png" gravelgolem.drv.jpg "GRAVEL GOLEM" "© 1984 ORBIS NOVELTY" \
  '#f0e0c0' '#302010'

# Comet Cabbie, 512x384: a cab in a night city under falling comets.
skyline=""
for x in 0 48 96 150 200 262 320 370 430 470; do
  skyline+="rectangle $x,$((220 + (x * 37) % 80)) $((x + 44)),330 "
done
convert -size 512x384 gradient:'#100830'-'#c04070' \
  -fill '#201838' -stroke none -draw "$skyline" \
  -fill '#ffe8a0' -draw "$(stars 512 110 40 11)" \
  -stroke '#ffd0a0' -strokewidth 3 -draw "line 80,40 150,110 line 360,20 420,80" \
  -stroke none -fill white -draw "circle 150,110 150,116 circle 420,80 420,86" \
  -fill '#303038' -draw "rectangle 0,330 512,384" \
  -fill '#ffc800' -stroke '#202020' -strokewidth 2 \
  -draw "roundrectangle 40,316 152,350 10,10 roundrectangle 64,298 130,320 8,8" \
  -fill '#202020' -draw "circle 66,352 66,364 circle 128,352 128,364" \
  "$work_dir/cab.png"
title_screen "$work_dir/cab.png" cometcab.drv.jpg "COMET CABBIE" "© 1989 MARROW & FINCH" \
  '#fff4a0' '#802000'

# Mire Frog, 256x256: lily pads on a swamp.
convert -size 256x256 gradient:'#1e4a2a'-'#4a7a2a' \
  -fill '#58b048' -stroke '#204a18' -strokewidth 2 \
  -draw "circle 60,200 60,226 circle 190,210 190,232 circle 128,170 128,190" \
  -fill '#90e040' -draw "ellipse 128,166 18,13 0,360" \
  -fill white -draw "circle 120,156 120,161 circle 136,156 136,161" \
  -fill black -stroke none -draw "circle 120,156 120,158 circle 136,156 136,158" \
  "$work_dir/frog.png"
title_screen "$work_dir/frog.png" mirefrog.drv.jpg "MIRE FROG" "© 1981 TINPLATE GAMES" \
  '#d0ff80' '#103010'

# Château Chase, 320x224: a castle under a moon with a ghost.
convert -size 320x224 gradient:'#1a1030'-'#504080' \
  -fill '#f0f0d0' -draw "circle 270,60 270,84" \
  -fill '#100818' \
  -draw "rectangle 60,120 260,224 rectangle 40,90 90,224 rectangle 230,90 280,224 polygon 36,90 65,50 94,90 polygon 226,90 255,50 284,90" \
  -fill '#ffd860' -draw "rectangle 58,110 70,124 rectangle 248,110 260,124 rectangle 100,140 110,152 rectangle 210,140 220,152" \
  -fill '#e8f0ff' -draw "path 'M 120,140 Q 120,110 140,110 Q 160,110 160,140 L 155,134 L 150,140 L 145,134 L 140,140 L 135,134 L 130,140 L 125,134 Z'" \
  "$work_dir/chateau.png"
title_screen "$work_dir/chateau.png" chateau.drv.jpg "CHÂTEAU CHASE" "© 1985 KESTREL AMUSEMENTS" \
  '#e0d0ff' '#301060'

echo "Preview pictures written to $preview_dir:"
identify -format '  %f %wx%h %[colorspace] %[interlace]\n' "$preview_dir"/*.jpg
du -ch "$preview_dir"/*.jpg | tail -1
