#!/usr/bin/env bash
# Draws every picture of the resource library and of the sample packages with ImageMagick.
# (MVG goes on the command line: the distribution's policy forbids reading it from @files.)
# Usage: reslib/draw_pictures.sh OUTDIR
# Writes OUTDIR/iNNNN.ico (48 x 48 picture icons), OUTDIR/bNNNN.bmp (button strips and frame
# pictures), OUTDIR/pNNNN.bmp (printer frame pictures), OUTDIR/hand.cur and the sample packages'
# bitmaps in OUTDIR/office, OUTDIR/compact, OUTDIR/color and OUTDIR/photo.
#
# Shapes are paths, never text: the build machine may have no fonts. Icons are drawn at four
# times their size and reduced, so every edge is smoothed the same way. Bitmaps that are drawn
# with a key colour get hard outer edges (alpha cut at one half) before the key is laid under
# them, so no key-tinted fringe appears inside a picture.
set -euo pipefail
out=${1:?usage: draw_pictures.sh OUTDIR}
mkdir -p "$out/office"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

KEY='#FF00FF'
INK='#3B4654'
PAPER='#FFFFFF'
BACK='#DDE4EC'
LINE='#9AA6B4'
BLUE='#2F6FC0'
LBLUE='#CFE0F5'
ORANGE='#E8872A'
GREEN='#3C9A4C'
SW=1.5   # outline width, in 48ths of an icon

# --- shape builders (MVG text on stdout; coordinates in icon units) -------------------------

# Sheet with a folded top-right corner: x0 y0 x1 y1 [fill]
sheet() {
  local x0=$1 y0=$2 x1=$3 y1=$4 fill=${5:-$PAPER} f=5
  echo "push graphic-context fill '$fill' stroke '$INK' stroke-width $SW stroke-linejoin round"
  echo "path 'M $x0,$y0 L $(awk "BEGIN{print $x1-$f}"),$y0 L $x1,$(awk "BEGIN{print $y0+$f}") L $x1,$y1 L $x0,$y1 Z'"
  echo "fill '$BACK' path 'M $(awk "BEGIN{print $x1-$f}"),$y0 L $(awk "BEGIN{print $x1-$f}"),$(awk "BEGIN{print $y0+$f}") L $x1,$(awk "BEGIN{print $y0+$f}") Z'"
  echo "pop graphic-context"
}

# Page content (heading and text lines) for a sheet of w x h centred at cx,cy, turned by deg.
content() {
  local cx=$1 cy=$2 w=$3 h=$4 deg=$5 cw ch
  if [ "$deg" = 90 ] || [ "$deg" = 270 ]; then cw=$h; ch=$w; else cw=$w; ch=$h; fi
  echo "push graphic-context translate $cx,$cy rotate $deg stroke none"
  awk -v w="$cw" -v h="$ch" -v blue="$BLUE" -v line="$LINE" 'BEGIN{
    l=-w/2+4; r=w/2-5; t=-h/2+5; b=h/2-4
    printf "fill \047%s\047 rectangle %g,%g %g,%g\n", blue, l, t, l+(r-l)*0.6, t+3
    y=t+6.5; n=0; len[0]=1; len[1]=0.85; len[2]=1; len[3]=0.7; len[4]=0.9; len[5]=0.6
    while (y+1.6<=b) { printf "fill \047%s\047 rectangle %g,%g %g,%g\n", line, l, y, l+(r-l)*len[n%6], y+1.6; y+=3.8; n++ }
  }'
  echo "pop graphic-context"
}

# Letter A, about 20 units high, centred at cx,cy and turned by deg.
letter_a() {
  local cx=$1 cy=$2 deg=$3 fill=${4:-$BLUE}
  echo "push graphic-context translate $cx,$cy rotate $deg fill '$fill' stroke none fill-rule evenodd"
  echo "path 'M -8.5,10 L -2.5,-10 L 2.5,-10 L 8.5,10 L 4.6,10 L 3.2,5.4 L -3.2,5.4 L -4.6,10 Z M -2.2,2.2 L 2.2,2.2 L 0,-5.2 Z'"
  echo "pop graphic-context"
}

# Letter T, 20 units high, centred at cx,cy: style solid, outline or hatch.
letter_t() {
  local cx=$1 cy=$2 style=$3 p='M -9,-10 L 9,-10 L 9,-5 L 2.5,-5 L 2.5,10 L -2.5,10 L -2.5,-5 L -9,-5 Z'
  echo "push graphic-context translate $cx,$cy"
  case $style in
    solid) echo "fill '$INK' stroke none path '$p'" ;;
    outline)
      echo "fill none stroke '$BLUE' stroke-width 1.3 stroke-linejoin miter path '$p'"
      for v in -9,-10 9,-10 9,-5 2.5,-5 2.5,10 -2.5,10 -2.5,-5 -9,-5; do
        local x=${v%,*} y=${v#*,}
        echo "fill '$PAPER' stroke '$INK' stroke-width 0.8 rectangle $(awk "BEGIN{print $x-1.2}"),$(awk "BEGIN{print $y-1.2}") $(awk "BEGIN{print $x+1.2}"),$(awk "BEGIN{print $y+1.2}")"
      done ;;
    hatch)
      echo "fill '$LBLUE' stroke '$BLUE' stroke-width 1.2 path '$p'"
      # Diagonal hatching, cut to the bar and the stem.
      awk -v blue="$BLUE" 'function seg(k, x0, y0, x1, y1, a, b) { a = (x0 > k - y1) ? x0 : k - y1; b = (x1 < k - y0) ? x1 : k - y0
          if (b > a) printf "line %g,%g %g,%g\n", a, k - a, b, k - b }
        BEGIN { printf "stroke \047%s\047 stroke-width 0.9\n", blue
          for (k = -16; k <= 12; k += 3.2) { seg(k, -8.4, -9.4, 8.4, -5.6); seg(k, -1.9, -5.6, 1.9, 9.4) } }' ;;
  esac
  echo "pop graphic-context"
}

