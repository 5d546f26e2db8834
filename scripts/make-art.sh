#!/usr/bin/env bash
# Draws the program's icons and button pictures into resources/icons/ and writes the resource
# list resources/vorlane.qrc; the application icon's larger sizes, which only the desktop's
# menus and docks show, go to resources/desktop/icons/. Needs ImageMagick's convert.
#
# The 16-pixel pictures are pixel art (one character per pixel, turned into XPM), so they stay
# sharp at the size they are shown. The larger pictures are vector drawings rendered eight
# times too large and reduced with a box filter, which gives clean edges at every size.
set -euo pipefail
export LC_ALL=C

repo_root="$(cd "$(dirname "$0")/.." && pwd)"
icons_dir="$repo_root/resources/icons"
desktop_icons_dir="$repo_root/resources/desktop/icons"
work_dir="$(mktemp -d)"
trap 'rm -rf "$work_dir"' EXIT

if ! convert -version 2>/dev/null | grep -q ImageMagick; then
  echo "make-art.sh needs ImageMagick's convert (Debian package imagemagick)." >&2
  exit 1
fi
mkdir -p "$icons_dir" "$desktop_icons_dir"

# PNG output without time stamps, so a re-run gives the same bytes.
png_options=(-strip -define "png:exclude-chunks=date,time")

# One palette for all pixel art: character, colour.
palette=(
  ". None"
  "k #202028" # outline
  "w #ffffff" "W #d4d8e0" "G #9aa0aa" "D #5a606a"
  "r #e0342a" "R #ff9d8e" "d #8e1c12"
  "b #3a6fd0" "B #86acf0" "n #1e3c84"
  "y #f6c419" "Y #fff2a0" "o #b8800e"
  "g #36b036" "L #9ee89e" "e #1b6e1b"
  "p #f0a0b4" "t #ecd2a8" "s #7a5430"
)

