#!/usr/bin/env bash
# The gallery: every page of every sample package and every dialog its pages open, left to
# right and mirrored, as the reference host draws them, in docs/gallery with an index (docs/gallery/README.md). A model maker sees the
# pages there before building anything; run this again after a page changes and commit the
# pictures. Usage: scripts/gallery.sh (every folder under samples/; about a minute).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QXGE_ROOT=$root
export QXGE_BUILD=${QXGE_BUILD:-$root/build}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" x64
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
qxge_wine_init
"$root/scripts/test-printer.sh"
# shellcheck source=scripts/samples.sh
source "$root/scripts/samples.sh"
# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"

samples=()
for dir in "$root"/samples/*/; do samples+=("$(basename "$dir")"); done
out=$root/docs/gallery
scratch=$QXGE_BUILD/gallery
host=$QXGE_BUILD/x64/bin/qxhost.exe
rm -rf "$scratch" "$out"
mkdir -p "$out"

qxge_xvfb_start
qxge_wine_graphics x11-bare
trap 'qxge_wine_graphics null; qxge_xvfb_stop' EXIT

index=$scratch/README.md
mkdir -p "$scratch"
{
  echo "# Gallery of the pages"
  echo
  echo "Every page of every sample package as the reference host shows it, alone in its sheet,"
  echo "and every dialog its buttons open, left to right and mirrored (\`MirrorLayout=1\` in the"
  echo "text file). Made by \`scripts/gallery.sh\`; page numbers are those a host asks for."
} >"$index"

for sample in "${samples[@]}"; do
  qxge_sample "$sample" || { echo "gallery: unknown sample $sample" >&2; exit 2; }
  package=$QXGE_BUILD/x64/packages/$sample
  [ -f "$package/${model}U.DLL" ] || { echo "gallery: missing $package/${model}U.DLL" >&2; exit 1; }
  # The mirrored package is a copy whose translation asks for right-to-left pages.
  mirrored=$scratch/packages/$sample
  mkdir -p "$mirrored"
  cp -r "$package"/. "$mirrored"
  sed -i 's/^\[Common\]\r\{0,1\}$/&\nMirrorLayout=1/' "$mirrored/${model}EN.DAT"
  printf '\n## %s (%s, printer %s)\n\n| Page | Caption | Left to right | Mirrored |\n|---|---|---|---|\n' \
    "$sample" "$model" "$printer" >>"$index"
  # Every page number a host may ask for; the host leaves out those the module has no page for.
  for id in $(seq 0 21); do
    for direction in ltr rtl; do
      dll=$package/${model}U.DLL
      [ $direction = rtl ] && dll=$mirrored/${model}U.DLL
      shots=$scratch/shots
      rm -rf "$shots"
      if ! log=$(wine "$host" --dll "$(qxge_winpath "$dll")" --printer "$printer" --pages "$id" \
                   --snapshot "$(qxge_winpath "$shots")" --dialogs 2>&1); then
        grep -q "the sheet has no pages" <<<"$log" && continue 2
        echo "$log" >&2
        exit 1
      fi
      mkdir -p "$out/$sample/$direction"
      # The page is page-0.png and the dialogs it opens page-0-M.png; here they take the page's number.
      for shot in "$shots"/page-0*.png; do
        mv "$shot" "$out/$sample/$direction/page-$id${shot##*/page-0}"
      done
      [ $direction = ltr ] && saved=$log
    done
    # One row for the page and one for each dialog it opens, captioned as the host saved them.
    sed -n 's/^saved .*\\page-0\(-[0-9]*\)\{0,1\}\.png (\(.*\))\r\{0,1\}$/\1|\2/p' <<<"$saved" |
      while IFS='|' read -r dialog caption; do
        picture=page-$id$dialog.png
        echo "| $id | $caption | ![]($sample/ltr/$picture) | ![]($sample/rtl/$picture) |" >>"$index"
        echo "gallery: $sample page $id ($caption)"
      done
  done
done
mv "$index" "$out/README.md"
echo "gallery: $out/README.md"