# The same T built from printer dots: one square per grid cell.
letter_t_dots() {
  local cx=$1 cy=$2
  awk -v cx="$cx" -v cy="$cy" -v ink="$INK" 'BEGIN{
    g=2.5; printf "push graphic-context fill \047%s\047 stroke none\n", ink
    for (x=-9; x<9; x+=g) for (y=-10; y<10; y+=g) {
      mx=x+g/2; my=y+g/2
      if ((my<-5 && mx>-9 && mx<9) || (mx>-2.5 && mx<2.5)) printf "rectangle %g,%g %g,%g\n", cx+x+0.25, cy+y+0.25, cx+x+g-0.25, cy+y+g-0.25
    }
    print "pop graphic-context" }'
}

# A disc of printer dots of grid g centred at cx,cy, radius r.
dot_disc() {
  local cx=$1 cy=$2 r=$3 g=$4 fill=$5
  awk -v cx="$cx" -v cy="$cy" -v r="$r" -v g="$g" -v fill="$fill" 'BEGIN{
    printf "push graphic-context fill \047%s\047 stroke none\n", fill
    n=int(2*r/g)+1; s=-n*g/2
    for (i=0;i<n;i++) for (j=0;j<n;j++) { x=s+i*g; y=s+j*g; mx=x+g/2; my=y+g/2
      if (mx*mx+my*my <= r*r) printf "rectangle %g,%g %g,%g\n", cx+x, cy+y, cx+x+g-0.3, cy+y+g-0.3 }
    print "pop graphic-context" }'
}

# Round badge at cx,cy with one of: printer, leaf, drop, star.
badge() {
  local cx=$1 cy=$2 kind=$3
  echo "push graphic-context translate $cx,$cy"
  echo "fill '$PAPER' stroke '$INK' stroke-width $SW circle 0,0 8.5,0"
  case $kind in
    printer)
      echo "fill '$PAPER' stroke '$INK' stroke-width 1 rectangle -3,-5.5 3,-1"
      echo "fill '$INK' stroke none roundrectangle -5.5,-2 5.5,3 1,1"
      echo "fill '$PAPER' stroke '$INK' stroke-width 1 rectangle -3,1.5 3,5"
      echo "fill '$GREEN' stroke none circle 3.6,-0.5 4.4,-0.5" ;;
    leaf)
      echo "fill '$GREEN' stroke none path 'M -5,5 C -6,-3 0,-6 6,-6 C 6,1 2,6 -5,5 Z'"
      echo "fill none stroke '$PAPER' stroke-width 1 path 'M -4,4 Q 0,0 4,-4'" ;;
    drop)
      echo "fill '$INK' stroke none path 'M 0,-6 C 2,-3 5,0 5,2 A 5,5 0 0,1 -5,2 C -5,0 -2,-3 0,-6 Z'" ;;
    star)
      echo "fill '$ORANGE' stroke none polygon 0,-6 1.6,-1.6 6,0 1.6,1.6 0,6 -1.6,1.6 -6,0 -1.6,-1.6" ;;
  esac
  echo "pop graphic-context"
}

# A small landscape photo (sky, sun, hills) in the box x0 y0 x1 y1.
photo() {
  local x0=$1 y0=$2 x1=$3 y1=$4 faded=${5:-0} sky='#8EC1EE' hill='#4FA35E' hill2='#2E7D43' sun='#F2B53A'
  if [ "$faded" = 1 ]; then sky='#D5E3F0'; hill='#C5D9C8'; hill2='#B3C8B6'; sun='#EFDDB5'; fi
  local w h; w=$(awk "BEGIN{print $x1-$x0}"); h=$(awk "BEGIN{print $y1-$y0}")
  echo "push graphic-context translate $x0,$y0 stroke none"
  echo "fill '$sky' rectangle 0,0 $w,$h"
  echo "fill '$sun' circle $(awk "BEGIN{print $w*0.75}"),$(awk "BEGIN{print $h*0.3}") $(awk "BEGIN{print $w*0.75+$h*0.14}"),$(awk "BEGIN{print $h*0.3}")"
  echo "fill '$hill2' polygon 0,$h $(awk "BEGIN{print $w*0.35}"),$(awk "BEGIN{print $h*0.35}") $(awk "BEGIN{print $w*0.7}"),$h"
  echo "fill '$hill' polygon $(awk "BEGIN{print $w*0.3}"),$h $(awk "BEGIN{print $w*0.65}"),$(awk "BEGIN{print $h*0.55}") $w,$(awk "BEGIN{print $h*0.8}") $w,$h"
  echo "fill none stroke '$INK' stroke-width 0.8 rectangle 0,0 $w,$h"
  echo "pop graphic-context"
}

# Binding edge of a sheet: a bar on the edge and a flip arrow over it. Edge: left top right bottom.
binding() {
  local x0=$1 y0=$2 x1=$3 y1=$4 edge=$5 mx my rot
  case $edge in
    left) mx=$x0; my=$(awk "BEGIN{print ($y0+$y1)/2}"); rot=0;
      echo "fill '$BLUE' stroke none rectangle $x0,$(awk "BEGIN{print $y0+1}") $(awk "BEGIN{print $x0+2.6}"),$(awk "BEGIN{print $y1-1}")" ;;
    top) mx=$(awk "BEGIN{print ($x0+$x1)/2}"); my=$y0; rot=90;
      echo "fill '$BLUE' stroke none rectangle $(awk "BEGIN{print $x0+1}"),$y0 $(awk "BEGIN{print $x1-6}"),$(awk "BEGIN{print $y0+2.6}")" ;;
    right) mx=$x1; my=$(awk "BEGIN{print ($y0+$y1)/2}"); rot=180;
      echo "fill '$BLUE' stroke none rectangle $(awk "BEGIN{print $x1-2.6}"),$(awk "BEGIN{print $y0+6}") $x1,$(awk "BEGIN{print $y1-1}")" ;;
    bottom) mx=$(awk "BEGIN{print ($x0+$x1)/2}"); my=$y1; rot=270;
      echo "fill '$BLUE' stroke none rectangle $(awk "BEGIN{print $x0+1}"),$(awk "BEGIN{print $y1-2.6}") $(awk "BEGIN{print $x1-1}"),$y1" ;;
  esac
  # In the arrow's own frame the edge is the y axis and outside is to the left.
  echo "push graphic-context translate $mx,$my rotate $rot"
  echo "fill none stroke '$PAPER' stroke-width 4 path 'M 5.5,1.5 A 5.5,5.5 0 0,0 -5.5,0'"
  echo "fill none stroke '$ORANGE' stroke-width 2 path 'M 5.5,1.5 A 5.5,5.5 0 0,0 -5.5,0'"
  echo "fill '$ORANGE' stroke '$PAPER' stroke-width 0.7 stroke-linejoin round polygon -9,-0.5 -2,-0.5 -5.5,4.5"
  echo "pop graphic-context"
}