# pixel_art NAME: reads rows of palette characters from standard input and writes NAME.png.
pixel_art() {
  local name="$1" rows=() row width
  while IFS= read -r row; do
    [ -n "$row" ] && rows+=("$row")
  done
  width=${#rows[0]}
  for row in "${rows[@]}"; do
    if [ ${#row} -ne "$width" ]; then
      echo "make-art.sh: $name: row '$row' is not $width pixels wide" >&2
      exit 1
    fi
  done
  {
    echo '/* XPM */'
    echo 'static char *picture[] = {'
    echo "\"$width ${#rows[@]} ${#palette[@]} 1\","
    local entry
    for entry in "${palette[@]}"; do
      echo "\"${entry%% *} c ${entry#* }\","
    done
    for row in "${rows[@]}"; do
      echo "\"$row\","
    done
    echo '};'
  } >"$work_dir/$name.xpm"
  convert "$work_dir/$name.xpm" "${png_options[@]}" "PNG32:$icons_dir/$name.png"
}

# vector_art NAME SIZE UNITS [DIR]: reads MVG drawing commands in a UNITS x UNITS coordinate space
# from standard input and writes NAME.png of SIZE x SIZE pixels into DIR (the icons folder).
vector_art() {
  local name="$1" size="$2" units="$3" dir="${4:-$icons_dir}"
  local canvas=$((size * 8))
  local drawing
  drawing="affine $(awk "BEGIN { s = $canvas / $units; print s, 0, 0, s, 0, 0 }")
$(cat)"
  convert -size "${canvas}x${canvas}" xc:none -draw "$drawing" \
    -filter Box -resize "${size}x${size}" \
    "${png_options[@]}" "PNG32:$dir/$name.png"
}

# The application icon: an arcade joystick on its control panel, with a fire button.
joystick_drawing() {
  cat <<'EOF'
stroke #202028
stroke-width 1.6
stroke-linejoin round
fill #86acf0
polygon 9,25 39,25 46,33 2,33
fill #1e3c84
path 'M 2,33 L 46,33 L 46,41 Q 46,44 43,44 L 5,44 Q 2,44 2,41 Z'
fill #3a6fd0
path 'M 2,33 L 46,33 L 46,36 L 2,36 Z'
fill #f6c419
ellipse 36,29 4.5,2.2 0,360
fill #2a2a34
ellipse 22,29 5,2 0,360
fill #9aa0aa
rectangle 20.5,12 23.5,29
fill #e0342a
circle 22,10 22,1.5
stroke none
fill #ff9d8e
circle 19,7 19,4.6
fill #fff2a0
ellipse 35,28.4 2,0.8 0,360
EOF
}

joystick_drawing | vector_art vorlane-48 48 48
joystick_drawing | vector_art vorlane-32 32 48
for size in 64 128 256; do
  joystick_drawing | vector_art "vorlane-$size" "$size" 48 "$desktop_icons_dir"
done

pixel_art vorlane-16 <<'EOF'
.....kkkkk......
....kRRrrrk.....
...kRRrrrrdk....
...kRrrrrrdk....
...krrrrrddk....
....kdrrddk.....
.....kkkkk......
......kGk.......
......kGk.......
..kkkkkGkkkkkk..
.kBBBBkkkBBBBBk.
kBBBBBBBBBByyBBk
kbbbbbbbbbbbbbbk
knnnnnnnnnnnnnnk
knnnnnnnnnnnnnnk
.kkkkkkkkkkkkkk.
EOF

# Tab pictures.
pixel_art tab-drivers <<'EOF'
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwrrwDDDDDDwwk.
.kwrrwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwggwDDDDDwwwk.
.kwggwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwbbwDDDDDDDwk.
.kwbbwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwyywDDDDwwwwk.
.kwyywwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
EOF

pixel_art tab-config <<'EOF'
................
...kkk..........
...kBk..........
.bbkbkGGGGGGGGG.
...kbk..........
...kkk..........
.........kkk....
.........kBk....
.bbbbbbbbkbkGGG.
.........kbk....
.........kkk....
......kkk.......
......kBk.......
.bbbbbkbkGGGGGG.
......kbk.......
......kkk.......
EOF

pixel_art tab-about <<'EOF'
.....nnnnnn.....
...nnbbbbbbnn...
..nbBBbbbbbbbn..
.nbBBbbwwbbbbbn.
.nbBbbwwwwbbbbn.
nbbbbbbwwbbbbbbn
nbbbbbbbbbbbbbbn
nbbbbbwwwwbbbbbn
nbbbbbbwwwbbbbbn
nbbbbbbwwwbbbbbn
.nbbbbbwwwbbbbn.
.nbbbbbwwwbbbbn.
..nbbbwwwwwbbn..
...nnbbbbbbnn...
.....nnnnnn.....
................
EOF

pixel_art tab-dip <<'EOF'
................
...GG.GG.GG.GG..
.kkkkkkkkkkkkkkk
.krrrrrrrrrrrrrk
.krwwrDDrwwrDDrk
.krwwrDDrwwrDDrk
.krwwrDDrwwrDDrk
.krWWrDDrWWrDDrk
.krDDrwwrDDrwwrk
.krDDrwwrDDrwwrk
.krDDrwwrDDrwwrk
.krDDrWWrDDrWWrk
.krrrrrrrrrrrrrk
.kkkkkkkkkkkkkkk
...GG.GG.GG.GG..
................
EOF

# Button pictures.
vector_art play 18 18 <<'EOF'
stroke #1b6e1b
stroke-width 1.3
stroke-linejoin round
fill #36b036
polygon 4.5,2.5 4.5,15.5 15,9
stroke none
fill #9ee89e
polygon 6,5 6,9 11,7.2
EOF

vector_art apply 18 18 <<'EOF'
fill none
stroke-linecap round
stroke-linejoin round
stroke #1b6e1b
stroke-width 4.2
polyline 3.6,9.6 7.4,13.4 14.6,4.4
stroke #36b036
stroke-width 2
polyline 3.6,9.6 7.4,13.4 14.6,4.4
EOF

pixel_art edit <<'EOF'
................
...........kkk..
..........kpppk.
.........kWppppk
........kGGWppk.
.......kyYGGGk..
......kyYyyok...
.....kyYyyok....
....kyYyyok.....
...kyYyyok......
..ktYyyok.......
..kttyok........
.ktttok.........
.kDttk..........
.kkkk...........
................
EOF

pixel_art close <<'EOF'
.....dddddd.....
...ddrrrrrrdd...
..drRRrrrrrrrd..
.drRrrrrrrrrrrd.
.drrwwrrrrwwrrd.
drrrwwwrrwwwrrrd
drrrrwwwwwwrrrrd
drrrrrwwwwrrrrrd
drrrrrwwwwrrrrrd
drrrrwwwwwwrrrrd
drrrwwwrrwwwrrrd
.drrwwrrrrwwrrd.
.drrrrrrrrrrrrd.
..drrrrrrrrrrd..
...ddrrrrrrdd...
.....dddddd.....
EOF

pixel_art save <<'EOF'
................
.kkkkkkkkkkkkk..
.kbbGGGGGGGbbbk.
.kbbGGGGGDGbbbk.
.kbbGGGGGDGbbbk.
.kbbGGGGGDGbbbk.
.kbbGGGGGGGbbbk.
.kbbbbbbbbbbbbk.
.kbwwwwwwwwwwbk.
.kbwwwwwwwwwwbk.
.kbwDDDDDDDDwbk.
.kbwwwwwwwwwwbk.
.kbwDDDDDDwwwbk.
.kbwwwwwwwwwwbk.
.kkkkkkkkkkkkkk.
................
EOF

pixel_art editor-close <<'EOF'
.kkkkkkkk.......
.kwwwwwwkk......
.kwwwwwwkWk.....
.kwDDDDwkkkk....
.kwwwwwwwwwk....
.kwDDDDDDDwk....
.kwwwwwwwwwk....
.kwDDDDDDwwk....
.kwwwwwwwwdddd..
.kwDDDDDDdrrrrd.
.kwwwwwwdrwrrwrd
.kwDDDDDdrrwwrrd
.kwwwwwwdrrwwrrd
.kwwwwwwdrwrrwrd
.kkkkkkkkdrrrrd.
..........dddd..
EOF

# The resource list: every picture above, reachable as ":/icons/NAME.png".
{
  echo '<!DOCTYPE RCC>'
  echo '<RCC version="1.0">'
  echo '  <qresource prefix="/">'
  for picture in "$icons_dir"/*.png; do
    echo "    <file>icons/$(basename "$picture")</file>"
  done
  echo '  </qresource>'
  echo '</RCC>'
} >"$repo_root/resources/vorlane.qrc"

echo "Pictures written to $icons_dir; resource list to resources/vorlane.qrc."