# A toner cartridge lying across the icon.
cartridge() {
  echo "push graphic-context stroke '$INK' stroke-width $SW stroke-linejoin round"
  echo "fill '#C9D1DA' path 'M 4,14 L 36,14 L 42,20 L 42,32 L 4,32 Z'"
  echo "fill '#2B3038' rectangle 8,27 38,30.5"
  echo "fill '#E9EDF1' stroke-width 1 rectangle 8,18 22,23"
  echo "pop graphic-context"
}

# --- writers -----------------------------------------------------------------------------

render() {  # MVG-file width height png
  convert -size "$(($2 * 4))x$(($3 * 4))" xc:none -draw "scale 4,4 $(cat "$1")" -resize "$2x$3" "$4"
}

icon() {  # id, MVG on stdin, [gray]
  local id=$1 mvg="$tmp/i$1.mvg" png="$tmp/i$1.png"
  cat > "$mvg"
  render "$mvg" 48 48 "$png"
  if [ "${2:-}" = gray ]; then convert "$png" -colorspace gray -define png:color-type=6 "$png"; fi
  # A 32-bit image with alpha, and a 256-colour one for displays that cannot show it.
  convert "$png" \( "$png" -colors 255 \) "$out/i$id.ico"
}

keyed() {  # png -> 24-bit BMP over the key colour
  convert "$1" +repage -channel A -threshold 50% +channel -background "$KEY" -flatten -alpha off -type truecolor "BMP3:$2"
}

# --- orientation ---------------------------------------------------------------------------
orientation() {  # id shape deg
  if [ "$2" = tall ]; then sheet 11 4 37 44; letter_a 24 25 "$3"; else sheet 4 11 44 37; letter_a 24 25 "$3"; fi
}
orientation 4040 tall 0 | icon 4040
orientation 4036 wide 0 | icon 4036
orientation 4080 tall 90 | icon 4080
orientation 4078 wide 90 | icon 4078
orientation 4042 tall 180 | icon 4042
orientation 4038 wide 180 | icon 4038

# --- double-sided printing -------------------------------------------------------------------
single_sheet() {  # shape deg
  if [ "$1" = tall ]; then sheet 11 4 37 44; content 24 24 26 40 "$2"
  else sheet 4 11 44 37; content 24 24 40 26 "$2"; fi
}
two_sheets() {  # shape deg edge
  if [ "$1" = tall ]; then
    sheet 18 3 40 35 "$BACK"; sheet 8 12 30 44; content 19 28 22 32 "$2"; binding 8 12 30 44 "$3"
  else
    sheet 13 5 45 27 "$BACK"; sheet 3 17 35 39; content 19 28 32 22 "$2"; binding 3 17 35 39 "$3"
  fi
}
printer_default() { single_sheet "$1" "$2"; badge 37 38 printer; }
printer_default tall 0 | icon 4082
printer_default wide 0 | icon 4084
printer_default tall 180 | icon 4086
printer_default wide 180 | icon 4088

# id: none long short reverse-long reverse-short, for each orientation and rotation.
duplex_set() {  # shape deg none long short rlong rshort
  local shape=$1 deg=$2 long short rlong rshort
  if [ "$shape" = tall ]; then long=left; short=top; rlong=right; rshort=bottom
  else long=top; short=left; rlong=bottom; rshort=right; fi
  single_sheet "$shape" "$deg" | icon "$3"
  two_sheets "$shape" "$deg" $long | icon "$4"
  two_sheets "$shape" "$deg" $short | icon "$5"
  two_sheets "$shape" "$deg" $rlong | icon "$6"
  two_sheets "$shape" "$deg" $rshort | icon "$7"
}
duplex_set tall 0 4026 4024 4034 4093 4098
duplex_set tall 90 4068 4066 4070 4099 4100
duplex_set tall 180 4030 4028 4032 4094 4097
duplex_set wide 0 4014 4012 4022 4091 4096
duplex_set wide 90 4074 4072 4076 4101 4102
duplex_set wide 180 4018 4016 4020 4092 4095

# --- graphics ------------------------------------------------------------------------------
{ sheet 11 4 37 44; letter_a 24 25 0 '#6B7480'; } | icon 4010
{ sheet 11 4 37 44; letter_a 24 25 0 '#C2C8CF'; } | icon 4008
{ sheet 11 4 37 44; letter_a 24 25 0 '#15191E'; } | icon 4006

{ sheet 11 4 37 44; letter_t 24 25 outline; } | icon 4004
{ sheet 11 4 37 44; letter_t_dots 24 25; } | icon 4000
{ sheet 11 4 37 44; letter_t 24 25 hatch; } | icon 4002

{ cartridge; badge 37 37 printer; } | icon 4060
{ cartridge; badge 37 37 leaf; } | icon 4058
{ cartridge; badge 37 37 drop; } | icon 4062

{ sheet 11 4 37 44; dot_disc 24 25 10 1.6 "$INK"; } | icon 4044
{ sheet 11 4 37 44; dot_disc 24 25 10 2.6 "$INK"; } | icon 4048
{ sheet 11 4 37 44; dot_disc 24 25 10 4 "$INK"; } | icon 4046
{ sheet 11 4 37 44; dot_disc 24 25 10 4 '#AEB6C0'; } | icon 4108

mixed_page() {  # text-weight photo-faded
  sheet 11 4 37 44
  photo 15 10 32 22 "$2"
  local fill=$LINE h=1.6
  [ "$1" = bold ] && { fill=$INK; h=2.4; }
  [ "$1" = faint ] && fill='#D3D9E0'
  for y in 26 30.5 35 39.5; do echo "fill '$fill' stroke none rectangle 15,$y $([ "$y" = 39.5 ] && echo 26 || echo 32),$(awk "BEGIN{print $y+$h}")"; done
}
{ mixed_page plain 0; badge 37 38 printer; } | icon 4050
mixed_page plain 0 | icon 4054
{ mixed_page bold 1; badge 37 38 star; } | icon 4056
{ sheet 11 4 37 44; photo 14 9 34 30 0; for y in 33.5 37.5; do echo "fill '#D3D9E0' stroke none rectangle 15,$y 32,$(awk "BEGIN{print $y+1.6}")"; done; badge 37 38 star; } | icon 4052

colour_discs() {
  echo "stroke none fill 'rgba(0,170,228,0.8)' circle 18,19 18,8"
  echo "fill 'rgba(230,0,126,0.75)' circle 30,19 30,8"
  echo "fill 'rgba(255,221,0,0.75)' circle 24,30 24,19"
  echo "fill none stroke '$INK' stroke-width 1 circle 18,19 18,8 circle 30,19 30,8 circle 24,30 24,19"
}
colour_discs | icon 4089
colour_discs | icon 4090 gray

# --- three-state buttons: normal, hover, pressed --------------------------------------------
strip() {  # id, MVG of the 40 x 40 symbol on stdin
  local id=$1 sym="$tmp/s$1.mvg" states=()
  cat > "$sym"
  for s in normal hover pressed; do
    local m="$tmp/s$1$s.mvg" shift=0
    {
      case $s in
        hover) echo "fill '#E3EEFA' stroke '#7FA8D8' stroke-width 1 roundrectangle 1,1 55,55 6,6" ;;
        pressed) echo "fill '#C8DBF1' stroke '$BLUE' stroke-width 1 roundrectangle 1,1 55,55 6,6"; shift=1 ;;
      esac
      echo "push graphic-context translate $((8 + shift)),$((8 + shift))"
      cat "$sym"
      echo "pop graphic-context"
    } > "$m"
    render "$m" 56 56 "$tmp/s$1$s.png"
    states+=("$tmp/s$1$s.png")
  done
  convert "${states[@]}" +append +repage "$tmp/s$1.png"
  keyed "$tmp/s$1.png" "$out/b$id.bmp"
}
{ sheet 4 2 30 38
  echo "stroke '$LINE' stroke-width 1.4 line 8,12 24,12 line 8,16 22,16"
  echo "stroke '$BLUE' stroke-width 2 line 9,26 25,26 line 17,20 17,33"
  echo "stroke '$ORANGE' stroke-width 2 line 11,24 27,24 line 19,18 19,31"
  echo "fill none stroke '$INK' stroke-width 1.2 circle 17,26 17,31"
  echo "fill '$GREEN' stroke '$PAPER' stroke-width 1 circle 33,32 33,38"
  echo "fill none stroke '$PAPER' stroke-width 1.6 stroke-linecap round stroke-linejoin round polyline 30,32 32.3,34.4 36,30"
} | strip 4900
{ echo "fill '#C9D1DA' stroke '$INK' stroke-width $SW roundrectangle 6,4 34,18 2,2"
  echo "fill '#2B3038' stroke none rectangle 10,18 30,21"
  for x in 12 16 20 24 28; do echo "fill '#2B3038' rectangle $x,21 $((x + 1)),23"; done
  echo "fill '#4A90D9' stroke none path 'M 14,25 C 15,27 16,28 16,29 A 2,2 0 0,1 12,29 C 12,28 13,27 14,25 Z'"
  echo "fill '#4A90D9' path 'M 26,25 C 27,27 28,28 28,29 A 2,2 0 0,1 24,29 C 24,28 25,27 26,25 Z'"
  echo "fill '#4A90D9' path 'M 20,29 C 21,31 22,32 22,33 A 2,2 0 0,1 18,33 C 18,32 19,31 20,29 Z'"
  echo "fill '$ORANGE' polygon 34,24 35.2,27.8 39,29 35.2,30.2 34,34 32.8,30.2 29,29 32.8,27.8"
  echo "fill '$ORANGE' polygon 6,28 6.8,30.2 9,31 6.8,31.8 6,34 5.2,31.8 3,31 5.2,30.2"
} | strip 4901

# --- frame pictures -----------------------------------------------------------------------
# Bands run parallel to the edges, so the nine-piece stretching keeps them intact.
frame_mvg() {  # style w h c
  local st=$1 w=$2 h=$3 c=$4
  awk -v st="$st" -v w="$w" -v h="$h" -v c="$c" 'function band(o, t, col) {
      printf "fill \047%s\047 stroke none path \047M %g,%g L %g,%g L %g,%g L %g,%g Z M %g,%g L %g,%g L %g,%g L %g,%g Z\047\n", col, o,o, w-o,o, w-o,h-o, o,h-o, o+t,o+t, o+t,h-o-t, w-o-t,h-o-t, w-o-t,o+t }
    function bands(n, i, o) { o=0; for (i=1;i<=n;i++) { band(o, c*fr[i], col[i]); o+=c*fr[i] } }
    BEGIN{
      print "fill-rule evenodd"
      print "fill white stroke none rectangle 0,0 " w "," h
      if (st==2) { n=3; fr[1]=0.7; col[1]="#2F4A6B"; fr[2]=0.1; col[2]="#FFFFFF"; fr[3]=0.2; col[3]="#2F4A6B" }
      if (st==3) { n=1; fr[1]=1; col[1]="#1E1E1E" }
      if (st==4) { n=4; fr[1]=0.45; col[1]="#1F8A8A"; fr[2]=0.15; col[2]="#FFFFFF"; fr[3]=0.15; col[3]="#F08A24"; fr[4]=0.25; col[4]="#FFFFFF" }
      if (st==5) { n=3; fr[1]=0.75; col[1]="#C62F3B"; fr[2]=0.12; col[2]="#E7B740"; fr[3]=0.13; col[3]="#C62F3B" }
      if (st==6) { n=2; fr[1]=0.85; col[1]="#FFFFFF"; fr[2]=0.15; col[2]="#9AA6B4" }
      if (st==7) { n=5; fr[1]=0.2; col[1]="#E6EAEE"; fr[2]=0.2; col[2]="#C3CAD2"; fr[3]=0.2; col[3]="#A4ADB7"; fr[4]=0.2; col[4]="#858F9A"; fr[5]=0.2; col[5]="#5E6873" }
      if (st==8) { n=5; fr[1]=0.2; col[1]="#E94B5A"; fr[2]=0.2; col[2]="#F6C343"; fr[3]=0.2; col[3]="#4CB06B"; fr[4]=0.2; col[4]="#3E8ED0"; fr[5]=0.2; col[5]="#8E5BB8" }
      if (st==9) { n=4; fr[1]=0.25; col[1]="#8A5A2B"; fr[2]=0.25; col[2]="#A06A36"; fr[3]=0.3; col[3]="#B57C43"; fr[4]=0.2; col[4]="#6E4520" }
      bands(n)
      if (st==3) {   # film: sprocket holes along the two long sides
        hw=c*0.3; hh=c*0.22; step=c*0.75
        if (h>=w) { for (y=step/2; y+hh<h; y+=step) { printf "fill \047#F4F4F4\047 roundrectangle %g,%g %g,%g %g,%g\n", c*0.3,y, c*0.3+hw,y+hh, hh/4,hh/4; printf "roundrectangle %g,%g %g,%g %g,%g\n", w-c*0.3-hw,y, w-c*0.3,y+hh, hh/4,hh/4 } }
        else { for (x=step/2; x+hh<w; x+=step) { printf "fill \047#F4F4F4\047 roundrectangle %g,%g %g,%g %g,%g\n", x,c*0.3, x+hh,c*0.3+hw, hh/4,hh/4; printf "roundrectangle %g,%g %g,%g %g,%g\n", x,h-c*0.3-hw, x+hh,h-c*0.3, hh/4,hh/4 } }
      }
      if (st==5) {   # present: a bow in each corner
        for (k=0;k<4;k++) { x=(k%2)?w-c*0.5:c*0.5; y=(k<2)?c*0.5:h-c*0.5; r=c*0.28
          printf "fill \047#E7B740\047 stroke \047#A8781C\047 stroke-width %g ellipse %g,%g %g,%g 0,360 ellipse %g,%g %g,%g 0,360 circle %g,%g %g,%g\n", c*0.04, x-r*0.7,y, r*0.8,r*0.5, x+r*0.7,y, r*0.8,r*0.5, x,y, x+r*0.35,y }
      }
      if (st==6) {   # airmail: alternating slanted red and blue tabs
        s=c*0.6; k=0
        for (x=-c; x<w+c; x+=s) { col2=(k++%2)?"#2F5DA8":"#D2333C"
          printf "fill \047%s\047 polygon %g,0 %g,0 %g,%g %g,%g\n", col2, x,x+s/2, x+s/2-c*0.85,c*0.85, x-c*0.85,c*0.85
          printf "fill \047%s\047 polygon %g,%g %g,%g %g,%g %g,%g\n", col2, x,h, x+s/2,h, x+s/2+c*0.85,h-c*0.85, x+c*0.85,h-c*0.85 }
        k=0
        for (y=-c; y<h+c; y+=s) { col2=(k++%2)?"#2F5DA8":"#D2333C"
          printf "fill \047%s\047 polygon 0,%g 0,%g %g,%g %g,%g\n", col2, y,y+s/2, c*0.85,y+s/2+c*0.85, c*0.85,y+c*0.85
          printf "fill \047%s\047 polygon %g,%g %g,%g %g,%g %g,%g\n", col2, w,y, w,y+s/2, w-c*0.85,y+s/2-c*0.85, w-c*0.85,y-c*0.85 }
        d=c*0.85   # plain corners where the slanted tabs of two sides meet
        printf "fill white rectangle 0,0 %g,%g rectangle %g,0 %g,%g rectangle 0,%g %g,%g rectangle %g,%g %g,%g\n", d,d, w-d,w,d, h-d,d,h, w-d,h-d,w,h
        band(c*0.85, c*0.15, "#9AA6B4")
      }
      if (st==7) {   # steel: a rivet in each corner
        for (k=0;k<4;k++) { x=(k%2)?w-c*0.5:c*0.5; y=(k<2)?c*0.5:h-c*0.5
          printf "fill \047#F2F4F6\047 stroke \047#4B545E\047 stroke-width %g circle %g,%g %g,%g\n", c*0.05, x,y, x+c*0.14,y }
      }
      if (st==9) {   # wood: mitred joints
        printf "stroke \047#5A3817\047 stroke-width %g line 0,0 %g,%g line %g,0 %g,%g line 0,%g %g,%g line %g,%g %g,%g\n", c*0.05, c,c, w,w-c,c, h,c,h-c, w,h,w-c,h-c
      }
    }'
}
# Printer pictures: 240 x 320 (corner 30); screen pictures: the same reduced to 64 x 85 (corner 8).
for st in 2 3 4 5 6 7 8 9; do
  for v in 0 1 2 3; do
    idx=$((st + 8 * v))
    if ((v % 2)); then w=320; h=240; sw=85; sh=64; else w=240; h=320; sw=64; sh=85; fi
    m="$tmp/f$idx.mvg"
    { echo "scale 2,2 fill-rule evenodd"; frame_mvg $st $w $h 30; } > "$m"
    convert -size "$((w * 2))x$((h * 2))" xc:white -draw "$(cat "$m")" -resize "${w}x${h}!" "$tmp/f$idx.png"
    ((v >= 2)) && convert "$tmp/f$idx.png" -colorspace gray -colorspace sRGB "$tmp/f$idx.png"
    # Frames have few colours: a palette keeps the printer pictures small.
    convert "$tmp/f$idx.png" -alpha off -colors 256 -type palette "BMP3:$out/p$((4300 + idx)).bmp"
    convert "$tmp/f$idx.png" -resize "${sw}x${sh}!" -alpha off -type truecolor "BMP3:$out/b$((4200 + idx)).bmp"
  done
done

# --- hand cursor (32 x 32, hot spot at the fingertip) -----------------------------------------
hand="M 11,3 C 11,1.8 13.6,1.8 13.6,3 L 13.6,13 L 14,13 L 14,10.8 C 14,9.6 16.6,9.6 16.6,10.8 L 16.6,13.4 L 17,13.4 L 17,11.6 C 17,10.4 19.6,10.4 19.6,11.6 L 19.6,14 L 20,14 L 20,12.8 C 20,11.6 22.6,11.6 22.6,12.8 L 22.6,20 C 22.6,24 21,26 20,28 L 12,28 C 11,26 7,21 5.5,18.8 C 4.8,17.6 6.4,16.4 7.6,17.3 L 11,20 Z"
echo "fill white stroke black stroke-width 1 stroke-linejoin round path '$hand'
  stroke black stroke-width 0.7 line 14,18 14,24 line 17,18 17,24 line 20,18 20,24" > "$tmp/hand.mvg"
render "$tmp/hand.mvg" 32 32 "$tmp/hand.png"
convert "$tmp/hand.png" "ICO:$tmp/hand.ico"
# An icon file becomes a cursor file by its type word and the hot spot in each entry.
{ printf '\0\0\2\0\1\0'; dd if="$tmp/hand.ico" bs=1 skip=6 count=4 status=none
  printf '\014\0\002\0'; dd if="$tmp/hand.ico" bs=1 skip=14 status=none; } > "$out/hand.cur"

# --- office sample: logo and printer pictures ---------------------------------------------
# Logo, 156 x 68: a mark and the maker's letters.
cat > "$tmp/logo.mvg" <<EOF
fill '$BLUE' stroke none roundrectangle 4,10 52,58 9,9
fill '$PAPER' path 'M 14,20 L 23,20 L 28,34 L 33,20 L 42,20 L 32,46 L 24,46 Z'
fill '$ORANGE' rectangle 14,48 42,51
fill none stroke '$INK' stroke-width 7 circle 82,30 82,16
stroke '$INK' stroke-width 6 stroke-linecap round line 88,37 96,47
stroke '$INK' stroke-width 7 stroke-linecap butt line 106,15 128,45 line 128,15 106,45
fill '$LINE' stroke none rectangle 64,54 150,56.5
EOF
render "$tmp/logo.mvg" 156 68 "$tmp/logo.png"
keyed "$tmp/logo.png" "$out/office/L.bmp"

# Printers in a 132 x 100 frame, with or without the optional lower tray: the office model's
# wide floor-standing body (the colour model shares it), and the compact model's small desktop
# one with its paper upright.
printer_mvg() {
  if [ "$1" != compact ]; then
    cat <<EOF
stroke '$INK' stroke-width 1.5 stroke-linejoin round
fill '$PAPER' path 'M 36,10 L 92,10 L 96,26 L 32,26 Z'
fill '#E4E8ED' path 'M 14,24 L 118,24 L 122,30 L 122,70 L 10,70 L 10,30 Z'
fill '#CDD4DC' rectangle 10,56 122,70
fill '#2B3038' stroke none rectangle 30,31 102,35
fill '$PAPER' stroke '$INK' stroke-width 1 rectangle 34,26 98,31
fill '#3B4654' stroke none roundrectangle 92,40 114,50 2,2
fill '$GREEN' circle 98,45 99.6,45
fill '#9FE0FF' rectangle 103,43 111,47
fill none stroke '$INK' stroke-width 1.2 line 20,63 36,63
EOF
  else
    cat <<EOF
stroke '$INK' stroke-width 1.5 stroke-linejoin round
fill '$PAPER' path 'M 44,8 L 88,8 L 84,40 L 48,40 Z'
fill '#E4E8ED' path 'M 30,36 L 102,36 L 106,42 L 106,70 L 26,70 L 26,42 Z'
fill '#CDD4DC' rectangle 26,60 106,70
fill '#2B3038' stroke none rectangle 42,48 90,51
fill '$GREEN' stroke none circle 96,46 97.4,46
fill none stroke '$INK' stroke-width 1.2 line 34,65 46,65
EOF
  fi
  if [ "$2" = tray ]; then
    cat <<EOF
stroke '$INK' stroke-width 1.5
fill '#DCE1E7' rectangle 12,70 120,92
fill none stroke-width 1.2 line 20,84 36,84
fill '$ORANGE' stroke none rectangle 104,78 112,82
EOF
  fi
}
for model in office compact color photo; do
  mkdir -p "$out/$model"
  [ "$model" = office ] || cp "$out/office/L.bmp" "$out/$model/L.bmp"  # one maker, one logo
  for variant in plain tray; do
    name=printer; [ "$variant" = tray ] && name=printer1
    printer_mvg "$model" "$variant" > "$tmp/$name.mvg"
    render "$tmp/$name.mvg" 132 100 "$tmp/$name.png"
    keyed "$tmp/$name.png" "$out/$model/$name.bmp"
  done
done

# --- colour samples: the picture the colour dialogs adjust ----------------------------------
# A landscape scene (sky, sun, hills, a red house with a blue door) upright and turned, in
# colour (24-bit) and grey (8-bit whose palette entry i is grey i, so that a tone table applies
# to the bytes themselves).
sample_scene() {  # width height png
  local w=$1 h=$2 s
  s=$(awk -v w="$w" 'BEGIN{print w/120}')
  convert -size "${w}x${h}" gradient:'#5FA8E8'-'#F6E6C8' -draw "scale $s,$s \
    fill '#F2C230' circle 88,34 88,48 \
    fill '#3C9A4C' ellipse 40,150 90,40 0,360 fill '#7DBE5A' ellipse 100,160 70,34 0,360 \
    fill '#8E2A20' path 'M 18,86 L 40,66 L 62,86 Z' fill '#C8392B' rectangle 22,84 58,116 \
    fill '#2F6FC0' rectangle 34,98 44,116 fill '#F6E6C8' rectangle 48,92 54,100" -alpha off "$3"
}
grey_bmp() {  # 24-bit BMP -> 8-bit grey BMP
  python3 - "$1" "$2" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
off = struct.unpack('<I', d[10:14])[0]
w, h = struct.unpack('<ii', d[18:26])
stride, out_stride = (w * 3 + 3) & ~3, (w + 3) & ~3
rows = []
for y in range(abs(h)):
    row = d[off + y * stride:off + y * stride + w * 3]
    grey = bytes((29 * row[i] + 150 * row[i + 1] + 77 * row[i + 2] + 128) >> 8 for i in range(0, w * 3, 3))
    rows.append(grey + b'\0' * (out_stride - w))
palette = b''.join(bytes((i, i, i, 0)) for i in range(256))
pixels = b''.join(rows)
header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
start = 14 + 40 + len(palette)
open(sys.argv[2], 'wb').write(b'BM' + struct.pack('<IHHI', start + len(pixels), 0, 0, start) + header + palette + pixels)
PY
}
sample_scene 120 160 "$tmp/sample.png"
convert "$tmp/sample.png" -type truecolor "BMP3:$tmp/C.bmp"
convert "$tmp/sample.png" -rotate 90 -type truecolor "BMP3:$tmp/C2.bmp"
for model in office compact color photo; do
  cp "$tmp/C.bmp" "$out/$model/C.bmp"
  cp "$tmp/C2.bmp" "$out/$model/C2.bmp"
  grey_bmp "$tmp/C.bmp" "$out/$model/G.bmp"
  grey_bmp "$tmp/C2.bmp" "$out/$model/G2.bmp"
done

# --- About pages: banners with the product's name, and the maker's logo to lay on one --------
# Letters are strokes on a grid 6 units high, so a name needs no font on the build machine.
# Each glyph: its width in units, then its path.
lettering() {  # text x y height colour [stroke] -> MVG; the text's left end at x, its top at y
  awk -v text="$1" -v x="$2" -v y="$3" -v h="$4" -v colour="$5" -v sw="${6:-0.95}" 'BEGIN{
    g["A"]="4 M0,6 L2,0 L4,6 M0.7,4 L3.3,4"
    g["B"]="4 M0,3 L2.7,3 Q3.7,3 3.7,1.5 Q3.7,0 2.7,0 L0,0 L0,6 L2.9,6 Q4,6 4,4.5 Q4,3 2.9,3"
    g["C"]="4 M4,1 Q3.4,0 2.2,0 Q0,0 0,3 Q0,6 2.2,6 Q3.4,6 4,5"
    g["D"]="4 M0,0 L0,6 L1.8,6 Q4,6 4,3 Q4,0 1.8,0 Z"
    g["E"]="3.6 M3.6,0 L0,0 L0,6 L3.6,6 M0,3 L3,3"
    g["F"]="3.4 M3.4,0 L0,0 L0,6 M0,3 L2.9,3"
    g["G"]="4 M4,1 Q3.4,0 2.2,0 Q0,0 0,3 Q0,6 2.2,6 Q4,6 4,4.2 L4,3.3 L2.4,3.3"
    g["H"]="4 M0,0 L0,6 M4,0 L4,6 M0,3 L4,3"
    g["I"]="0 M0,0 L0,6"
    g["J"]="3.4 M3.4,0 L3.4,4.4 Q3.4,6 1.7,6 Q0,6 0,4.4"
    g["K"]="3.8 M0,0 L0,6 M3.8,0 L0,4 M1.4,2.6 L3.8,6"
    g["L"]="3.4 M0,0 L0,6 L3.4,6"
    g["M"]="5 M0,6 L0,0 L2.5,4.2 L5,0 L5,6"
    g["N"]="4 M0,6 L0,0 L4,6 L4,0"
    g["O"]="4.4 M2.2,0 Q0,0 0,3 Q0,6 2.2,6 Q4.4,6 4.4,3 Q4.4,0 2.2,0 Z"
    g["P"]="3.8 M0,6 L0,0 L2.6,0 Q3.8,0 3.8,1.6 Q3.8,3.2 2.6,3.2 L0,3.2"
    g["Q"]="4.4 M2.2,0 Q0,0 0,3 Q0,6 2.2,6 Q4.4,6 4.4,3 Q4.4,0 2.2,0 Z M2.8,4.4 L4.4,6.2"
    g["R"]="3.8 M0,6 L0,0 L2.6,0 Q3.8,0 3.8,1.6 Q3.8,3.2 2.6,3.2 L0,3.2 M2.2,3.2 L3.8,6"
    g["S"]="3.8 M3.6,0.8 Q3,0 1.9,0 Q0.1,0 0.1,1.5 Q0.1,3 1.9,3 Q3.8,3 3.8,4.5 Q3.8,6 1.9,6 Q0.6,6 0,5.1"
    g["T"]="4 M0,0 L4,0 M2,0 L2,6"
    g["U"]="4 M0,0 L0,4.2 Q0,6 2,6 Q4,6 4,4.2 L4,0"
    g["V"]="4 M0,0 L2,6 L4,0"
    g["W"]="5.6 M0,0 L1.4,6 L2.8,1.6 L4.2,6 L5.6,0"
    g["X"]="4 M0,0 L4,6 M4,0 L0,6"
    g["Y"]="4 M0,0 L2,3 L4,0 M2,3 L2,6"
    g["Z"]="3.8 M0,0 L3.8,0 L0,6 L3.8,6"
    g["0"]="3.8 M1.9,0 Q0,0 0,3 Q0,6 1.9,6 Q3.8,6 3.8,3 Q3.8,0 1.9,0 Z"
    g["1"]="2.2 M0,1.2 L2,0 L2,6"
    g["2"]="3.8 M0.1,1.2 Q0.6,0 1.9,0 Q3.7,0 3.7,1.7 Q3.7,3 0,6 L3.8,6"
    g["3"]="3.8 M0.1,0.8 Q0.8,0 1.9,0 Q3.6,0 3.6,1.5 Q3.6,3 1.7,3 Q3.8,3 3.8,4.5 Q3.8,6 1.9,6 Q0.6,6 0,5.2"
    g["4"]="3.8 M2.9,6 L2.9,0 L0,4.2 L3.8,4.2"
    g["5"]="3.8 M3.6,0 L0.4,0 L0.2,2.8 Q0.9,2.3 1.9,2.3 Q3.8,2.3 3.8,4.2 Q3.8,6 1.9,6 Q0.7,6 0,5.2"
    g["6"]="3.8 M3.4,0.6 Q2.9,0 1.9,0 Q0,0 0,3.4 Q0,6 1.9,6 Q3.8,6 3.8,4.2 Q3.8,2.4 1.9,2.4 Q0.6,2.4 0,3.5"
    g["7"]="3.8 M0,0 L3.8,0 L1.4,6"
    g["8"]="3.8 M1.9,3 Q0.2,3 0.2,1.5 Q0.2,0 1.9,0 Q3.6,0 3.6,1.5 Q3.6,3 1.9,3 Q0,3 0,4.5 Q0,6 1.9,6 Q3.8,6 3.8,4.5 Q3.8,3 1.9,3 Z"
    g["9"]="3.8 M0.4,5.4 Q0.9,6 1.9,6 Q3.8,6 3.8,2.6 Q3.8,0 1.9,0 Q0,0 0,1.8 Q0,3.6 1.9,3.6 Q3.2,3.6 3.8,2.5"
    s = h / 6; gap = 1.7
    printf "push graphic-context translate %g,%g scale %g,%g fill none stroke \047%s\047 stroke-width %g stroke-linecap round stroke-linejoin round\n", x + sw * 0, y, s, s, colour, sw
    for (i = 1; i <= length(text); i++) {
      c = substr(text, i, 1)
      if (!(c in g)) { print "translate 2.6,0"; continue }
      split(g[c], part, " "); w = part[1]; p = substr(g[c], length(w) + 2)
      printf "path \047%s\047 translate %g,0\n", p, w + gap
    }
    print "pop graphic-context" }'
}
# The width in pixels that lettering gives text at height.
lettering_width() {  # text height
  awk -v text="$1" -v h="$2" 'BEGIN{
    split("A4 B4 C4 D4 E3.6 F3.4 G4 H4 I0 J3.4 K3.8 L3.4 M5 N4 O4.4 P3.8 Q4.4 R3.8 S3.8 T4 U4 V4 W5.6 X4 Y4 Z3.8", t, " ")
    for (k in t) w[substr(t[k], 1, 1)] = substr(t[k], 2)
    for (d = 0; d <= 9; d++) w[d ""] = 3.8; w["1"] = 2.2
    n = 0
    for (i = 1; i <= length(text); i++) { c = substr(text, i, 1); n += (c in w) ? w[c] + 1.7 : 2.6 }
    printf "%d\n", (n - 1.7) * h / 6 + 0.5 }'
}

# A rounded card of w x h with the colours top to bottom (or left to right with "across").
banner_base() {  # w h from to png [across]
  local w=$1 h=$2
  if [ "${6:-}" = across ]; then convert -size "${h}x${w}" gradient:"$3"-"$4" -rotate -90 "$5"
  else convert -size "${w}x${h}" gradient:"$3"-"$4" "$5"; fi
  convert "$5" \( -size "${w}x${h}" xc:none -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 10,10" \) \
    -alpha off -compose CopyOpacity -composite "$5"
}
# Draws MVG (on stdin) over a picture, four times finer, and keys what lies outside its card.
banner_finish() {  # png w h out24 [out256]
  local m="$tmp/finish.mvg"
  cat > "$m"
  convert \( "$1" -resize 400% \) -draw "scale 4,4 $(cat "$m")" -resize "$2x$3!" "$tmp/finished.png"
  keyed "$tmp/finished.png" "$4"
  # For screens of 256 colours: the same picture, a palette of its own, no dithering.
  if [ -n "${5:-}" ]; then
    convert "$4" +dither -colors 255 -type palette "BMP3:$5"
  fi
}

about_pictures() {  # sample
  local model=$1 dir="$out/$1" name rest number
  name=$(sed -n 's/^Model=//p' "$(dirname "$0")/../samples/$model/"*.VER 2>/dev/null | head -1 | tr '[:lower:]' '[:upper:]' | tr -d '\r')
  [ -n "$name" ] || name="QX $(echo "$model" | tr '[:lower:]' '[:upper:]')"
  number=${name##* }; rest=${name% *}
  [ "$rest" = "$name" ] && rest=

  # Tall banner, 180 x 300: a light head for the maker's logo, the printer, the name.
  banner_base 180 300 '#2F6FC0' '#15294A' "$tmp/tall.png"
  {
    echo "fill '#F4F7FB' stroke none path 'M 0,10 Q 0,0 10,0 L 170,0 Q 180,0 180,10 L 180,70 Q 90,92 0,70 Z'"
    echo "push graphic-context translate 24,96"; printer_mvg "$model" plain; echo "pop graphic-context"
    local wr wn
    wr=$(lettering_width "$rest" 13); wn=$(lettering_width "$number" 34)
    lettering "$rest" $(((180 - wr) / 2)) 212 13 '#FFFFFF' 1.1
    lettering "$number" $(((180 - wn) / 2)) 236 34 '#FFFFFF' 0.9
    echo "fill '$ORANGE' stroke none rectangle 60,282 120,285"
  } | banner_finish "$tmp/tall.png" 180 300 "$dir/X.bmp" "$dir/Y.bmp"

  # Wide banner, 460 x 120: the name on the left, the printer on the right.
  banner_base 460 120 '#15294A' '#2F6FC0' "$tmp/wide.png" across
  {
    local wn
    wn=$(lettering_width "$name" 22)
    echo "fill 'rgba(255,255,255,0.08)' stroke none circle 395,60 395,-10"
    echo "push graphic-context translate 318,12"; printer_mvg "$model" plain; echo "pop graphic-context"
    lettering "$name" 26 36 22 '#FFFFFF' 1
    echo "fill '$ORANGE' stroke none rectangle 26,72 $((26 + wn)),75"
    echo "fill 'rgba(255,255,255,0.55)' rectangle 26,84 $((26 + wn * 2 / 3)),86"
  } | banner_finish "$tmp/wide.png" 460 120 "$dir/D.bmp" "$dir/E.bmp"

  # Captioned banner, 460 x 150: room on the left for the name, the description and two links
  # that the page writes; the printer on a light disc on the right.
  banner_base 460 150 '#0F1F3A' '#24528F' "$tmp/captioned.png" across
  {
    echo "fill 'rgba(255,255,255,0.10)' stroke none circle 380,75 380,-5"
    echo "fill 'rgba(255,255,255,0.16)' circle 380,75 380,15"
    echo "push graphic-context translate 314,26"; printer_mvg "$model" plain; echo "pop graphic-context"
    echo "fill '$ORANGE' stroke none rectangle 10,146 450,150"
  } | banner_finish "$tmp/captioned.png" 460 150 "$dir/A.bmp" "$dir/B.bmp"

  # The maker's logo, 120 x 52, to lay on the tall banner's light head.
  convert -size 624x272 xc:none -draw "scale 4,4 $(cat "$tmp/logo.mvg")" -resize 120x52! "$tmp/z.png"
  keyed "$tmp/z.png" "$dir/Z.bmp"
}
# Every sample drawn above gets its About pictures, a sample added later too.
for dir in "$out"/*/; do about_pictures "$(basename "$dir")"; done
